// Frames (kind 2), lines (6), shapes (7), polygons (13) and the frame of an application window
// (24): their drawers and the polygon's hit test.
#pragma once

#include "objects/draw_object.h"

namespace velk {

class PictureCache;

void DrawFrame(Object& object, DrawContext& ctx);
void DrawLine(Object& object, DrawContext& ctx);
void DrawShape(Object& object, DrawContext& ctx);
void DrawPolygon(Object& object, DrawContext& ctx);
void DrawApplicationFrame(Object& object, DrawContext& ctx);

// A polygon with a stored hit outline (`points_b`) is hit inside its outline; without one,
// wherever its rectangle is.
bool HitPolygon(const Object& polygon, Point point, PictureCache& pictures);

}  // namespace velk
