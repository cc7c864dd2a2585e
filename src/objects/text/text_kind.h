// Text objects (kind 1): plain, or smooth (anti-aliased through an off-screen store).
#pragma once

#include "objects/draw_object.h"

namespace velk {

// The drawer of the kind table: smooth with `option1`, else plain.
void DrawTextObject(Object& object, DrawContext& ctx);
void DrawPlainText(Object& object, DrawContext& ctx);
void DrawSmoothText(Object& object, DrawContext& ctx);

}  // namespace velk
