// Filled figures: Rectangle, Ellipse and Polygon. The brush is painted first and the pen on
// top, both through the raster operation.

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "base/saturate.h"
#include "gfx/canvas.h"

namespace velk {

namespace {

// Ellipses up to this diameter are traced with the exact integer walk; larger ones (far larger
// than any page) are computed row by row from the equation, only over the visible rows.
constexpr std::int64_t kMaxTracedDiameter = std::int64_t{1} << 16;

// The outline pixels of one row of a traced ellipse: the walk's pixels [first, last] on the
// left-hand side and their mirror image on the right.
struct OutlineRow {
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t last = std::numeric_limits<std::int64_t>::min();

    bool Empty() const { return first > last; }
    void Add(std::int64_t x) {
        first = std::min(first, x);
        last = std::max(last, x);
    }
};

// A run of pixels of a row, both ends inclusive.
struct PixelRun {
    std::int64_t first, last;
};

// The pixels of an outline row: one run when the two sides meet, else the left one first.
struct RowPixels {
    std::array<PixelRun, 2> runs;
    std::size_t count;
};

RowPixels RowRuns(const OutlineRow& row, std::int64_t a) {
    PixelRun left{row.first, row.last};
    PixelRun right{a - row.last, a - row.first};
    if (right.first < left.first) std::swap(left, right);
    if (right.first <= left.last + 1) {
        return {{PixelRun{left.first, std::max(left.last, right.last)}, right}, 1};
    }
    return {{left, right}, 2};
}

// The outline of the ellipse inscribed in the inclusive box [0, a] x [0, b] (a, b >= 2), one
// entry a row: A. Zingl's integer walk over one quadrant from the middle row's rightmost pixel,
// mirrored both ways, with the walk's finishing step that completes the tips of tall, thin
// ellipses. The walk steps one column at a time, so each row's pixels on one side are
// contiguous; the mirror images (a - x, b - y) are implied.
std::vector<OutlineRow> TraceEllipse(std::int64_t a, std::int64_t b) {
    std::vector<OutlineRow> rows(static_cast<std::size_t>(b + 1));
    const auto mark = [&](std::int64_t x, std::int64_t y) {
        rows[static_cast<std::size_t>(y)].Add(x);
        rows[static_cast<std::size_t>(b - y)].Add(x);
    };
    std::int64_t b1 = b & 1;
    std::int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    std::int64_t err = dx + dy + b1 * a * a;
    std::int64_t x0 = 0, x1 = a;
    std::int64_t y0 = (b + 1) / 2, y1 = y0 - b1;
    const std::int64_t step_y = 8 * a * a, step_x = 8 * b * b;
    do {
        mark(x0, y0);  // with (x1, y0), (x0, y1) and (x1, y1) as its mirror images
        const std::int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++y0;
            --y1;
            dy += step_y;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            dx += step_x;
            err += dx;
        }
    } while (x0 <= x1);
    while (y0 - y1 <= b) {
        mark(x0 - 1, y0);
        ++y0;
        --y1;
    }
    return rows;
}

}  // namespace

void Canvas::Rectangle(const Rect& rect) {
    const std::int64_t l = std::min(rect.left, rect.right), r = std::max(rect.left, rect.right);
    const std::int64_t t = std::min(rect.top, rect.bottom), b = std::max(rect.top, rect.bottom);
    if (l == r || t == b) return;
    const std::vector<Box> clip = LogicalClip();
    const bool pen = state_.pen.style != PenStyle::kNull;
    if (!state_.brush.null) {
        // Inside the outline; without a pen the figure is one pixel smaller in each direction.
        const Box inner = pen ? Box{l + 1, t + 1, r - 1, b - 1} : Box{l, t, r - 1, b - 1};
        FillBrushBox(inner, state_.rop2, clip);
    }
    if (pen) {
        // The closed outline through the corners (r-1,t) (l,t) (l,b-1) (r-1,b-1).
        Segment(r - 1, t, l, t, clip);
        Segment(l, t, l, b - 1, clip);
        Segment(l, b - 1, r - 1, b - 1, clip);
        Segment(r - 1, b - 1, r - 1, t, clip);
    }
}

