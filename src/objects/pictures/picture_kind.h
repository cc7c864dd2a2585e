// Images (kind 3, and the picture-less forms 4 and 30), the still picture of a video (12) and
// matrices (19): their drawers, the picture they show and the image's hit test.
#pragma once

#include "document/picture.h"
#include "objects/draw_object.h"

namespace velk {

class PictureCache;

void DrawImage(Object& object, DrawContext& ctx);
void DrawVideoStill(Object& object, DrawContext& ctx);
void DrawMatrix(Object& object, DrawContext& ctx);

// The picture an Image or a Video still shows: `image2` when `param1` is 1 and `image2` is
// present, otherwise `image1`; none without `image1` (whatever `image2` holds).
const Picture* ShownPicture(const Object& object);

// Images hit inside their outline when they store one (not kind 4), else where their picture
// is: its alpha mask, or any pixel but the key colour.
bool HitImage(const Object& image, Point point, PictureCache& pictures);

}  // namespace velk
