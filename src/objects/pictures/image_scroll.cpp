#include "objects/pictures/image_scroll.h"

#include <algorithm>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "objects/pictures/image_pan.h"
#include "objects/pictures/picture_fields.h"
#include "objects/pictures/picture_kind.h"

namespace velk {
namespace {

// A thumb is never shorter than this, however large the range.
constexpr std::int32_t kMinThumb = 8;
// The trough's 50 % pattern of the face and highlight colours, and its inverse where the
// pointer holds it.
constexpr std::uint32_t kTroughFace = 0xC0C0C0;
constexpr std::uint32_t kTroughLight = 0xFFFFFF;
constexpr std::uint32_t kHeldFace = 0x3F3F3F;
constexpr std::uint32_t kHeldLight = 0x000000;

ImageScrollBar& BarOf(Object& object, bool vertical) {
    return vertical ? object.image_view.vertical : object.image_view.horizontal;
}
const ImageScrollBar& BarOf(const Object& object, bool vertical) {
    return vertical ? object.image_view.vertical : object.image_view.horizontal;
}

// (a x b) / c rounded half away from zero, as the old scroll bars compute thumb places.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0) return -1;
    const std::int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::abs(product) + std::abs(c) / 2) / std::abs(c);
    return negative ? -magnitude : magnitude;
}

// Range, page and position of one axis: the rectangle's size `view`, the picture's `shown`
// and the pan offset. A picture larger than the rectangle scrolls through negative values.
void SetInfo(ImageScrollBar& bar, std::int64_t view, std::int64_t shown, std::int64_t offset) {
    std::int64_t min = 0, max = view - 1, page = shown, pos = offset;
    if (shown > view) {
        min = view - shown;
        page = view;
        pos = min - offset;
    }
    bar.min = SaturateToInt32(min);
    bar.max = SaturateToInt32(std::max(max, min));
    // A scroll bar holds its page within the range and its position within what the page
    // leaves.
    page = std::clamp<std::int64_t>(page, 0, std::int64_t{bar.max} - bar.min + 1);
    bar.page = SaturateToInt32(page);
    const std::int64_t last = std::int64_t{bar.max} - std::max<std::int64_t>(page - 1, 0);
    bar.pos = SaturateToInt32(std::clamp<std::int64_t>(pos, bar.min, std::max(last, min)));
}

std::int64_t ViewLength(const Object& object, bool vertical) {
    const Rect& r = object.rect;
    return vertical ? std::int64_t{r.bottom} - r.top : std::int64_t{r.right} - r.left;
}

std::int64_t Offset(const Object& object, bool vertical) {
    return vertical ? object.image_origin.y : object.image_origin.x;
}

struct BarLayout {
    std::int64_t length = 0;  // along the bar
    std::int64_t arrow = 0;
    ThumbPlace thumb;
};

BarLayout LayoutOf(const Object& object, bool vertical) {
    const ImageScrollBar& bar = BarOf(object, vertical);
    BarLayout layout;
    layout.length = ViewLength(object, vertical);
    layout.arrow = std::min<std::int64_t>(kImageScrollBarSize, layout.length / 2);
    const std::int64_t track = layout.length - 2 * layout.arrow;
    const std::int64_t range = std::int64_t{bar.max} - bar.min + 1;
    std::int64_t thumb = bar.page > 0 ? MulDiv(track, bar.page, range) : layout.arrow;
    thumb = std::max<std::int64_t>(thumb, kMinThumb);
    const std::int64_t room = track - thumb;
    if (room < 0) return layout;
    const std::int64_t last = std::int64_t{bar.max} - std::max(bar.page - 1, 0);
    std::int64_t start = layout.arrow;
    if (last > bar.min) start += MulDiv(room, std::int64_t{bar.pos} - bar.min, last - bar.min);
    layout.thumb = {SaturateToInt32(start), SaturateToInt32(thumb)};
    return layout;
}

void FillTrough(Canvas& canvas, const Rect& rect, bool held) {
    const Bgrx face = BgrxFromColorRef(held ? kHeldFace : kTroughFace);
    const Bgrx light = BgrxFromColorRef(held ? kHeldLight : kTroughLight);
    canvas.FillSolidRect(rect, face);
    // The pattern is aligned to the window, as a pattern brush is.
    for (std::int64_t y = rect.top; y < rect.bottom; ++y) {
        for (std::int64_t x = rect.left + ((rect.left + y) & 1); x < rect.right; x += 2) {
            const auto px = static_cast<std::int32_t>(x);
            const auto py = static_cast<std::int32_t>(y);
            canvas.FillSolidRect({px, py, px + 1, py + 1}, light);
        }
    }
}

