// Frames: FrameRect, InvertRect, the dotted focus rectangle, the 3-D edges of the classic look
// and the push-button and scroll-arrow frame controls drawn with them.

#include <algorithm>
#include <array>

#include "base/saturate.h"
#include "gfx/canvas.h"

namespace velk {

namespace {

constexpr std::uint32_t kDfcsScrollComboBox = 0x0005;

}  // namespace

void Canvas::FrameRect(const Rect& rect, Bgrx colour) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const std::int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const std::vector<Box> clip = LogicalClip();
    FillBox({l, t, l + 1, b}, colour, Rop2::kCopyPen, clip);
    FillBox({r - 1, t, r, b}, colour, Rop2::kCopyPen, clip);
    FillBox({l, t, r, t + 1}, colour, Rop2::kCopyPen, clip);
    FillBox({l, b - 1, r, b}, colour, Rop2::kCopyPen, clip);
}

void Canvas::InvertRect(const Rect& rect) {
    const std::int64_t l = rect.left, t = rect.top;
    FillBox(PatBox(l, t, rect.right - l, rect.bottom - t), 0, Rop2::kNot, LogicalClip());
}

void Canvas::DrawFocusRect(const Rect& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const std::int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const std::vector<Box> clip = LogicalClip();
    // Four strips inverted through the 50% grey pattern; the side strips leave out the
    // corner rows so that no pixel is inverted twice.
    InvertHalftone(PatBox(l, t, r - l, 1), clip);
    InvertHalftone(PatBox(l, b - 1, r - l, 1), clip);
    InvertHalftone(PatBox(l, t + 1, 1, b - t - 2), clip);
    InvertHalftone(PatBox(r - 1, t + 1, 1, b - t - 2), clip);
}

void Canvas::Draw3dRect(const Rect& rect, Bgrx top_left, Bgrx bottom_right) {
    const std::int64_t x = rect.left, y = rect.top;
    const std::int64_t cx = std::int64_t{rect.right} - x, cy = std::int64_t{rect.bottom} - y;
    const std::vector<Box> clip = LogicalClip();
    // Solid fills of (x, y, x + w, y + h) with the edges put in order, as the helper of the
    // class library paints them: top and left one short, right and bottom full length.
    auto fill = [&](std::int64_t fx, std::int64_t fy, std::int64_t w, std::int64_t h, Bgrx c) {
        FillBox({std::min(fx, fx + w), std::min(fy, fy + h), std::max(fx, fx + w),
                 std::max(fy, fy + h)},
                c, Rop2::kCopyPen, clip);
    };
    fill(x, y, cx - 1, 1, top_left);
    fill(x, y, 1, cy - 1, top_left);
    fill(x + cx, y, -1, cy, bottom_right);
    fill(x, y + cy, cx, -1, bottom_right);
}

