// Paragraph objects (kind 15): word-wrapped text in the object's rectangle with a scroll bar in
// a 15-pixel column on the right when the lines do not all fit. The layout is kept on the
// object, so the pointer code knows where the scroll bar's parts were drawn.
#include <algorithm>
#include <memory>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"
#include "objects/draw_support.h"
#include "objects/paragraph/paragraph_fields.h"
#include "objects/paragraph/paragraph_kind.h"
#include "objects/paragraph/paragraph_text.h"

namespace velk {
namespace {

constexpr std::uint32_t kTrackColour = 0xE0E0E0;
constexpr std::uint32_t kHeldTrackColour = 0xC6C6C6;
// param2 = 1 asks for the flat look of arrows and thumb.

std::int32_t AlignmentOf(std::uint32_t param1) {
    return param1 >= 1 && param1 <= 3 ? static_cast<std::int32_t>(param1) : 0;
}

std::uint16_t AreaSize(std::int64_t size) {
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(size, 0, UINT16_MAX));
}

// The text area: the drawn rectangle less the scroll column. The lines are wrapped again when
// its size changed.
void PlaceArea(ParagraphLayout& layout, const Rect& drawn) {
    const std::uint16_t width =
        AreaSize(std::int64_t{drawn.right} - drawn.left - kParagraphScrollWidth);
    const std::uint16_t height = AreaSize(std::int64_t{drawn.bottom} - drawn.top);
    if (width != layout.width || height != layout.height) layout.lines.clear();
    layout.origin = {drawn.left, drawn.top};
    layout.width = width;
    layout.height = height;
}

void DrawLines(Canvas& canvas, const Font& font, const ParagraphLayout& layout,
               std::int32_t line_height) {
    for (std::int64_t k = 0; (k + 1) * line_height <= layout.height; ++k) {
        const std::int64_t index = layout.first_line + k;
        if (index >= std::int64_t(layout.lines.size())) break;
        const std::string& line = layout.lines[std::size_t(index)];
        const std::int32_t x =
            ParagraphLineX(layout.alignment, layout.origin.x, layout.width, font.TextWidth(line));
        TextOut(canvas, x, SaturateToInt32(layout.origin.y + k * line_height), line);
    }
}

std::uint32_t ArrowState(std::uint32_t direction, bool flat, bool held) {
    if (flat) return direction | kDfcsFlat | (held ? kDfcsPushed : 0);
    return held ? direction | kDfcsFlat | kDfcsPushed : direction;
}

std::uint32_t ThumbState(bool flat, bool held) {
    if (!flat) return kDfcsButtonPush;
    return kDfcsButtonPush | kDfcsFlat | (held ? kDfcsMono : 0);
}

void DrawScrollBar(Canvas& canvas, ParagraphLayout& layout, bool flat) {
    const std::int32_t x = SaturateToInt32(std::int64_t{layout.origin.x} + layout.width);
    const std::int32_t right = SaturateToInt32(std::int64_t{x} + kParagraphScrollWidth);
    const std::int32_t top = layout.origin.y;
    const std::int32_t bottom = SaturateToInt32(std::int64_t{top} + layout.height);
    const Rect thumb = ParagraphThumb({x, top}, layout.height, layout.line_count, layout.first_line,
                                      layout.visible_lines);

    canvas.FillSolidRect({x, top, right, bottom}, BgrxFromColorRef(kTrackColour));
    if (layout.page_up_pressed) {
        canvas.FillSolidRect({x, top, right, thumb.top}, BgrxFromColorRef(kHeldTrackColour));
    }
    if (layout.page_down_pressed) {
        canvas.FillSolidRect({x, thumb.bottom, right, bottom}, BgrxFromColorRef(kHeldTrackColour));
    }
    Rect up{x, top, right, SaturateToInt32(std::int64_t{top} + kParagraphScrollWidth)};
    canvas.DrawFrameControl(up, kDfcScroll, ArrowState(kDfcsScrollUp, flat, layout.up_pressed));
    Rect down{x, SaturateToInt32(std::int64_t{bottom} - kParagraphScrollWidth), right, bottom};
    canvas.DrawFrameControl(down, kDfcScroll,
                            ArrowState(kDfcsScrollDown, flat, layout.down_pressed));
    Rect drawn_thumb = thumb;
    canvas.DrawFrameControl(drawn_thumb, kDfcButton, ThumbState(flat, layout.thumb_pressed));
    layout.thumb = thumb;
}

}  // namespace

void DrawParagraph(Object& object, DrawContext& ctx) {
    if (!object.paragraph_layout) {
        object.paragraph_layout.emplace();
        object.paragraph_layout->words = ParagraphWords(object.text);
    }
    ParagraphLayout& layout = *object.paragraph_layout;
    const ParagraphFields fields(object);
    layout.alignment = AlignmentOf(fields.Alignment());
    PlaceArea(layout, DrawRect(object, ctx));

    const std::shared_ptr<const Font> font = ctx.fonts.Get(object.font);
    // Without a font there is no line height to lay out by.
    if (!font || font->Metrics().height <= 0) return;
    Canvas& canvas = ctx.canvas;
    SavedCanvasState saved(canvas);
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SetTextAlign(kTaLeft | kTaTop);
    canvas.SelectFont(font);
    canvas.SetTextColour(BgrxFromColorRef(fields.TextColour()));

    const std::int32_t line_height = GetTextExtent(canvas, "Wy").cy;
    layout.visible_lines = layout.height / line_height;
    if (layout.lines.empty()) {
        layout.lines = WrapParagraph(layout.words, layout.width,
                                     [&font](char c) { return font->CharAdvance(c); });
    }
    layout.first_line = layout.ClampedFirstLine(layout.first_line);
    DrawLines(canvas, *font, layout, line_height);

    layout.has_scroll_bar = std::int64_t(layout.lines.size()) > layout.visible_lines;
    if (!layout.has_scroll_bar) return;
    layout.line_count = static_cast<std::int32_t>(
        std::min<std::size_t>(layout.lines.size(), std::size_t{INT32_MAX}));
    DrawScrollBar(canvas, layout, fields.FlatScrollBar());
}

}  // namespace velk
