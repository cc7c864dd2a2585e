// The drawer of each object kind, called by DrawObject after its common checks. Each lives in
// the file of its family: draw_text.cpp, draw_buttons.cpp, draw_shapes.cpp, draw_pictures.cpp.
#pragma once

#include "objects/draw_object.h"

namespace velk {

// Text (kind 1): plain, or smooth (anti-aliased through an off-screen store) with option1.
void DrawPlainText(Object& object, DrawContext& ctx);
void DrawSmoothText(Object& object, DrawContext& ctx);
// Text button (11) and bitmap button (5).
void DrawTextButton(Object& object, DrawContext& ctx);
void DrawBitmapButton(Object& object, DrawContext& ctx);
// Frame (2), line (6), shape (7), polygon (13), the frame of an application window (24).
void DrawFrame(Object& object, DrawContext& ctx);
void DrawLine(Object& object, DrawContext& ctx);
void DrawShape(Object& object, DrawContext& ctx);
void DrawPolygon(Object& object, DrawContext& ctx);
void DrawApplicationFrame(Object& object, DrawContext& ctx);
// Image (3), the still picture of a video (12), matrix (19).
void DrawImage(Object& object, DrawContext& ctx);
void DrawVideoStill(Object& object, DrawContext& ctx);
void DrawMatrix(Object& object, DrawContext& ctx);
// Input text (22): the one-line field typed into (draw_input.cpp).
void DrawInput(Object& object, DrawContext& ctx);
// Paragraph (15): word-wrapped text with its own scroll bar (draw_paragraph.cpp).
void DrawParagraph(Object& object, DrawContext& ctx);

}  // namespace velk
