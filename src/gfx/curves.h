// Curves flattened into points, as the old desktop turned Béziers and elliptic arcs into lines
// before drawing them: cubic Béziers by subdivision, arcs of an ellipse by angle.
#pragma once

#include <cstdint>
#include <vector>

namespace velk {

struct PointF {
    double x = 0, y = 0;
    bool operator==(const PointF&) const = default;
};

// The points of the cubic Bézier p0 (control p1, p2) p3, p0 and p3 included, close enough that
// no point lies more than about a quarter pixel off the curve. Curves longer than any page are
// cut into at most `max_segments` lines (at most kMaxCurveSegments).
inline constexpr int kMaxCurveSegments = 1024;
std::vector<PointF> FlattenBezier(PointF p0, PointF p1, PointF p2, PointF p3,
                                  int max_segments = kMaxCurveSegments);

// The arc of the ellipse inscribed in the box (left, top, right, bottom), from the angle of
// the ray through `start` to the angle of the ray through `end` (rays from the centre; the
// same ray means the whole ellipse), counter-clockwise on the screen unless `clockwise`.
// Returns the points of the arc, `segments` + 1 of them.
std::vector<PointF> EllipseArc(double left, double top, double right, double bottom, PointF start,
                               PointF end, bool clockwise, int segments);

// The number of segments that draws an ellipse of this size smoothly (from 8 up to
// kMaxCurveSegments).
int SegmentsForEllipse(double width, double height);

}  // namespace velk
