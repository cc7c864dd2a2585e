// Window-level pointer handling.
#include "input/pointer_dispatch.h"

#include <array>
#include <utility>

#include "controls/bubble.h"
#include "input/input_owner.h"
#include "objects/input_text/field_control.h"
#include "objects/kinds.h"
#include "objects/paragraph/paragraph_pointer.h"
#include "objects/paragraph/paragraph_scroll.h"
#include "objects/pictures/image_pan.h"
#include "objects/pictures/matrix.h"
#include "pages/page_manager.h"
#include "script/variable_store.h"

namespace velk {
namespace {

// The three pages in the order a pointer event asks them, each once.
std::array<Page*, 3> Ordered(const InputPages& pages) {
    std::array<Page*, 3> order{pages.master_layer, pages.current, pages.master_page};
    for (std::size_t i = 1; i < order.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (order[i] == order[j]) order[i] = nullptr;
        }
    }
    return order;
}

}  // namespace

template <typename Step>
Object* PointerDispatch::AskPages(Step step) {
    for (Page* page : Ordered(owner_.Pages())) {
        if (page == nullptr) continue;
        if (Object* hit = step(*page, StateOf(*page))) return hit;
    }
    return nullptr;
}

void PointerDispatch::PageShown(const Page& page) {
    // Cleared in place: a hover action that changed the page may still hold this state.
    pages_[&page] = PageInputState{};
    pressed_ = nullptr;
    bars_.Reset();
}

void PointerDispatch::Reset() {
    pages_.clear();
    pressed_ = nullptr;
    bars_.Reset();
    pan_drag_ = false;
    window_drag_ = false;
    button_capture_ = false;
    grab_cursor_ = false;
    object_cursor_.reset();
}

void PointerDispatch::ShowCursor() {
    owner_.ShowCursor(grab_cursor_, object_cursor_);
}

void PointerDispatch::Move(Point point) {
    // A scroll bar that holds the pointer takes its moves.
    if (bars_.Move(point)) return;
    if (pan_drag_) {
        if (pressed_ != nullptr) {
            SetPan(*pressed_, {pan_start_.x + point.x - press_point_.x,
                               pan_start_.y + point.y - press_point_.y});
            owner_.InvalidateWindow();
        }
        return;
    }
    if (window_drag_) {
        // The pointer's screen position follows the window, so the client point is turned into
        // a screen point with the window's present origin.
        const Point origin = owner_.WindowOrigin();
        const Point cursor{origin.x + point.x, origin.y + point.y};
        owner_.MoveWindow({window_start_.x + cursor.x - press_point_.x,
                           window_start_.y + cursor.y - press_point_.y});
        return;
    }
    // Over a scroll bar the pointer is the bar's: the page does not see it.
    if (bars_.Over(point)) return;
    Bubble* bubble = owner_.TooltipBubble();
    if (bubble != nullptr) bubble->MouseMoved(point);
    Object* hit = Track(point, true);
    if (bubble == nullptr) return;
    if (hit == nullptr) {
        bubble->Cancel();
    } else if (hit->link_flag != 0) {
        bubble->Track(point, hit->link);
    }
}

void PointerDispatch::CancelTooltip() {
    if (Bubble* bubble = owner_.TooltipBubble()) bubble->Cancel();
}

Object* PointerDispatch::Track(Point point, bool run_hover_actions) {
    object_cursor_.reset();
    Object* hit = nullptr;
    for (Page* page : Ordered(owner_.Pages())) {
        if (page == nullptr) continue;
        PageInputState& state = StateOf(*page);
        // Once a higher page has the pointer, lower pages lose whatever they showed as hovered.
        if (hit != nullptr) {
            LeaveHover(*page, state, owner_);
            continue;
        }
        hit = TrackHover(*page, state, owner_, point, run_hover_actions);
    }
    if (hit != nullptr && hit->option6 > 0 && TraitsOf(hit->kind).shows_object_cursor) {
        object_cursor_ = std::int64_t{hit->option6} - 1;
    }
    ShowCursor();
    return hit;
}

void PointerDispatch::Down(Point point) {
    if (bars_.Press(point)) {
        CancelTooltip();
        return;
    }
    Object* pressed = AskPages(
        [&](Page& page, PageInputState& state) { return PressAt(page, state, owner_, point); });
    WindowPress(pressed, point);
}

