// Pen lines: MoveTo/LineTo and polylines.
//
// A line covers, for each step along its major axis (x when |dx| > |dy|, else y), the pixel
// nearest to the exact line, with exact halves going to the smaller minor coordinate: upper
// pixel for an x-major line, left pixel for a y-major one. This is the classic integer walk with
// its per-octant tie rule, written in closed form so that a clipped line uses exactly the pixels
// of the unclipped one. The end point is never drawn; a line of length 0 draws nothing.

#include <algorithm>

#include "gfx/canvas.h"

namespace velk {

namespace {

// The widest pen drawn as wide as asked; wider pens are drawn this wide, which already
// covers any surface.
constexpr std::int64_t kMaxPenWidth = 1 << 16;

std::uint64_t Magnitude(std::int64_t v) {
    return static_cast<std::uint64_t>(v < 0 ? -v : v);
}

// Calls f(x, y) for the pixels of the line (x0, y0) -> (x1, y1), end point excluded, whose
// major-axis coordinate lies in [lo, hi). End points differ by less than 2^32 on each axis.
template <typename F>
void ForEachLinePixel(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                      std::int64_t lo, std::int64_t hi, F f) {
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    if (dx == 0 && dy == 0) return;
    const bool x_major = Magnitude(dx) > Magnitude(dy);
    const std::int64_t maj0 = x_major ? x0 : y0;
    const std::int64_t min0 = x_major ? y0 : x0;
    const std::int64_t dmaj = x_major ? dx : dy;
    const std::int64_t dmin = x_major ? dy : dx;
    const std::uint64_t n = Magnitude(dmaj);
    const std::uint64_t m = Magnitude(dmin);
    const int smaj = dmaj > 0 ? 1 : -1;

    // Steps i in [0, n) whose major coordinate maj0 + smaj * i lies in [lo, hi).
    std::int64_t first = 0, last = static_cast<std::int64_t>(n);
    if (smaj > 0) {
        first = std::max(first, lo - maj0);
        last = std::min(last, hi - maj0);
    } else {
        first = std::max(first, maj0 - hi + 1);
        last = std::min(last, maj0 - lo + 1);
    }
    for (std::int64_t i = first; i < last; ++i) {
        // Minor offset = the exact i * m / n rounded to nearest, halves toward the smaller
        // coordinate: floor((2im + n - 1) / 2n) going forward, -floor((2im + n) / 2n) going
        // back. i * m < 2^64; the remainder keeps the rest small.
        const std::uint64_t im = static_cast<std::uint64_t>(i) * m;
        const std::uint64_t q = im / n, r = im % n;
        std::int64_t off;
        if (dmin >= 0) {
            off = static_cast<std::int64_t>(q + (2 * r + n - 1) / (2 * n));
        } else {
            off = -static_cast<std::int64_t>(q + (2 * r + n) / (2 * n));
        }
        const std::int64_t maj = maj0 + smaj * i;
        const std::int64_t mnr = min0 + off;
        if (x_major) {
            f(maj, mnr);
        } else {
            f(mnr, maj);
        }
    }
}

}  // namespace

void Canvas::Segment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                     const std::vector<Box>& clip) {
    const Pen& pen = state_.pen;
    if (pen.style == PenStyle::kNull || clip.empty()) return;
    const bool x_major = Magnitude(x1 - x0) > Magnitude(y1 - y0);
    const Rop2 rop = state_.rop2;

    if (pen.width <= 1) {
        for (const Box& b : clip) {
            const std::int64_t lo = x_major ? b.left : b.top;
            const std::int64_t hi = x_major ? b.right : b.bottom;
            ForEachLinePixel(x0, y0, x1, y1, lo, hi, [&](std::int64_t x, std::int64_t y) {
                if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) {
                    Apply(surface_.Row(static_cast<std::int32_t>(
                              y + state_.viewport_origin.y))[x + state_.viewport_origin.x],
                          pen.colour, rop);
                }
            });
        }
        return;
    }

    // A wide pen: the union of width x width squares centred on the one-pixel line's pixels,
    // so that each pixel is combined once even with an XOR pen. Only pixels whose squares can
    // reach the drawable area are stamped; squares are collected in device coordinates.
    const std::int64_t w = std::min<std::int64_t>(pen.width, kMaxPenWidth);
    const std::int64_t before = (w - 1) / 2;
    Box bounds = clip.front();
    for (const Box& b : clip) {
        bounds = {std::min(bounds.left, b.left), std::min(bounds.top, b.top),
                  std::max(bounds.right, b.right), std::max(bounds.bottom, b.bottom)};
    }
    const std::int64_t lo = (x_major ? bounds.left : bounds.top) - w;
    const std::int64_t hi = (x_major ? bounds.right : bounds.bottom) + w;
    const std::int64_t mlo = (x_major ? bounds.top : bounds.left) - w;
    const std::int64_t mhi = (x_major ? bounds.bottom : bounds.right) + w;
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    // Each square is cut to the drawable area first: a pen far wider than the page then gives
    // the same square again and again, which is kept once.
    const Box reach{bounds.left + ox, bounds.top + oy, bounds.right + ox, bounds.bottom + oy};
    std::vector<Rect> squares;
    ForEachLinePixel(x0, y0, x1, y1, lo, hi, [&](std::int64_t x, std::int64_t y) {
        const std::int64_t mnr = x_major ? y : x;
        if (mnr < mlo || mnr >= mhi) return;
        const std::int64_t l = x - before + ox, t = y - before + oy;
        const Rect square{static_cast<std::int32_t>(std::max(l, reach.left)),
                          static_cast<std::int32_t>(std::max(t, reach.top)),
                          static_cast<std::int32_t>(std::min(l + w, reach.right)),
                          static_cast<std::int32_t>(std::min(t + w, reach.bottom))};
        if (square.IsEmpty() || (!squares.empty() && squares.back() == square)) return;
        squares.push_back(square);
    });
    for (const Rect& r : Region::FromRects(squares)) {
        FillBox({r.left - ox, r.top - oy, r.right - ox, r.bottom - oy}, pen.colour, rop, clip);
    }
}

void Canvas::LineTo(std::int32_t x, std::int32_t y) {
    Segment(state_.position.x, state_.position.y, x, y, LogicalClip());
    state_.position = {x, y};
}

void Canvas::Polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    const std::vector<Box> clip = LogicalClip();
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        Segment(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, clip);
    }
}

}  // namespace velk
