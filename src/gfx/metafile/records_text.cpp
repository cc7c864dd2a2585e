// Text output: ExtTextOut and PolyTextOut, in code-page bytes or UTF-16, with or without the
// advances of each character. The font's height and width are logical units, mapped like a
// vertical and a horizontal length; escapement is not drawn.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "base/codepage.h"
#include "gfx/font_cache.h"
#include "gfx/metafile/records.h"
#include "gfx/text_draw.h"

namespace velk::emf {

namespace {

// The part of a text record that describes one string.
struct TextRun {
    PointF reference;
    std::uint32_t chars = 0;
    std::uint32_t string_at = 0;
    std::uint32_t options = 0;
    Rect rect;
    std::uint32_t dx_at = 0;
};

TextRun ReadRun(ByteReader& in) {
    TextRun run;
    const Point p = ReadPoint(in);
    run.reference = {double(p.x), double(p.y)};
    run.chars = in.U32();
    run.string_at = in.U32();
    run.options = in.U32();
    run.rect = ReadRect(in);
    run.dx_at = in.U32();
    return run;
}

double AxisScale(const Xform& x, PointF axis) {
    const PointF v = x.ApplyVector(axis);
    return std::hypot(v.x, v.y);
}

std::int32_t ScaleLength(std::int32_t length, double scale) {
    return SaturateCast<std::int32_t>(std::floor(std::abs(double(length)) * scale + 0.5)) *
           (length < 0 ? -1 : 1);
}

// The selected font at its size on the page; none when no face can be used.
std::shared_ptr<const Font> PageFont(PlayContext& ctx) {
    const Xform to_page = ctx.ToPage();
    LogFont font = ctx.dc.font.font;
    font.height = ScaleLength(font.height, AxisScale(to_page, {0, 1}));
    font.width = ScaleLength(font.width, AxisScale(to_page, {1, 0}));
    return ctx.fonts.Get(font);
}

std::string ReadString(const Record& r, const TextRun& run, bool wide) {
    if (!wide) {
        const std::span<const std::uint8_t> bytes = r.Part(run.string_at, run.chars);
        return std::string(bytes.begin(), bytes.end());
    }
    if (run.chars > UINT32_MAX / 2) throw ArchiveError("metafile text too long");
    ByteReader in(r.Part(run.string_at, run.chars * 2));
    std::u16string units;
    units.reserve(run.chars);
    for (std::uint32_t i = 0; i < run.chars; ++i) units.push_back(in.U16());
    return Utf16ToCp1252(units);
}

// The advance of each character in logical units, when the record gives them.
std::vector<std::int32_t> ReadAdvances(const Record& r, const TextRun& run) {
    if (run.dx_at == 0 || run.chars == 0) return {};
    const bool pairs = (run.options & kEtoPdy) != 0;
    const std::uint64_t size = std::uint64_t{run.chars} * (pairs ? 8 : 4);
    if (size > r.bytes.size()) throw ArchiveError("metafile text advances outside the record");
    ByteReader in(r.Part(run.dx_at, static_cast<std::uint32_t>(size)));
    std::vector<std::int32_t> advances;
    advances.reserve(run.chars);
    for (std::uint32_t i = 0; i < run.chars; ++i) {
        advances.push_back(in.I32());
        if (pairs) in.I32();
    }
    return advances;
}

// The characters one by one at the given page advances: the reference point resolved by the
// alignment over their sum, the opaque cell filled once, then each glyph from the left.
void DrawSpaced(Canvas& canvas, Point reference, const std::string& text,
                std::span<const std::int32_t> page_x, std::int32_t width,
                const std::optional<Rect>& clip) {
    const TextMetrics& m = canvas.GetFont()->Metrics();
    const std::uint32_t align = canvas.GetTextAlign();
    std::int64_t start = reference.x;
    if ((align & kTaHorizontalMask) == kTaCenter) start -= width / 2;
    if ((align & kTaHorizontalMask) == kTaRight) start -= width;
    std::int64_t baseline = std::int64_t{reference.y} + m.ascent;
    if ((align & kTaVerticalMask) == kTaBaseline) baseline = reference.y;
    if ((align & kTaVerticalMask) == kTaBottom) baseline = std::int64_t{reference.y} - m.descent;
    if (canvas.GetBkMode() == BkMode::kOpaque) {
        Rect cell{SaturateToInt32(std::min<std::int64_t>(start, start + width)),
                  SaturateToInt32(baseline - m.ascent),
                  SaturateToInt32(std::max<std::int64_t>(start, start + width)),
                  SaturateToInt32(baseline + m.descent)};
        if (clip) cell = cell.Intersect(*clip);
        if (!cell.IsEmpty()) canvas.FillSolidRect(cell, canvas.GetBkColour());
    }
    canvas.SaveDC();
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SetTextAlign(kTaLeft | kTaBaseline);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::int32_t x = SaturateToInt32(start + page_x[i]);
        const std::int32_t y = SaturateToInt32(baseline);
        if (clip) {
            TextOutClipped(canvas, x, y, *clip, std::string_view(text).substr(i, 1));
        } else {
            TextOut(canvas, x, y, std::string_view(text).substr(i, 1));
        }
    }
    canvas.RestoreDC();
}

void DrawRun(PlayContext& ctx, const Record& r, const TextRun& run, bool wide) {
    if (ctx.path.Recording()) return;
    const std::string text = ReadString(r, run, wide);
    const std::vector<std::int32_t> advances = ReadAdvances(r, run);
    Canvas& canvas = ctx.canvas;
    const Xform to_page = ctx.ToPage();
    std::optional<Rect> box;
    if ((run.options & (kEtoOpaque | kEtoClipped)) != 0) {
        const Point a = ctx.Page({double(run.rect.left), double(run.rect.top)});
        const Point b = ctx.Page({double(run.rect.right), double(run.rect.bottom)});
        box = Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        if (run.options & kEtoOpaque) canvas.FillSolidRect(*box, canvas.GetBkColour());
    }
    const std::optional<Rect> clip =
        (run.options & kEtoClipped) ? box : std::optional<Rect>(std::nullopt);
    if (text.empty()) return;
    const std::shared_ptr<const Font> font = PageFont(ctx);
    if (!font) return;
    canvas.SelectFont(font);
    canvas.SetTextAlign(ctx.dc.text_align & (kTaHorizontalMask | kTaVerticalMask));
    const Point reference = ctx.Page(run.reference);
    if (advances.size() < text.size()) {
        if (clip) {
            TextOutClipped(canvas, reference.x, reference.y, *clip, text);
        } else {
            TextOut(canvas, reference.x, reference.y, text);
        }
        return;
    }
    // Each character at its sum of logical advances measured on the page, so that rounding
    // does not add up along the line.
    const double scale = AxisScale(to_page, {1, 0});
    std::vector<std::int32_t> page_x;
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        page_x.push_back(SaturateCast<std::int32_t>(std::floor(double(sum) * scale + 0.5)));
        sum += advances[i];
    }
    const std::int32_t width = SaturateCast<std::int32_t>(std::floor(double(sum) * scale + 0.5));
    DrawSpaced(canvas, reference, text, page_x, width, clip);
}

// ExtTextOut: bounds, graphics mode and two scales, then one string.
void PlayExtTextOut(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    in.Skip(16 + 12);
    DrawRun(ctx, r, ReadRun(in), r.type == kExtTextOutW);
}

// PolyTextOut: the same with a count of strings.
void PlayPolyTextOut(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    in.Skip(16 + 12);
    const std::uint32_t count = in.U32();
    in.RequireItems(count, 40);
    for (std::uint32_t i = 0; i < count; ++i) {
        DrawRun(ctx, r, ReadRun(in), r.type == kPolyTextOutW);
    }
}

constexpr std::array kRows = {
    RecordRow{kExtTextOutA, &PlayExtTextOut},
    RecordRow{kExtTextOutW, &PlayExtTextOut},
    RecordRow{kPolyTextOutA, &PlayPolyTextOut},
    RecordRow{kPolyTextOutW, &PlayPolyTextOut},
};

}  // namespace

std::span<const RecordRow> TextRecords() {
    return kRows;
}

}  // namespace velk::emf
