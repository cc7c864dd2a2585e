// The scroll bars of an Image whose picture can be panned: a horizontal bar hanging below the
// rectangle when the picture's width differs from it, a vertical one to its right when the
// heights differ. The core draws them over the page (pages/image_scroll_overlay.h), only where
// no object painted above covers them; pressing their arrows and trough and dragging their
// thumb pans the picture as a scroll bar's messages would.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "base/region.h"
#include "document/object.h"

namespace velk {

class Canvas;

// The thickness of a bar and the length of its arrow buttons.
inline constexpr std::int32_t kImageScrollBarSize = 16;

// The rectangle grown downwards and rightwards by the bars it has.
Rect OuterRect(const Object& object);

// Where a bar hangs: below the rectangle (horizontal) or right of it (vertical), along its
// whole side. Empty when the bar is not shown.
Rect ScrollBarRect(const Object& object, bool vertical);

// Removes both bars; made anew from the shown picture, the rectangle and the pan offset.
void RemoveScrollBars(Object& object);
void MakeScrollBars(Object& object);

// The pan offset changed: the bars' positions follow it.
void FollowPanOffset(Object& object);

// What a scroll bar tells its object.
enum class ScrollCode : std::uint8_t {
    kLineBack,
    kLineAhead,
    kPageBack,
    kPageAhead,
    kThumbTrack,
    kTop,
    kBottom,
    kThumbPosition,
    kEndScroll,
};

// The bar's message reaches its Image: outside fit mode the pan offset moves by a line, a page,
// to the thumb's track position or to an end. True when the object must be painted again.
bool ScrollMessage(Object& object, bool vertical, ScrollCode code);

// The part of a bar under `point` (page pixels); kNone outside the bar or its visible part.
ScrollBarPart ScrollBarPartAt(const Object& object, bool vertical, Point point);

// The scroll position that puts the thumb's leading edge at `thumb_start` pixels from the
// bar's start (a drag).
std::int32_t ScrollBarTrackValue(const Object& object, bool vertical, std::int64_t thumb_start);

// Where the thumb starts, in pixels from the bar's start, and its length; none (length 0) when
// the bar is too short to hold one.
struct ThumbPlace {
    std::int32_t start = 0, length = 0;
};
ThumbPlace ScrollBarThumb(const Object& object, bool vertical);

// Both bars in the old look (arrows, trough and thumb, held parts pushed), each clipped to its
// visible part.
void DrawScrollBars(Canvas& canvas, const Object& object);

// Sets each shown bar's visible part: its rectangle less `covering`.
void SetScrollBarCovering(Object& object, const Region& covering);

}  // namespace velk