// The bar's piece from `from` to `to` pixels along it.
Rect Piece(const Rect& bar, bool vertical, std::int64_t from, std::int64_t to) {
    if (vertical) {
        return {bar.left, SaturateToInt32(bar.top + from), bar.right,
                SaturateToInt32(bar.top + to)};
    }
    return {SaturateToInt32(bar.left + from), bar.top, SaturateToInt32(bar.left + to), bar.bottom};
}

void DrawBar(Canvas& canvas, const Object& object, bool vertical) {
    const ImageScrollBar& bar = BarOf(object, vertical);
    const Rect whole = ScrollBarRect(object, vertical);
    if (whole.IsEmpty() || bar.visible.IsEmpty()) return;
    const BarLayout layout = LayoutOf(object, vertical);
    canvas.SaveDC();
    const Point origin = canvas.GetViewportOrigin();
    Region clip = bar.visible.Offset(origin.x, origin.y);
    if (canvas.GetClipRegion()) clip = clip.Intersect(*canvas.GetClipRegion());
    canvas.SelectClip(clip);

    const std::int64_t track_end = layout.length - layout.arrow;
    FillTrough(canvas, Piece(whole, vertical, layout.arrow, track_end), false);
    if (layout.thumb.length > 0) {
        const std::int64_t thumb_end = std::int64_t{layout.thumb.start} + layout.thumb.length;
        if (bar.held == ScrollBarPart::kPageBack) {
            FillTrough(canvas, Piece(whole, vertical, layout.arrow, layout.thumb.start), true);
        }
        if (bar.held == ScrollBarPart::kPageAhead) {
            FillTrough(canvas, Piece(whole, vertical, thumb_end, track_end), true);
        }
        Rect thumb = Piece(whole, vertical, layout.thumb.start, thumb_end);
        canvas.DrawFrameControl(thumb, kDfcButton, kDfcsButtonPush);
    }
    const auto arrow_state = [&](std::uint32_t direction, ScrollBarPart part) {
        return bar.held == part ? direction | kDfcsPushed | kDfcsFlat : direction;
    };
    Rect back = Piece(whole, vertical, 0, layout.arrow);
    canvas.DrawFrameControl(
        back, kDfcScroll,
        arrow_state(vertical ? kDfcsScrollUp : kDfcsScrollLeft, ScrollBarPart::kLineBack));
    Rect ahead = Piece(whole, vertical, track_end, layout.length);
    canvas.DrawFrameControl(
        ahead, kDfcScroll,
        arrow_state(vertical ? kDfcsScrollDown : kDfcsScrollRight, ScrollBarPart::kLineAhead));
    canvas.RestoreDC();
}

}  // namespace

Rect ScrollBarRect(const Object& object, bool vertical) {
    if (!BarOf(object, vertical).shown) return {};
    const Rect& r = object.rect;
    if (vertical) {
        return {r.right, r.top, SaturateToInt32(std::int64_t{r.right} + kImageScrollBarSize),
                r.bottom};
    }
    return {r.left, r.bottom, r.right,
            SaturateToInt32(std::int64_t{r.bottom} + kImageScrollBarSize)};
}

Rect OuterRect(const Object& object) {
    Rect outer = object.rect;
    if (object.image_view.vertical.shown) {
        outer.right = SaturateToInt32(std::int64_t{outer.right} + kImageScrollBarSize);
    }
    if (object.image_view.horizontal.shown) {
        outer.bottom = SaturateToInt32(std::int64_t{outer.bottom} + kImageScrollBarSize);
    }
    return outer;
}

void RemoveScrollBars(Object& object) {
    object.image_view.horizontal = {};
    object.image_view.vertical = {};
}

void MakeScrollBars(Object& object) {
    RemoveScrollBars(object);
    const Picture* shown = ShownPicture(object);
    // Only Images hear their bars.
    if (object.kind != kKindImage || shown == nullptr || !CanPanPicture(object)) return;
    for (const bool vertical : {false, true}) {
        const std::int64_t view = ViewLength(object, vertical);
        const std::int64_t picture = vertical ? shown->height : shown->width;
        // A rectangle without extent has no room for a bar.
        if (picture == view || view <= 0) continue;
        ImageScrollBar& bar = BarOf(object, vertical);
        bar.shown = true;
        SetInfo(bar, view, picture, Offset(object, vertical));
        bar.visible = Region(ScrollBarRect(object, vertical));
    }
}

