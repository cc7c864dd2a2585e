#include "objects/draw_object.h"

#include "gfx/canvas.h"
#include "objects/kinds.h"

namespace velk {

void DrawObject(Object& object, DrawContext& ctx) {
    const KindTraits& kind = TraitsOf(object.kind);
    // Plug-in objects draw themselves before any check; their host comes later.
    if (kind.draws_itself) return;
    const Canvas& clip = ctx.clip_canvas ? *ctx.clip_canvas : ctx.canvas;
    if (!clip.RectVisible(DrawRect(object, ctx))) return;
    if (!ctx.force_visible && (object.hidden != 0 || object.visible == 0)) return;
    if (kind.draw != nullptr) kind.draw(object, ctx);
}

}  // namespace velk
