#include "gfx/text_draw.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/saturate.h"

namespace velk {
namespace {

Rect ClampedRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    return {SaturateToInt32(l), SaturateToInt32(t), SaturateToInt32(r), SaturateToInt32(b)};
}

// ExtTextOut: the reference point (x, y) resolved by the text alignment, the opaque cell, then
// the glyphs in the text colour, all limited to `clip` when given.
void DrawRun(Canvas& canvas, std::int64_t x, std::int64_t y, const std::optional<Rect>& clip,
             std::string_view text) {
    const std::shared_ptr<const Font>& font = canvas.GetFont();
    if (!font || text.empty()) return;
    const TextMetrics& m = font->Metrics();
    const std::int64_t width = font->TextWidth(text);
    const std::uint32_t align = canvas.GetTextAlign();

    std::int64_t start = x;
    switch (align & kTaHorizontalMask) {
        case kTaCenter:
            start = x - width / 2;
            break;
        case kTaRight:
            start = x - width;
            break;
        default:
            break;
    }
    std::int64_t baseline = y + m.ascent;
    switch (align & kTaVerticalMask) {
        case kTaBaseline:
            baseline = y;
            break;
        case kTaBottom:
            baseline = y - m.descent;
            break;
        default:
            break;
    }

    Rect limit = canvas.ClipBox();
    if (clip) limit = limit.Intersect(*clip);
    if (limit.IsEmpty()) return;

    if (canvas.GetBkMode() == BkMode::kOpaque) {
        Rect cell = ClampedRect(start, baseline - m.ascent, start + width, baseline + m.descent);
        if (clip) cell = cell.Intersect(*clip);
        if (!cell.IsEmpty()) canvas.FillSolidRect(cell, canvas.GetBkColour());
    }

    // Only the pixels that can be drawn are rendered: the window in pen coordinates.
    const Rect window =
        ClampedRect(limit.left - start, limit.top - baseline, std::int64_t{limit.right} - start,
                    std::int64_t{limit.bottom} - baseline);
    RenderedText run = font->Render(text, window);
    if (run.mask.width <= 0 || run.mask.height <= 0) return;
    canvas.DrawCoverage(SaturateToInt32(start - run.origin_x),
                        SaturateToInt32(baseline - run.baseline), run.mask, canvas.GetTextColour());
}

// One line of DrawText with its mnemonic prefix taken out.
struct Line {
    std::string text;
    std::int32_t prefix = -1;  // the character drawn underlined, or -1
};

// Removes the prefix characters: "&&" is one '&', '&' before another character marks that
// character (the last mark of the line wins), a final lone '&' stays.
Line StripPrefixes(std::string_view raw, bool no_prefix) {
    Line line;
    line.text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!no_prefix && raw[i] == '&' && i + 1 < raw.size()) {
            ++i;
            if (raw[i] != '&') line.prefix = static_cast<std::int32_t>(line.text.size());
        }
        line.text += raw[i];
    }
    return line;
}

// The lines of a DrawText call: the whole text with DT_SINGLELINE, else split at CR, LF and
// CR LF or LF CR pairs.
std::vector<Line> SplitLines(std::string_view text, std::uint32_t format) {
    const bool no_prefix = (format & kDtNoPrefix) != 0;
    std::vector<Line> lines;
    if (format & kDtSingleLine) {
        lines.push_back(StripPrefixes(text, no_prefix));
        return lines;
    }
    std::size_t i = 0;
    while (true) {
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            lines.push_back(StripPrefixes(text.substr(i), no_prefix));
            break;
        }
        lines.push_back(StripPrefixes(text.substr(i, end - i), no_prefix));
        i = end + 1;
        if (i < text.size() && (text[i] == '\r' || text[i] == '\n') && text[i] != text[end]) ++i;
        if (i >= text.size()) break;
    }
    return lines;
}

std::int64_t LinePitch(const TextMetrics& m, std::uint32_t format) {
    return std::int64_t{m.height} + ((format & kDtExternalLeading) ? m.external_leading : 0);
}

}  // namespace

void TextOut(Canvas& canvas, std::int32_t x, std::int32_t y, std::string_view text) {
    DrawRun(canvas, x, y, std::nullopt, text);
}

void TextOutClipped(Canvas& canvas, std::int32_t x, std::int32_t y, const Rect& clip,
                    std::string_view text) {
    DrawRun(canvas, x, y, clip, text);
}

TextExtent GetTextExtent(const Canvas& canvas, std::string_view text) {
    const std::shared_ptr<const Font>& font = canvas.GetFont();
    if (!font) return {};
    return font->Extent(text);
}

std::int32_t DrawText(Canvas& canvas, std::string_view text, const Rect& rect,
                      std::uint32_t format) {
    const std::shared_ptr<const Font>& font = canvas.GetFont();
    if (!font) return 0;
    const TextMetrics& m = font->Metrics();
    const std::int64_t pitch = LinePitch(m, format);
    const bool calc_only = (format & kDtCalcRect) != 0;
    const bool no_clip = (format & kDtNoClip) != 0;
    const std::optional<Rect> clip = no_clip ? std::nullopt : std::optional<Rect>(rect);

    std::int64_t y = rect.top;
    const std::vector<Line> lines = SplitLines(text, format);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const Line& line = lines[n];
        const std::int64_t cx = font->TextWidth(line.text);
        const std::int64_t cy = m.height;
        std::int64_t x = rect.left;
        if (format & kDtCenter) {
            x = (std::int64_t{rect.left} + rect.right - cx) / 2;
        } else if (format & kDtRight) {
            x = rect.right - cx;
        }
        if (format & kDtSingleLine) {
            // Two truncating halves, not (height - cy) / 2: an even box and an odd cell put
            // the text one row lower.
            if (format & kDtVCenter) {
                y = rect.top + (std::int64_t{rect.bottom} - rect.top) / 2 - cy / 2;
            } else if (format & kDtBottom) {
                y = rect.bottom - cy;
            }
        }
        if (!calc_only) {
            DrawRun(canvas, x, y, clip, line.text);
            if (line.prefix >= 0) {
                // The mnemonic: one row under the baseline, under the marked character but
                // its last column.
                std::string_view head(line.text.data(), std::size_t(line.prefix));
                std::int64_t x0 = x + font->TextWidth(head);
                std::int64_t x1 = x0 + font->CharAdvance(line.text[std::size_t(line.prefix)]) - 1;
                std::int64_t row = y + m.ascent + 1;
                Rect mark = ClampedRect(x0, row, x1, row + 1);
                if (clip) mark = mark.Intersect(*clip);
                if (!mark.IsEmpty()) canvas.FillSolidRect(mark, canvas.GetTextColour());
            }
        }
        y += pitch;
        // Lines that would end below the rectangle are not drawn.
        if (!no_clip && !calc_only && n + 1 < lines.size() && y > rect.bottom - pitch) break;
    }
    return SaturateToInt32(y - rect.top);
}

Rect CalcTextRect(const Canvas& canvas, std::string_view text, const Rect& rect,
                  std::uint32_t format) {
    const std::shared_ptr<const Font>& font = canvas.GetFont();
    if (!font) return {rect.left, rect.top, rect.left, rect.top};
    const std::vector<Line> lines = SplitLines(text, format);
    std::int64_t widest = 0;
    for (const Line& line : lines)
        widest = std::max<std::int64_t>(widest, font->TextWidth(line.text));
    const std::int64_t height =
        static_cast<std::int64_t>(lines.size()) * LinePitch(font->Metrics(), format);
    return ClampedRect(rect.left, rect.top, rect.left + widest, rect.top + height);
}

}  // namespace velk
