#include "objects/pictures/image_geometry.h"

#include <algorithm>
#include <cmath>

#include "base/saturate.h"

namespace velk {

Turn TurnOf(double degrees) {
    if (degrees == 0.0) return {0.0, 1.0};
    if (degrees == 90.0) return {1.0, 0.0};
    if (degrees == 180.0) return {0.0, -1.0};
    if (degrees == 270.0) return {-1.0, 0.0};
    const double theta = degrees * kDegreesToRadians;
    return {std::sin(theta), std::cos(theta)};
}

std::optional<double> NormalisedAngle(double degrees) {
    if (!std::isfinite(degrees)) return std::nullopt;
    if (degrees >= 0.0 && degrees < 360.0) return degrees;
    const double a = std::fabs(degrees);
    const double whole = std::trunc(a);
    const double turned = a - whole + std::fmod(whole, 360.0);
    double angle = degrees >= 0.0 ? turned : 360.0 - turned;
    // A whole number of turns backwards would give 360: it is no turn at all.
    if (angle >= 360.0) angle -= 360.0;
    return angle;
}

Rect RotatedBox(double width, double height, double fx, double fy, Turn turn) {
    const double xs[2] = {-width * fx, width - width * fx};
    const double ys[2] = {-height * fy, height - height * fy};
    double left = 0, top = 0, right = 0, bottom = 0;
    bool first = true;
    for (const double x : xs) {
        for (const double y : ys) {
            const double tx = turn.cos * (x - 0.5) - turn.sin * (y - 0.5) + 0.5;
            const double ty = turn.cos * (y - 0.5) + turn.sin * (x - 0.5) + 0.5;
            left = first ? tx : std::min(left, tx);
            right = first ? tx : std::max(right, tx);
            top = first ? ty : std::min(top, ty);
            bottom = first ? ty : std::max(bottom, ty);
            first = false;
        }
    }
    // Each edge to the nearest pixel: an unturned box is then exactly width x height wherever
    // the pivot lies, even with half-pixel edges.
    const auto nearest = [](double v) { return SaturateCast<std::int32_t>(std::floor(v + 0.5)); };
    return {nearest(left), nearest(top), nearest(right), nearest(bottom)};
}

BoxFraction OriginFraction(const Rect& box) {
    const double width = double(box.right) - box.left;
    const double height = double(box.bottom) - box.top;
    return {width > 0 ? -double(box.left) / width : 0.0,
            height > 0 ? -double(box.top) / height : 0.0};
}

std::optional<std::vector<Point>> TransformPolygon(
    std::span<const Point> points, std::uint32_t reference_width, std::uint32_t reference_height,
    std::int32_t width, std::int32_t height, Point source_pivot, Point target_pivot, Turn turn) {
    // The reference size is stored unsigned; a value past the signed range counts as none.
    if (static_cast<std::int32_t>(reference_width) <= 0 ||
        static_cast<std::int32_t>(reference_height) <= 0) {
        return std::nullopt;
    }
    std::vector<Point> out;
    out.reserve(points.size());
    for (const Point& p : points) {
        const double a = double(p.x) * width / reference_width - source_pivot.x;
        const double b = double(p.y) * height / reference_height - source_pivot.y;
        out.push_back({SaturateCast<std::int32_t>(
                           std::floor(target_pivot.x + 0.5 + turn.cos * a - turn.sin * b)),
                       SaturateCast<std::int32_t>(
                           std::floor(target_pivot.y + 0.5 + turn.cos * b + turn.sin * a))});
    }
    return out;
}

}  // namespace velk
