// Drawing an Effect object: its latest frame, 1:1 when the object is exactly the frame's size
// and stretched onto its rectangle otherwise. Drawing never steps the animation.
#include "gfx/canvas.h"
#include "objects/draw_object.h"
#include "objects/effect/effect_engine.h"
#include "objects/effect/effect_kind.h"
#include "objects/effect/effect_relief.h"

namespace velk {

void DrawEffect(Object& object, DrawContext& ctx) {
    if (!object.effect_engine) return;
    const EffectEngine& engine = *object.effect_engine;
    if (engine.type < 0) return;
    const Rect drawn = DrawRect(object, ctx);
    if (ReliefDrawsItself(engine)) {
        DrawRelief(engine, ctx.canvas, drawn);
        return;
    }
    if (!engine.filled) return;
    const std::int32_t width = drawn.right - drawn.left, height = drawn.bottom - drawn.top;
    if (width == engine.width && height == engine.height) {
        ctx.canvas.BitBlt(drawn.left, drawn.top, width, height, engine.frame, 0, 0);
    } else {
        ctx.canvas.StretchBlt(drawn.left, drawn.top, width, height, engine.frame, 0, 0,
                              engine.width, engine.height);
    }
}

}  // namespace velk