bool Canvas::DrawEdge(Rect& rect, std::uint32_t edge, std::uint32_t flags) {
    const std::uint32_t outer_bits = edge & (kBdrRaisedOuter | kBdrSunkenOuter);
    const std::uint32_t inner_bits = edge & (kBdrRaisedInner | kBdrSunkenInner);
    if (outer_bits == (kBdrRaisedOuter | kBdrSunkenOuter) ||
        inner_bits == (kBdrRaisedInner | kBdrSunkenInner)) {
        return false;
    }
    const bool soft = flags & kBfSoft;
    // Colours of one border part: top-left and bottom-right.
    struct Pair {
        bool present;
        Bgrx tl, br;
    };
    const SystemColours& sc = colours_;
    auto part = [&](bool raised, bool sunken, bool outer) -> Pair {
        if (raised) {
            return outer ? Pair{true, soft ? sc.btn_highlight : sc.light_3d, sc.dk_shadow_3d}
                         : Pair{true, soft ? sc.light_3d : sc.btn_highlight, sc.btn_shadow};
        }
        if (sunken) {
            return outer ? Pair{true, soft ? sc.dk_shadow_3d : sc.btn_shadow, sc.btn_highlight}
                         : Pair{true, soft ? sc.btn_shadow : sc.dk_shadow_3d, sc.light_3d};
        }
        return Pair{false, 0, 0};
    };
    Pair outer = part(outer_bits & kBdrRaisedOuter, outer_bits & kBdrSunkenOuter, true);
    Pair inner = part(inner_bits & kBdrRaisedInner, inner_bits & kBdrSunkenInner, false);
    if (!outer.present) {
        // A lone inner border is drawn in the outer position.
        outer = inner;
        inner = Pair{false, 0, 0};
    }
    Bgrx middle = sc.btn_face;
    if (flags & kBfMono) {
        if (outer.present) outer = {true, 0, 0};
        if (inner.present) inner = {true, sc.window, sc.window};
        middle = sc.window;
    } else if (flags & kBfFlat) {
        if (outer.present) outer = {true, sc.btn_shadow, sc.btn_shadow};
        if (inner.present) inner = {true, sc.btn_face, sc.btn_face};
    }

    const std::int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const bool left = flags & kBfLeft, top = flags & kBfTop, right = flags & kBfRight,
               bottom = flags & kBfBottom;
    const std::int64_t lt = left && top, lb = left && bottom, rt = right && top,
                       rb = right && bottom;
    const std::vector<Box> clip = LogicalClip();
    const State saved = state_;
    state_.pen = Pen{PenStyle::kSolid, 0, 1};
    state_.rop2 = Rop2::kCopyPen;
    // Each side is a pen line, end pixel excluded, in the order that decides the corners.
    auto line = [&](Bgrx colour, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                    std::int64_t y1) {
        state_.pen.colour = colour;
        Segment(x0, y0, x1, y1, clip);
    };
    if (outer.present) {
        if (top) line(outer.tl, l, t, r, t);
        if (left) line(outer.tl, l, t, l, b);
        if (bottom) line(outer.br, l, b - 1, r, b - 1);
        if (right) line(outer.br, r - 1, t, r - 1, b);
    }
    if (inner.present) {
        if (top) line(inner.tl, l + lt, t + 1, r - rt, t + 1);
        if (left) line(inner.tl, l + 1, t + lt, l + 1, b - lb);
        if (bottom) line(inner.br, l + lb, b - 2, r - rb, b - 2);
        if (right) line(inner.br, r - 2, t + rt, r - 2, b - rb);
    }
    state_ = saved;

    if (flags & (kBfMiddle | kBfAdjust)) {
        const std::int64_t add = (outer.present ? 1 : 0) + (inner.present ? 1 : 0);
        const Box in{left ? l + add : l, top ? t + add : t, right ? r - add : r,
                     bottom ? b - add : b};
        if (flags & kBfMiddle) FillBox(in, middle, Rop2::kCopyPen, clip);
        if (flags & kBfAdjust) {
            rect = {SaturateToInt32(in.left), SaturateToInt32(in.top), SaturateToInt32(in.right),
                    SaturateToInt32(in.bottom)};
        }
    }
    return true;
}

