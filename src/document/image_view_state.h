// The run-time view of an Image-like object (kinds 3, 4, 12, 13 and 30): how far its picture is
// scaled and turned, the point of the picture that stays in place, and its scroll bars. Not
// stored; an object starts without it and the first view operation sets it up
// (objects/pictures/image_view.h).
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "base/region.h"

namespace velk {

// The parts of a scroll bar, as the pointer presses them.
enum class ScrollBarPart : std::uint8_t {
    kNone,
    kLineBack,   // the left or top arrow
    kLineAhead,  // the right or bottom arrow
    kPageBack,   // the trough before the thumb
    kPageAhead,  // the trough after the thumb
    kThumb,
};

// One scroll bar hanging outside the object's rectangle: the horizontal one below it, the
// vertical one to its right. Its place follows the rectangle; only its range, page and
// position are kept, as a scroll bar keeps them.
struct ImageScrollBar {
    bool shown = false;
    std::int32_t min = 0, max = 0, page = 0, pos = 0;
    // The part the pointer holds down, and the thumb's position while it is dragged.
    ScrollBarPart held = ScrollBarPart::kNone;
    std::int32_t track_pos = 0;
    // The part of the bar that objects painted above leave uncovered (page pixels), as the last
    // painting or page entry found it; only that part shows and takes the pointer.
    Region visible;

    bool operator==(const ImageScrollBar&) const = default;
};

struct ImageViewState {
    bool ready = false;
    // Degrees, 0 <= angle < 360; positive turns clockwise on the screen.
    double angle = 0.0;
    // The scaled picture's size before it is turned.
    Size size;
    // In source-picture pixels: the point that keeps its place on the screen.
    Point pivot;
    ImageScrollBar horizontal, vertical;
    // A Video of a project older than version 27 whose still picture has still to be fitted
    // to its rectangle: the reader marks it, the player fits it when it takes the project.
    bool refit_pending = false;

    bool operator==(const ImageViewState&) const = default;
};

}  // namespace velk