void PointerDispatch::WindowPress(Object* pressed, Point point) {
    CancelTooltip();
    press_point_ = point;
    pressed_ = pressed;
    if (pressed != nullptr && PansWithPointer(*pressed)) {
        pan_drag_ = true;
        pan_start_ = pressed->image_origin;
    }
    if (pressed == nullptr && owner_.CanDragByBody()) {
        window_drag_ = true;
        window_start_ = owner_.WindowOrigin();
        press_point_ = {window_start_.x + point.x, window_start_.y + point.y};
        return;
    }
    grab_cursor_ = false;
    if (pressed == nullptr) {
        ShowCursor();
        return;
    }
    if (TraitsOf(pressed->kind).captures_press) button_capture_ = true;
    if (pressed->kind == kKindMatrix) SetMatrixCell(*pressed, point);
    // A Paragraph whose text was grabbed shows the grab cursor until the release.
    if (pressed->text_grabbed) grab_cursor_ = true;
    ShowCursor();
    owner_.RunList(pressed->actions_down);
}

void PointerDispatch::SetMatrixCell(Object& matrix, Point point) {
    const MatrixCell cell = MatrixCellAt(matrix, {0, 0}, owner_.Pictures(), point);
    owner_.Variables().SetNumber("MXCOL", cell.column);
    owner_.Variables().SetNumber("MXROW", cell.row);
}

void PointerDispatch::Up(Point point) {
    if (bars_.Release()) return;
    pan_drag_ = false;
    if (window_drag_) {
        window_drag_ = false;
        return;
    }
    CancelTooltip();
    button_capture_ = false;
    ReleaseLink link;
    Object* clicked = nullptr;
    bool answered = false;
    for (Page* page : Ordered(owner_.Pages())) {
        if (page == nullptr) continue;
        PageInputState& state = StateOf(*page);
        // The pages below the one that answered only end their press, so that no press mark
        // stays shown.
        if (answered) {
            CancelPress(*page, state, owner_);
            continue;
        }
        ReleaseLink page_link;
        Object* hit = ReleaseAt(*page, state, owner_, point, page_link);
        if (hit == nullptr) continue;
        answered = true;
        if (hit == pressed_) {
            clicked = hit;
            link = std::move(page_link);
        }
    }
    pressed_ = nullptr;
    if (clicked != nullptr) owner_.EndIdleWait();
    if (std::exchange(grab_cursor_, false)) ShowCursor();
    if (clicked == nullptr) return;
    switch (link.kind) {
        case kLinkProject:
            if (!link.text.empty()) owner_.OpenProject(link.text, link.start_page);
            return;
        case kLinkExit:
            owner_.Exit();
            return;
        case kLinkFirstPage:
        case kLinkLastPage:
        case kLinkNextPage:
        case kLinkPreviousPage: {
            constexpr std::array<PageDirection, 4> kDirections{
                PageDirection::kFirst, PageDirection::kLast, PageDirection::kNext,
                PageDirection::kPrevious};
            const PageDirection direction = kDirections[link.kind - kLinkFirstPage];
            owner_.GoToPage(static_cast<std::int32_t>(direction), "", point);
            return;
        }
        case kLinkPage:
            owner_.GoToPage(kGoToPageByName, link.text, point);
            return;
        case kLinkMinimize:
            owner_.Minimize();
            return;
        default:
            break;
    }
    if (clicked->kind == kKindMatrix) SetMatrixCell(*clicked, point);
    owner_.RunList(clicked->actions_click);
}

void PointerDispatch::DoubleClick(Point point) {
    if (bars_.Press(point)) return;
    Object* pressed = AskPages(
        [&](Page& page, PageInputState& state) { return PressAt(page, state, owner_, point); });
    if (pressed != nullptr && TraitsOf(pressed->kind).takes_focus) {
        if (auto field = FieldOf(owner_, *pressed)) {
            field->InputSelectAll();
            return;
        }
    }
    WindowPress(pressed, point);
}

void PointerDispatch::RightDown(Point /*point*/) {
    // Only plug-in objects of the current page hear the right button; no action list runs.
}

void PointerDispatch::RightUp(Point /*point*/) {}

void PointerDispatch::RepeatScrollArrows() {
    bool held = bars_.Repeat();
    for (Page* page : Ordered(owner_.Pages())) {
        if (page != nullptr && RepeatScrollArrow(StateOf(*page).paragraphs, owner_)) held = true;
    }
    if (!held) owner_.PageSide().KillTimer(kScrollTimerId);
}

}  // namespace velk
