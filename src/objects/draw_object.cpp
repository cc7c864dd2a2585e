#include "objects/draw_object.h"

#include "gfx/canvas.h"
#include "objects/drawers.h"

namespace velk {
namespace {

using Drawer = void (*)(Object&, DrawContext&);

void DrawText(Object& object, DrawContext& ctx) {
    if (object.option1 != 0) {
        DrawSmoothText(object, ctx);
    } else {
        DrawPlainText(object, ctx);
    }
}

// Kinds missing here draw nothing: they are shown by child windows, by their own later
// drawers (animated GIFs, effects, metafiles), or not at all.
Drawer DrawerOf(std::int32_t kind) {
    switch (kind) {
        case kKindText:
            return DrawText;
        case kKindFrame:
            return DrawFrame;
        case kKindImage:
            return DrawImage;
        case kKindBitmapButton:
            return DrawBitmapButton;
        case kKindLine:
            return DrawLine;
        case kKindShape:
            return DrawShape;
        case kKindTextButton:
            return DrawTextButton;
        case kKindVideo:
            return DrawVideoStill;
        case kKindPolygon:
            return DrawPolygon;
        case kKindMatrix:
            return DrawMatrix;
        case kKindParagraph:
            return DrawParagraph;
        case kKindApplicationWindow:
            return DrawApplicationFrame;
        case kKindInputText:
            return DrawInput;
        default:
            return nullptr;
    }
}

}  // namespace

void DrawObject(Object& object, DrawContext& ctx) {
    // Plug-in objects draw themselves before any check; their host comes later.
    if (object.kind == kKindPlugin) return;
    const Canvas& clip = ctx.clip_canvas ? *ctx.clip_canvas : ctx.canvas;
    if (!clip.RectVisible(DrawRect(object, ctx))) return;
    if (!ctx.force_visible && (object.hidden != 0 || object.visible == 0)) return;
    if (Drawer drawer = DrawerOf(object.kind)) drawer(object, ctx);
}

}  // namespace velk