void FollowPanOffset(Object& object) {
    const Picture* shown = ShownPicture(object);
    if (shown == nullptr) return;
    for (const bool vertical : {false, true}) {
        ImageScrollBar& bar = BarOf(object, vertical);
        if (!bar.shown) continue;
        SetInfo(bar, ViewLength(object, vertical), vertical ? shown->height : shown->width,
                Offset(object, vertical));
    }
}

bool ScrollMessage(Object& object, bool vertical, ScrollCode code) {
    if (object.kind != kKindImage || ImageFields(object).Fitted()) return false;
    const ImageScrollBar& bar = BarOf(object, vertical);
    if (!bar.shown) return false;
    const bool reversed = bar.min < 0;
    const std::int64_t offset = Offset(object, vertical);
    std::int64_t p = reversed ? bar.min - offset : offset;
    switch (code) {
        case ScrollCode::kLineBack:
            p -= 1;
            break;
        case ScrollCode::kLineAhead:
            p += 1;
            break;
        case ScrollCode::kPageBack:
            p -= bar.page;
            break;
        case ScrollCode::kPageAhead:
            p += bar.page;
            break;
        case ScrollCode::kThumbTrack:
            p = bar.track_pos;
            break;
        case ScrollCode::kTop:
            p = bar.min;
            break;
        case ScrollCode::kBottom:
            p = std::int64_t{bar.max} - bar.page + 1;
            break;
        default:
            return false;
    }
    const std::int32_t pan = SaturateToInt32(reversed ? bar.min - p : p);
    Point origin = object.image_origin;
    (vertical ? origin.y : origin.x) = pan;
    SetPan(object, origin);
    return true;
}

ThumbPlace ScrollBarThumb(const Object& object, bool vertical) {
    return LayoutOf(object, vertical).thumb;
}

ScrollBarPart ScrollBarPartAt(const Object& object, bool vertical, Point point) {
    const ImageScrollBar& bar = BarOf(object, vertical);
    if (!bar.shown || !bar.visible.Contains(point)) return ScrollBarPart::kNone;
    const Rect whole = ScrollBarRect(object, vertical);
    if (!whole.Contains(point)) return ScrollBarPart::kNone;
    const BarLayout layout = LayoutOf(object, vertical);
    const std::int64_t t =
        vertical ? std::int64_t{point.y} - whole.top : std::int64_t{point.x} - whole.left;
    if (t < layout.arrow) return ScrollBarPart::kLineBack;
    if (t >= layout.length - layout.arrow) return ScrollBarPart::kLineAhead;
    if (layout.thumb.length == 0) {
        return t < layout.length / 2 ? ScrollBarPart::kPageBack : ScrollBarPart::kPageAhead;
    }
    if (t < layout.thumb.start) return ScrollBarPart::kPageBack;
    if (t < std::int64_t{layout.thumb.start} + layout.thumb.length) return ScrollBarPart::kThumb;
    return ScrollBarPart::kPageAhead;
}

std::int32_t ScrollBarTrackValue(const Object& object, bool vertical, std::int64_t thumb_start) {
    const ImageScrollBar& bar = BarOf(object, vertical);
    const BarLayout layout = LayoutOf(object, vertical);
    const std::int64_t pixels = layout.length - 2 * layout.arrow - layout.thumb.length;
    if (layout.thumb.length == 0 || pixels <= 0) return bar.min;
    const std::int64_t along = std::clamp<std::int64_t>(thumb_start - layout.arrow, 0, pixels);
    const std::int64_t span = std::int64_t{bar.max} - bar.min - bar.page + 1;
    return SaturateToInt32(bar.min + (along * span + pixels / 2) / pixels);
}

void DrawScrollBars(Canvas& canvas, const Object& object) {
    DrawBar(canvas, object, false);
    DrawBar(canvas, object, true);
}

void SetScrollBarCovering(Object& object, const Region& covering) {
    for (const bool vertical : {false, true}) {
        ImageScrollBar& bar = BarOf(object, vertical);
        if (!bar.shown) continue;
        const Region visible = Region(ScrollBarRect(object, vertical)).Subtract(covering);
        // Set only when it changed, as a window region is.
        if (!(visible == bar.visible)) bar.visible = visible;
    }
}

}  // namespace velk
