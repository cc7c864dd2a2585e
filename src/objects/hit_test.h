// Whether a page point hits an object, as pointer handling asks it: the object's rectangle
// grown by a tolerance, and, when a precise answer is wanted, the picture-based tests of alpha
// bitmap buttons, outlined and keyed pictures and alpha masks.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "base/rgb_image.h"
#include "document/object.h"

namespace velk {

class PictureCache;

// The three bytes (blue, green, red) of the pixel at (x, y), or null outside the picture.
const std::uint8_t* RgbPixelAt(const RgbImage& picture, std::int64_t x, std::int64_t y);

// The hit test of one object at a page point (the object's own coordinates; the draw offset
// plays no part). `tolerance` grows the rectangle on every side. Without `precise` the grown
// rectangle decides; with it, the kind's own precise test (see kinds.h) looks at its pixels or
// outline: alpha bitmap buttons, Images and their picture-less forms, Polygons.
bool HitTestObject(const Object& object, Point point, std::int32_t tolerance, bool precise,
                   PictureCache& pictures);

// The outline test alone: `points_a` (relative to the top-left of `rect`) filled and traced in
// white on black in a picture of the size of `rect`; the point hits where that picture is not
// black. An empty outline, a rectangle without area or a point outside it does not hit.
bool HitTestOutline(const Object& object, Point point);

}  // namespace velk
