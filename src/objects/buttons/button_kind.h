// Text buttons (kind 11) and bitmap buttons (5): their drawers and the bitmap button's hit test.
#pragma once

#include "objects/draw_object.h"

namespace velk {

class PictureCache;

void DrawTextButton(Object& object, DrawContext& ctx);
void DrawBitmapButton(Object& object, DrawContext& ctx);

// An alpha bitmap button (`option2`) is hit where its state's opacity is above 10; other bitmap
// buttons wherever their rectangle is.
bool HitBitmapButton(const Object& button, Point point, PictureCache& pictures);

}  // namespace velk
