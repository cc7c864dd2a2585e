// The one entry that draws an object of a page: the checks common to every kind, then the
// drawer of the object's kind.
#pragma once

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class Canvas;
class FontCache;
class PictureCache;

struct DrawContext {
    Canvas& canvas;
    FontCache& fonts;
    PictureCache& pictures;
    // Added to every object coordinate while drawing; not zero only while an alias object has
    // another object drawn in its place.
    Point draw_offset;
    // When set, its clipping decides whether the object is visible at all (otherwise canvas).
    const Canvas* clip_canvas = nullptr;
    // Draw even when the object is hidden or not visible (an alias shows its target so).
    bool force_visible = false;
};

// `rect` shifted by the draw offset: where the object lands on the canvas.
inline Rect DrawRect(const Object& object, const DrawContext& ctx) {
    return object.rect.Offset(ctx.draw_offset.x, ctx.draw_offset.y);
}

// Draws one object. Text drawers also fit `rect` to the text they drew (hit tests use it), so
// the object is not const.
void DrawObject(Object& object, DrawContext& ctx);

}  // namespace velk
