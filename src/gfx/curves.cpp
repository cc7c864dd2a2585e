#include "gfx/curves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velk {

namespace {

double Distance(PointF a, PointF b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

std::vector<PointF> FlattenBezier(PointF p0, PointF p1, PointF p2, PointF p3, int max_segments) {
    max_segments = std::clamp(max_segments, 1, kMaxCurveSegments);
    // The control polygon's length bounds the curve's; one segment for every two pixels of it
    // keeps the chords within a quarter pixel for the curves a page shows.
    const double length = Distance(p0, p1) + Distance(p1, p2) + Distance(p2, p3);
    int segments = 1;
    if (std::isfinite(length)) {
        segments = static_cast<int>(
            std::clamp(std::ceil(length / 2.0), 1.0, static_cast<double>(max_segments)));
    }
    std::vector<PointF> points;
    points.reserve(static_cast<std::size_t>(segments) + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments, u = 1.0 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        points.push_back(
            {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    points.front() = p0;
    points.back() = p3;
    return points;
}

int SegmentsForEllipse(double width, double height) {
    const double size = std::abs(width) + std::abs(height);
    if (!std::isfinite(size)) return kMaxCurveSegments;
    return static_cast<int>(std::clamp(std::ceil(size), 8.0, double{kMaxCurveSegments}));
}

std::vector<PointF> EllipseArc(double left, double top, double right, double bottom, PointF start,
                               PointF end, bool clockwise, int segments) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double rx = std::abs(right - left) / 2, ry = std::abs(bottom - top) / 2;
    // Angles on the screen grow counter-clockwise, against the y axis. The ray through a
    // point meets the ellipse at the parameter of that point scaled to the unit circle.
    const double sx = rx > 0 ? rx : 1, sy = ry > 0 ? ry : 1;
    const double a0 = std::atan2(-(start.y - cy) / sy, (start.x - cx) / sx);
    const double a1 = std::atan2(-(end.y - cy) / sy, (end.x - cx) / sx);
    constexpr double kTurn = 2 * std::numbers::pi;
    double sweep = clockwise ? a0 - a1 : a1 - a0;
    if (!std::isfinite(sweep)) sweep = 0;
    while (sweep <= 0) sweep += kTurn;
    while (sweep > kTurn) sweep -= kTurn;
    segments = std::clamp(segments, 1, kMaxCurveSegments);
    std::vector<PointF> points;
    points.reserve(static_cast<std::size_t>(segments) + 1);
    for (int i = 0; i <= segments; ++i) {
        const double step = sweep * i / segments;
        const double a = clockwise ? a0 - step : a0 + step;
        points.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    }
    return points;
}

}  // namespace velk