void Canvas::Ellipse(const Rect& rect) {
    const std::int64_t l = std::min(rect.left, rect.right), r = std::max(rect.left, rect.right);
    const std::int64_t t = std::min(rect.top, rect.bottom), b = std::max(rect.top, rect.bottom);
    const std::int64_t w = r - l, h = b - t;
    if (w == 0 || h == 0) return;
    if (w <= 2 || h <= 2) {
        Rectangle(rect);
        return;
    }
    const std::vector<Box> clip = LogicalClip();
    if (clip.empty()) return;
    const bool pen = state_.pen.style != PenStyle::kNull;
    const Rop2 rop = state_.rop2;

    if (w <= kMaxTracedDiameter && h <= kMaxTracedDiameter) {
        const std::int64_t a = w - 1;
        const std::vector<OutlineRow> rows = TraceEllipse(a, h - 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].Empty()) continue;
            const std::int64_t y = t + static_cast<std::int64_t>(i);
            const auto [runs, count] = RowRuns(rows[i], a);
            // Each row is filled from its leftmost to its rightmost outline pixel.
            if (!state_.brush.null) {
                FillBrushBox({l + runs[0].first, y, l + runs[count - 1].last + 1, y + 1}, rop,
                             clip);
            }
            if (!pen) continue;
            // The clip boxes reaching the row are looked up once for all its pixels.
            const auto first_box = FirstClipBoxReaching(clip, y);
            for (std::size_t k = 0; k < count; ++k) {
                for (std::int64_t x = runs[k].first; x <= runs[k].last; ++x) {
                    PlotInRow(first_box, clip.end(), l + x, y, state_.pen.colour, rop);
                }
            }
        }
        return;
    }

    // A giant ellipse: the same curve through the pixel centres of the inclusive box, row by
    // row over the visible rows only; a pixel is outline when it ends its row or lies beyond
    // the row above or below.
    std::int64_t vis_top = clip.front().top, vis_bottom = clip.front().bottom;
    for (const Box& c : clip) {
        vis_top = std::min(vis_top, c.top);
        vis_bottom = std::max(vis_bottom, c.bottom);
    }
    const long double rx = (w - 1) / 2.0L, ry = (h - 1) / 2.0L;
    auto extent = [&](std::int64_t row, std::int64_t& xl, std::int64_t& xr) {
        if (row < 0 || row >= h) return false;
        const long double d = (row - ry) / ry;
        const long double half = rx * std::sqrt(std::max(0.0L, 1.0L - d * d));
        xl = static_cast<std::int64_t>(std::floor(rx - half + 0.5L));
        xr = (w - 1) - xl;
        return true;
    };
    const std::int64_t first = std::max<std::int64_t>(0, vis_top - t);
    const std::int64_t last = std::min<std::int64_t>(h, vis_bottom - t);
    for (std::int64_t row = first; row < last; ++row) {
        std::int64_t xl = 0, xr = 0;
        if (!extent(row, xl, xr)) continue;
        if (!state_.brush.null) FillBrushBox({l + xl, t + row, l + xr + 1, t + row + 1}, rop, clip);
        if (!pen) continue;
        std::int64_t inner_l = xr + 1, inner_r = xl - 1;  // empty: the whole row is outline
        std::int64_t al = 0, ar = 0, bl = 0, br = 0;
        if (extent(row - 1, al, ar) && extent(row + 1, bl, br)) {
            inner_l = std::max({al, bl, xl + 1});
            inner_r = std::min({ar, br, xr - 1});
        }
        if (inner_l > inner_r) {
            Span(t + row, l + xl, l + xr + 1, state_.pen.colour, rop, clip);
        } else {
            Span(t + row, l + xl, l + inner_l, state_.pen.colour, rop, clip);
            Span(t + row, l + inner_r + 1, l + xr + 1, state_.pen.colour, rop, clip);
        }
    }
}

void Canvas::PolygonWith(std::span<const Point> points, const std::vector<Box>& clip) {
    if (points.size() < 2 || clip.empty()) return;
    if (!state_.brush.null) {
        Box bounds = clip.front();
        for (const Box& c : clip) {
            bounds = {std::min(bounds.left, c.left), std::min(bounds.top, c.top),
                      std::max(bounds.right, c.right), std::max(bounds.bottom, c.bottom)};
        }
        // The polygon's pixels have 32-bit coordinates, so clamping the limit loses none.
        const Rect limit{SaturateToInt32(bounds.left), SaturateToInt32(bounds.top),
                         SaturateToInt32(bounds.right), SaturateToInt32(bounds.bottom)};
        const Region inside = Region::FromPolygon(points, state_.poly_fill_mode, limit);
        for (const Rect& r : inside)
            FillBrushBox({r.left, r.top, r.right, r.bottom}, state_.rop2, clip);
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        const Point& q = points[(i + 1) % points.size()];
        Segment(p.x, p.y, q.x, q.y, clip);
    }
}

void Canvas::Polygon(std::span<const Point> points) {
    PolygonWith(points, LogicalClip());
}

}  // namespace velk
