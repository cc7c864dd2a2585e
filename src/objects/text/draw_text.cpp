// Text objects (kind 1): plain text drawn straight onto the page, and smooth text drawn at
// twice the size off-screen and averaged down over the page's own pixels. Both fit the
// object's rectangle to the text they drew, which hit testing relies on.
#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/dib_section.h"
#include "gfx/font_cache.h"
#include "gfx/pixel_blend.h"
#include "gfx/text_draw.h"
#include "objects/draw_support.h"
#include "objects/text/text_fields.h"
#include "objects/text/text_kind.h"

namespace velk {
namespace {

enum class Alignment { kLeft, kCentre, kRight };

Alignment AlignmentOf(const Object& object) {
    switch (TextFields(object).Alignment()) {
        case 1:
            return Alignment::kCentre;
        case 2:
            return Alignment::kRight;
        default:
            return Alignment::kLeft;
    }
}

std::uint32_t TextAlignOf(Alignment alignment) {
    switch (alignment) {
        case Alignment::kCentre:
            return kTaCenter | kTaTop;
        case Alignment::kRight:
            return kTaRight | kTaTop;
        default:
            return kTaLeft | kTaTop;
    }
}

// The text colour of the pointer state: normal, pointer over, pressed.
Bgrx TextColourOf(const Object& object) {
    const TextFields fields(object);
    switch (object.state) {
        case kStateOver:
            return BgrxFromColorRef(fields.OverColour());
        case kStatePressed:
            return BgrxFromColorRef(fields.PressedColour());
        default:
            return BgrxFromColorRef(fields.NormalColour());
    }
}

// A fixed-width text keeps its width; every other text takes its lines' width.
bool HasFixedWidth(const Object& object) {
    return TextFields(object).FixedWidth();
}

}  // namespace

void DrawPlainText(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    const Rect r = DrawRect(object, ctx);
    const Alignment alignment = AlignmentOf(object);
    const bool fixed_width = HasFixedWidth(object);
    const std::vector<std::string_view> lines = CutTextLines(object.text);

    std::int64_t widest = 0;
    std::int64_t pitch = 0;
    {
        SavedCanvasState saved(canvas);
        canvas.SetBkMode(BkMode::kTransparent);
        canvas.SelectFont(ctx.fonts.Get(object.font));
        canvas.SetTextColour(TextColourOf(object));
        // The whole text measured as one string gives the line pitch of the auto-size.
        pitch = MeasureLine(canvas, object.text).cy;

        const std::int64_t object_width = object.rect.Width();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string_view line = lines[i];
            const TextExtent extent = MeasureLine(canvas, line);
            const std::int64_t top = std::int64_t{r.top} + std::int64_t(i) * extent.cy;
            if (fixed_width) {
                // DrawText clips each line to its band of the object's width.
                canvas.SetTextAlign(kTaLeft | kTaTop);
                std::uint32_t format = kDtSingleLine | kDtVCenter;
                if (alignment == Alignment::kCentre) format |= kDtCenter;
                if (alignment == Alignment::kRight) format |= kDtRight;
                const Rect band{r.left, SaturateToInt32(top), r.right,
                                SaturateToInt32(top + extent.cy)};
                if (!line.empty()) DrawText(canvas, line, band, format);
            } else {
                canvas.SetTextAlign(TextAlignOf(alignment));
                std::int64_t x = r.left;
                if (alignment == Alignment::kCentre) x = std::int64_t{r.left} + object_width / 2;
                if (alignment == Alignment::kRight) x = r.right;
                if (!line.empty()) TextOut(canvas, SaturateToInt32(x), SaturateToInt32(top), line);
            }
            widest = std::max<std::int64_t>(widest, extent.cx);
        }
    }

    // Auto-size: the rectangle follows the text on every draw.
    if (!fixed_width) object.rect.right = SaturateToInt32(std::int64_t{object.rect.left} + widest);
    std::int64_t height = std::int64_t(lines.size()) * pitch;
    if (height == 0) height = 10;
    object.rect.bottom = SaturateToInt32(std::int64_t{object.rect.top} + height);
}

