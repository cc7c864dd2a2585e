// Input text (kind 22): a one-line field with a caret and a selection. The drawing makes the
// object's field on first use, sizes it to its text (or cuts the text to a fixed width), turns
// the pointer positions the editing rules left pending into character indices, and shows the
// caret or the selection by inverting the pixels under it.
#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"
#include "objects/draw_support.h"
#include "objects/input_text/input_text_fields.h"
#include "objects/input_text/input_text_kind.h"

namespace velk {
namespace {

InputField& FieldFor(Object& object) {
    if (!object.input_field) {
        object.input_field.emplace();
        object.input_field->text = object.text;
    }
    InputField& field = *object.input_field;
    const InputTextFields fields(object);
    field.text_colour = fields.TextColour();
    field.background_colour = fields.BackgroundColour();
    field.paint_background = fields.PaintsBackground();
    field.fixed_width = fields.FixedWidth();
    field.filter = fields.Filter();
    return field;
}

// A fixed-width field keeps the longest prefix (never the whole text) that fits its width, and
// the caret goes to its end; the cut is for good.
void CutToWidth(InputField& field, const std::vector<std::int64_t>& widths, std::int64_t width) {
    const std::size_t length = widths.size() - 1;
    if (widths[length] <= width) return;
    std::size_t keep = 0;
    for (std::size_t k = 1; k < length && widths[k] <= width; ++k) keep = k;
    field.text.resize(keep);
    field.caret = static_cast<std::int32_t>(std::min<std::size_t>(keep, INT32_MAX));
}

// The caret as a 1-pixel column, or the selection as a band, inverted over the field's height.
void InvertCaret(Canvas& canvas, const InputField& field, const std::vector<std::int64_t>& widths) {
    const std::int64_t left = field.rect.left;
    const std::int64_t cx = left + widths[static_cast<std::size_t>(field.caret)];
    std::int64_t from = cx;
    std::int64_t to = cx + 1;
    if (field.anchor >= 0) {
        const std::int64_t ax = left + widths[static_cast<std::size_t>(field.anchor)];
        from = std::min(cx, ax);
        to = std::max(cx, ax);
    }
    const std::int64_t height = std::int64_t{field.rect.bottom} - field.rect.top;
    canvas.SetBrush(Brush::Solid(MakeBgrx(255, 255, 255)));
    canvas.PatBlt(SaturateToInt32(from), field.rect.top, SaturateToInt32(to - from),
                  SaturateToInt32(height), kPatInvert);
}

}  // namespace

void DrawInput(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    InputField& field = FieldFor(object);
    SavedCanvasState saved(canvas);
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SetTextAlign(kTaLeft | kTaTop);
    const std::shared_ptr<const Font> font = ctx.fonts.Get(object.font);
    canvas.SelectFont(font);

    const TextExtent text_extent = MeasureLine(canvas, field.text.empty() ? " " : field.text);
    object.rect.bottom = SaturateToInt32(std::int64_t{object.rect.top} + text_extent.cy + 2);
    field.rect = DrawRect(object, ctx);
    field.line_height = MeasureLine(canvas, "Myj^").cy + 2;
    const TextExtent m = MeasureLine(canvas, "M");

    CharAdvance advance;
    if (font != nullptr) advance = [&font](char c) { return font->CharAdvance(c); };
    std::vector<std::int64_t> widths = PrefixWidths(field.text, advance);
    if (field.fixed_width) {
        CutToWidth(field, widths, std::int64_t{field.rect.right} - field.rect.left);
        widths.resize(field.text.size() + 1);
    } else {
        field.rect.right = SaturateToInt32(std::int64_t{field.rect.left} + widths.back() + m.cx);
    }
    field.rect.bottom = SaturateToInt32(std::int64_t{field.rect.top} + m.cy + 3);

    if (field.paint_background) {
        canvas.FillSolidRect(field.rect, BgrxFromColorRef(field.background_colour));
    }
    canvas.SetTextColour(BgrxFromColorRef(field.text_colour));
    if (!field.text.empty())
        TextOutClipped(canvas, field.rect.left, field.rect.top, field.rect, field.text);

    if (field.focused) {
        PlacePending(field, widths, MeasureLine(canvas, "t").cx / 2);
        InvertCaret(canvas, field, widths);
    }
    if (!field.fixed_width) {
        object.rect.right =
            SaturateToInt32(std::int64_t{object.rect.left} + field.rect.right - field.rect.left);
    }
}

}  // namespace velk
