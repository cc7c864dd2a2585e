// Several polygons filled as one figure (PolyPolygon, and the fill of a path), and regions
// filled with the brush.

#include "base/saturate.h"
#include "gfx/canvas.h"

namespace velk {

namespace {

// The points of each polygon `counts` names, while the points last.
template <typename F>
void ForEachPolygon(std::span<const Point> points, std::span<const std::size_t> counts, F f) {
    std::size_t first = 0;
    for (const std::size_t count : counts) {
        if (count > points.size() - first) return;
        f(points.subspan(first, count));
        first += count;
    }
}

}  // namespace

void Canvas::FillPolyPolygon(std::span<const Point> points, std::span<const std::size_t> counts) {
    const std::vector<Box> clip = LogicalClip();
    const std::optional<Box> bounds = ClipBounds(clip);
    if (!bounds || state_.brush.null) return;
    // The polygons' pixels have 32-bit coordinates, so clamping the limit loses none.
    const Rect limit{SaturateToInt32(bounds->left), SaturateToInt32(bounds->top),
                     SaturateToInt32(bounds->right), SaturateToInt32(bounds->bottom)};
    const Region inside = Region::FromPolygons(points, counts, state_.poly_fill_mode, limit);
    for (const Rect& r : inside)
        FillBrushBox({r.left, r.top, r.right, r.bottom}, state_.rop2, clip);
}

void Canvas::PolyPolygon(std::span<const Point> points, std::span<const std::size_t> counts) {
    FillPolyPolygon(points, counts);
    const std::vector<Box> clip = LogicalClip();
    if (clip.empty()) return;
    ForEachPolygon(points, counts, [&](std::span<const Point> polygon) {
        if (polygon.size() < 2) return;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Point& p = polygon[i];
            const Point& q = polygon[(i + 1) % polygon.size()];
            Segment(p.x, p.y, q.x, q.y, clip);
        }
    });
}

}  // namespace velk