void Canvas::DrawScrollArrow(const Rect& rect, std::uint32_t state) {
    // The glyph sits in the square part of the rectangle, centred along its longer side.
    std::int64_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const std::int64_t w = r - l, h = b - t;
    const std::int64_t n = std::min(w, h);
    if (w < h) {
        t += (h - w) / 2;
        b = t + n;
    } else if (w > h) {
        l += (w - h) / 2;
        r = l + n;
    }
    const std::int64_t s = n - 2;
    if (s <= 0) return;
    const std::int64_t k = std::max<std::int64_t>(2, 290 * s / 1000 - 1);
    const std::int64_t across = 470 * s / 1000 + 2;  // centre line of the glyph
    const std::int64_t depth = 687 * s / 1000 + 1;   // apex distance from the base side
    std::array<std::int64_t, 6> p{};                 // base corner, base corner, apex
    switch (state & 0xFF) {
        case kDfcsScrollUp:
            p = {l + across - k, b - depth + k, l + across + k,
                 b - depth + k,  l + across,    b - depth};
            break;
        case kDfcsScrollLeft:
            p = {r - depth + k,  t + across - k, r - depth + k,
                 t + across + k, r - depth,      t + across};
            break;
        case kDfcsScrollRight:
            p = {l + depth - k,  t + across - k, l + depth - k,
                 t + across + k, l + depth,      t + across};
            break;
        default:  // down and the combo-box arrow
            p = {l + across - k, t + depth - k, l + across + k,
                 t + depth - k,  l + across,    t + depth};
            break;
    }
    // The released glyph sits one pixel up and left of the pressed one.
    const std::int64_t shift = (state & kDfcsPushed) ? 0 : -1;
    const std::vector<Box> clip = LogicalClip();
    const State saved = state_;
    state_.rop2 = Rop2::kCopyPen;
    state_.poly_fill_mode = PolyFillMode::kAlternate;
    auto glyph = [&](std::int64_t d, Bgrx colour) {
        state_.pen = Pen{PenStyle::kSolid, colour, 1};
        state_.brush = Brush::Solid(colour);
        const std::array<Point, 3> pts{
            Point{SaturateToInt32(p[0] + d), SaturateToInt32(p[1] + d)},
            Point{SaturateToInt32(p[2] + d), SaturateToInt32(p[3] + d)},
            Point{SaturateToInt32(p[4] + d), SaturateToInt32(p[5] + d)},
        };
        PolygonWith(pts, clip);
    };
    if (state & kDfcsInactive) {
        glyph(shift + 1, colours_.btn_highlight);
        glyph(shift, colours_.btn_shadow);
    } else {
        glyph(shift, colours_.btn_text);
    }
    state_ = saved;
}

bool Canvas::DrawFrameControl(Rect& rect, std::uint32_t type, std::uint32_t state) {
    if (type == kDfcButton) {
        if ((state & 0xFF) != kDfcsButtonPush) return false;
        Rect frame = rect;
        if (state & kDfcsMono) {
            const std::uint32_t edge =
                (state & (kDfcsPushed | kDfcsChecked | kDfcsFlat)) ? kEdgeSunken : kEdgeRaised;
            DrawEdge(frame, edge, kBfMono | kBfRect | kBfAdjust);
            FillSolidRect(frame, colours_.btn_face);
        } else if (state & kDfcsFlat) {
            DrawEdge(frame, kEdgeSunken, kBfFlat | kBfRect | kBfMiddle);
        } else if (state & (kDfcsPushed | kDfcsChecked)) {
            DrawEdge(frame, kEdgeSunken, kBfSoft | kBfRect | kBfMiddle);
        } else {
            DrawEdge(frame, kEdgeRaised, kBfSoft | kBfRect | kBfMiddle);
        }
    } else if (type == kDfcScroll) {
        const std::uint32_t which = state & 0xFF;
        if (which > kDfcsScrollRight && which != kDfcsScrollComboBox) return false;
        Rect frame = rect;
        if (state & kDfcsFlat) {
            DrawEdge(frame, kEdgeRaised, kBfFlat | kBfRect | kBfMiddle);
        } else if (state & kDfcsPushed) {
            DrawEdge(frame, kEdgeSunken, kBfRect | kBfMiddle);
        } else {
            DrawEdge(frame, kEdgeRaised, kBfRect | kBfMiddle);
        }
        DrawScrollArrow(rect, state);
    } else {
        return false;
    }
    if (state & kDfcsAdjustRect) {
        rect = {SaturateToInt32(std::int64_t{rect.left} + 2),
                SaturateToInt32(std::int64_t{rect.top} + 2),
                SaturateToInt32(std::int64_t{rect.right} - 2),
                SaturateToInt32(std::int64_t{rect.bottom} - 2)};
    }
    return true;
}

}  // namespace velk
