// Paragraphs (kind 15): word-wrapped text with its own scroll bar.
#pragma once

#include "objects/draw_object.h"

namespace velk {

void DrawParagraph(Object& object, DrawContext& ctx);

}  // namespace velk
