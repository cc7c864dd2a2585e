// The pointer on the scroll bars of Images. The bars are windows of their own above the page:
// a press on one is the bar's alone (no object of the page hears it), the bar holds the pointer
// until the release, a held arrow or trough repeats with the scroll timer, and dragging the
// thumb pans the picture as it goes.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class InputOwner;

class ImageBarPointer {
  public:
    explicit ImageBarPointer(InputOwner& owner) : owner_(owner) {}

    // The left button went down at `point`: true when a bar took it.
    bool Press(Point point);
    // While a bar holds the pointer: true (a held thumb follows the pointer).
    bool Move(Point point);
    // The button went up: true when a bar held the pointer.
    bool Release();
    // The scroll timer fired: a held arrow or trough scrolls again while the pointer stays on
    // it. True while a bar holds the pointer.
    bool Repeat();
    // True when the pointer at `point` is over a bar (the page under it does not see it).
    bool Over(Point point);
    // A page was shown or the project replaced: nothing is held.
    void Reset() { object_ = nullptr; }

  private:
    struct Hit {
        Object* object = nullptr;
        bool vertical = false;
        ScrollBarPart part = ScrollBarPart::kNone;
    };
    Hit BarAt(Point point);
    void Scroll(ScrollBarPart part);

    InputOwner& owner_;
    Object* object_ = nullptr;
    bool vertical_ = false;
    // How far behind the pointer the thumb's start lies (pixels along the bar).
    std::int64_t grab_ = 0;
    Point last_;
};

}  // namespace velk
