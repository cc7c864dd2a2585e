// The pointer as the main window receives it: moves, presses and releases of the left button,
// double clicks and the right button. It asks the master layer, the current page and the master
// page in that order, keeps the window's press, drag and cursor state, and runs the press and
// click actions and links of the objects hit.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "base/geometry.h"
#include "document/page.h"
#include "input/image_bar_pointer.h"
#include "input/page_pointer.h"

namespace velk {

class InputOwner;

class PointerDispatch {
  public:
    explicit PointerDispatch(InputOwner& owner) : owner_(owner), bars_(owner) {}

    void Move(Point point);
    void Down(Point point);
    void Up(Point point);
    void DoubleClick(Point point);
    void RightDown(Point point);
    void RightUp(Point point);
    // The scroll timer fired: each page's pressed Paragraph repeats its held arrow, and a held
    // Image scroll bar its arrow or trough; with none the timer stops.
    void RepeatScrollArrows();

    // A new page is shown under a pointer that did not move: its object under the pointer takes
    // the pointer-over state, without hover actions.
    void TrackWithoutActions(Point point) { Track(point, false); }

    // A page was shown: its interaction state starts empty.
    void PageShown(const Page& page);
    // Another project: nothing pointing into the old one survives.
    void Reset();

    PageInputState& StateOf(const Page& page) { return pages_[&page]; }
    bool DraggingWindow() const { return window_drag_; }

  private:
    template <typename Step>
    Object* AskPages(Step step);
    // Hover tracking over the three pages; the object under the pointer, or null.
    Object* Track(Point point, bool run_hover_actions);
    void CancelTooltip();
    void WindowPress(Object* pressed, Point point);
    void SetMatrixCell(Object& matrix, Point point);
    void ShowCursor();

    InputOwner& owner_;
    ImageBarPointer bars_;
    std::map<const Page*, PageInputState> pages_;
    Point press_point_;
    Object* pressed_ = nullptr;
    bool pan_drag_ = false;
    Point pan_start_;
    bool window_drag_ = false;
    Point window_start_;
    bool button_capture_ = false;
    bool grab_cursor_ = false;
    std::optional<std::int64_t> object_cursor_;
};

}  // namespace velk
