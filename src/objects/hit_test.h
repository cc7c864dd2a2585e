// Whether a page point hits an object, as pointer handling asks it: the object's rectangle
// grown by a tolerance, and, when a precise answer is wanted, the picture-based tests of alpha
// bitmap buttons, outlined and keyed pictures and alpha masks.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class PictureCache;

// The picture an Image or a Video still shows: `image2` when `param1` is 1 and `image2` is
// present, otherwise `image1`; none without `image1` (whatever `image2` holds).
const Picture* ShownPicture(const Object& object);

// The hit test of one object at a page point (the object's own coordinates; the draw offset
// plays no part). `tolerance` grows the rectangle on every side. Without `precise` the grown
// rectangle decides; with it, alpha bitmap buttons (kind 5 with `option2`), Images (3), their
// picture-less forms (4, 30) and Polygons (13) look at their pixels or outline.
bool HitTestObject(const Object& object, Point point, std::int32_t tolerance, bool precise,
                   PictureCache& pictures);

// The outline test alone: `points_a` (relative to the top-left of `rect`) filled and traced in
// white on black in a picture of the size of `rect`; the point hits where that picture is not
// black. An empty outline, a rectangle without area or a point outside it does not hit.
bool HitTestOutline(const Object& object, Point point);

}  // namespace velk
