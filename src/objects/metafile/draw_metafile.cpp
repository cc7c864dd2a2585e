// Drawing a Metafile object: its stored records played into the object's rectangle, within the
// page's clip. The rectangle's edges are exchanged to mirror the picture, as the player of the
// records maps the picture's frame onto the rectangle whichever way its edges run.
#include <utility>

#include "gfx/metafile/metafile_player.h"
#include "objects/draw_object.h"
#include "objects/metafile/metafile_fields.h"
#include "objects/metafile/metafile_kind.h"

namespace velk {

void DrawMetafile(Object& object, DrawContext& ctx) {
    if (!object.metafile || object.metafile->data.empty()) return;
    Rect target = DrawRect(object, ctx);
    const MetafileFields fields(object);
    if (fields.UpsideDown()) std::swap(target.top, target.bottom);
    if (fields.Mirrored()) std::swap(target.left, target.right);
    PlayEnhMetafile(ctx.canvas, ctx.fonts, object.metafile->data, target);
}

}  // namespace velk
