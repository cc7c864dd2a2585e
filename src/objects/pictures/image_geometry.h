// The arithmetic of the image view: the turn of a picture and the box it covers once turned,
// the angle brought into 0 ... 360, and the outline polygon carried along.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "base/geometry.h"
#include "gfx/image_rotate.h"

namespace velk {

// Degrees to radians as presentations have always turned pictures: 3.14159 / 180, not pi / 180,
// so that turned pictures land on the same pixels as they always did.
inline constexpr double kDegreesToRadians = 3.14159 / 180.0;

// The sine and cosine of an angle in degrees; the quarter turns 0, 90, 180 and 270 are exact.
Turn TurnOf(double degrees);

// The angle brought into 0 <= angle < 360 (-90 gives 270, 725 gives 5). Nullopt for an angle
// that is not a finite number.
std::optional<double> NormalisedAngle(double degrees);

// The box that a width x height picture covers when it is turned about its point at the
// fractions (fx, fy) of its size, that point being the origin: the extremes of the turned
// corners, each rounded to the nearest pixel.
Rect RotatedBox(double width, double height, double fx, double fy, Turn turn);

// Where the origin of a box lies along it, as a fraction of its width and height; 0 on an axis
// without extent.
struct BoxFraction {
    double x = 0.0, y = 0.0;
};
BoxFraction OriginFraction(const Rect& box);

// The outline `points` (given in a reference_width x reference_height frame) scaled to
// width x height and turned so that `source_pivot` of the scaled frame lands on `target_pivot`.
// Nullopt when a reference size is 0.
std::optional<std::vector<Point>> TransformPolygon(
    std::span<const Point> points, std::uint32_t reference_width, std::uint32_t reference_height,
    std::int32_t width, std::int32_t height, Point source_pivot, Point target_pivot, Turn turn);

}  // namespace velk
