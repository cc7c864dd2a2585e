// A set of pixels described by rectangles, as the clip regions and window shapes of the old
// desktop use them.
//
// The rectangles are kept in y-x banded canonical form: sorted by top, then left; the rectangles
// of one band share top and bottom, do not overlap or touch inside the band, and two vertically
// adjacent bands never hold the same columns (they would have been merged). Two regions that
// cover the same pixels therefore hold the same rectangle list, so equality is plain comparison.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/geometry.h"

namespace velk {

// How a polygon's inside is decided where its outline crosses itself.
enum class PolyFillMode {
    kAlternate,  // even-odd: inside where a ray crosses an odd number of edges
    kWinding,    // non-zero: inside where the edges' directions do not cancel
};

class Region {
  public:
    Region() = default;
    // The pixels of `rect`; an empty rectangle gives an empty region.
    explicit Region(const Rect& rect);
    // The union of the rectangles (empty ones are ignored).
    static Region FromRects(std::span<const Rect> rects);
    // The inside of the polygon through `points` (closed back to the first point), with the
    // top-left rule: a pixel belongs when its top-left corner lies inside, left and top edges
    // counting as inside, right and bottom edges as outside. Only the pixels within `limit`
    // are kept, so that a polygon of enormous extent cannot ask for millions of bands.
    static Region FromPolygon(std::span<const Point> points, PolyFillMode mode, const Rect& limit);
    // The inside of several polygons decided together: `counts` cuts `points` into polygons,
    // each closed back to its own first point (a count beyond the points ends the list).
    static Region FromPolygons(std::span<const Point> points, std::span<const std::size_t> counts,
                               PolyFillMode mode, const Rect& limit);

    bool IsEmpty() const { return rects_.empty(); }
    // The smallest rectangle holding every pixel; (0,0,0,0) for an empty region.
    Rect BoundingBox() const { return bounds_; }
    bool Contains(Point p) const;
    // True when some pixel of `rect` belongs to the region.
    bool RectVisible(const Rect& rect) const;

    Region Union(const Region& other) const;
    Region Intersect(const Region& other) const;
    Region Subtract(const Region& other) const;
    Region Xor(const Region& other) const;
    Region Intersect(const Rect& rect) const { return Intersect(Region(rect)); }
    // Moves every pixel; coordinates that would leave the 32-bit range are clamped to it.
    Region Offset(std::int64_t dx, std::int64_t dy) const;

    const std::vector<Rect>& Rects() const { return rects_; }
    std::size_t RectCount() const { return rects_.size(); }
    std::vector<Rect>::const_iterator begin() const { return rects_.begin(); }
    std::vector<Rect>::const_iterator end() const { return rects_.end(); }

    bool operator==(const Region& other) const { return rects_ == other.rects_; }

  private:
    friend class RegionBuilder;
    void UpdateBounds();

    std::vector<Rect> rects_;
    Rect bounds_{};
};

}  // namespace velk
