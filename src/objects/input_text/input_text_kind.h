// Input texts (kind 22): the one-line field typed into.
#pragma once

#include "objects/draw_object.h"

namespace velk {

void DrawInput(Object& object, DrawContext& ctx);

}  // namespace velk