void DrawSmoothText(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    const Alignment alignment = AlignmentOf(object);
    const std::vector<std::string_view> lines = CutTextLines(object.text);
    const Bgrx ink = TextColourOf(object);

    // Everything is drawn at twice the size, then averaged down.
    LogFont double_size = object.font;
    double_size.height = SaturateToInt32(std::int64_t{object.font.height} * 2);
    const std::shared_ptr<const Font> font = ctx.fonts.Get(double_size);

    // The work bitmap's device context: transparent, aligned as the object, the big font.
    Surface measure_surface;
    Canvas measure(measure_surface);
    measure.SetBkMode(BkMode::kTransparent);
    measure.SetTextAlign(TextAlignOf(alignment));
    measure.SelectFont(font);

    std::int64_t sum_heights = 0;
    std::int64_t widest = 0;
    std::vector<std::int32_t> line_heights;
    line_heights.reserve(lines.size());
    // An empty text is measured as one empty line.
    const std::vector<std::string_view> measured =
        lines.empty() ? std::vector<std::string_view>{std::string_view()} : lines;
    for (std::string_view line : measured) {
        const TextExtent extent = MeasureLine(measure, line);
        line_heights.push_back(extent.cy);
        // An empty line still takes the room of a line of text.
        sum_heights += extent.cy != 0 ? extent.cy : MeasureLine(measure, "Mj").cy;
        widest = std::max<std::int64_t>(widest, extent.cx);
    }
    const std::int64_t w = widest / 2 + 2;
    const std::int64_t h = sum_heights / 2 + 2;

    if (!HasFixedWidth(object))
        object.rect.right = SaturateToInt32(std::int64_t{object.rect.left} + w);
    object.rect.bottom = SaturateToInt32(std::int64_t{object.rect.top} + h);
    // Nothing to draw: the empty text would put the page's own pixels back unchanged.
    if (lines.empty()) return;

    // Where the output goes, after the auto-size above.
    const std::int64_t object_width = object.rect.Width();
    std::int64_t offset_x = 0;
    if (alignment == Alignment::kRight) offset_x = object_width - w;
    if (alignment == Alignment::kCentre) offset_x = (object_width - w) / 2;
    const Rect r = DrawRect(object, ctx);
    const std::int64_t out_left = std::int64_t{r.left} + offset_x;
    const std::int64_t out_top = r.top;

    // Every output pixel depends only on its own 2 x 2 block and the page pixel under it, so
    // only the part the clip lets through is composed: the result is the same, and a huge text
    // does not ask for a huge work bitmap.
    const Rect clip = canvas.ClipBox();
    const std::int64_t left = std::max<std::int64_t>(out_left, clip.left);
    const std::int64_t top = std::max<std::int64_t>(out_top, clip.top);
    const std::int64_t right = std::min<std::int64_t>(out_left + w, clip.right);
    const std::int64_t bottom = std::min<std::int64_t>(out_top + h, clip.bottom);
    if (right <= left || bottom <= top) return;
    const auto part_w = static_cast<std::int32_t>(right - left);
    const auto part_h = static_cast<std::int32_t>(bottom - top);
    const std::int64_t skip_x = left - out_left;  // output pixels left out before the part
    const std::int64_t skip_y = top - out_top;

    // The page under the text is the background the text is blended over.
    DibSection background;
    background.CaptureFromDC(canvas.GetSurface(), canvas.GetViewportOrigin(),
                             static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                             part_w, part_h);

    // The double-size drawing, black on white, in the coordinates of the whole 2w x 2h
    // bitmap.
    DibSection work_store;
    work_store.Recreate(2 * part_w, 2 * part_h, MakeBgrx(255, 255, 255));
    Surface& work = work_store.Pixels();
    {
        Canvas work_canvas(work);
        work_canvas.SetViewportOrigin({SaturateToInt32(-2 * skip_x), SaturateToInt32(-2 * skip_y)});
        work_canvas.SetBkMode(BkMode::kTransparent);
        work_canvas.SetTextAlign(TextAlignOf(alignment));
        work_canvas.SelectFont(font);
        work_canvas.SetTextColour(MakeBgrx(0, 0, 0));
        std::int64_t x = 0;
        if (alignment == Alignment::kCentre) x = w;
        if (alignment == Alignment::kRight) x = 2 * w;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].empty()) continue;
            const std::int64_t y = std::int64_t(i) * line_heights[i];
            TextOut(work_canvas, SaturateToInt32(x), SaturateToInt32(y), lines[i]);
        }
    }

    DibSection output;
    output.Recreate(part_w, part_h);
    Surface& out = output.Pixels();
    const Surface& under = background.Pixels();
    for (std::int32_t y = 0; y < part_h; ++y) {
        BlendInkQuads(work.Row(2 * y), work.Row(2 * y + 1), under.Row(y), out.Row(y),
                      static_cast<std::size_t>(part_w), ink);
    }
    canvas.BitBlt(static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), part_w, part_h,
                  out, 0, 0);
}

void DrawTextObject(Object& object, DrawContext& ctx) {
    if (TextFields(object).Smooth()) {
        DrawSmoothText(object, ctx);
    } else {
        DrawPlainText(object, ctx);
    }
}

}  // namespace velk
