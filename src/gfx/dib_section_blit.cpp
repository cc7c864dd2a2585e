// Copying a store's pixels to a drawing target and back: the 1:1 copy, the stretch and the
// capture.
#include <algorithm>

#include "gfx/dib_section.h"

namespace velk::dib {
namespace {

// The target's clip, kept inside its surface.
Rect VisibleClip(const PixelTarget& target) {
    return target.clip.Intersect(Rect{0, 0, target.surface.Width(), target.surface.Height()});
}

// A 64-bit half-open span [begin, end) narrowed to [lo, hi).
struct Span64 {
    std::int64_t begin, end;
};
Span64 Narrow(Span64 s, std::int64_t lo, std::int64_t hi) {
    return {std::max(s.begin, lo), std::min(s.end, hi)};
}

// Rounds toward positive infinity; b > 0.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

Bgrx Merge(Bgrx a, Bgrx b, StretchMode mode) {
    return mode == StretchMode::kWhiteOnBlack ? (a | b) : (a & b);
}

// One target pixel from the block of sources the stretch maps onto it.
Bgrx StretchedPixel(const Surface& src, const SourceRange& xs, const SourceRange& ys,
                    StretchMode mode) {
    switch (mode) {
        case StretchMode::kColorOnColor:
            // The first row of a merged group and the last column.
            return src.At(xs.last, ys.first);
        case StretchMode::kHalftone: {
            std::uint32_t r = 0, g = 0, b = 0, count = 0;
            for (std::int32_t sy = ys.first; sy <= ys.last; ++sy) {
                for (std::int32_t sx = xs.first; sx <= xs.last; ++sx) {
                    Bgrx p = src.At(sx, sy);
                    r += RedOf(p);
                    g += GreenOf(p);
                    b += BlueOf(p);
                    ++count;
                }
            }
            return MakeBgrx(static_cast<std::uint8_t>(r / count),
                            static_cast<std::uint8_t>(g / count),
                            static_cast<std::uint8_t>(b / count));
        }
        case StretchMode::kBlackOnWhite:
        case StretchMode::kWhiteOnBlack:
            break;
    }
    Bgrx value = src.At(xs.first, ys.first);
    for (std::int32_t sy = ys.first; sy <= ys.last; ++sy) {
        for (std::int32_t sx = xs.first; sx <= xs.last; ++sx) {
            value = Merge(value, src.At(sx, sy), mode);
        }
    }
    return value;
}

}  // namespace

void BlitPixels(const Surface& src, PixelTarget& dst, std::int32_t x, std::int32_t y) {
    const Rect clip = VisibleClip(dst);
    if (clip.IsEmpty()) return;
    const std::int64_t left = std::int64_t{x} + dst.origin.x;
    const std::int64_t top = std::int64_t{y} + dst.origin.y;
    Span64 cols = Narrow({left, left + src.Width()}, clip.left, clip.right);
    Span64 rows = Narrow({top, top + src.Height()}, clip.top, clip.bottom);
    if (cols.begin >= cols.end || rows.begin >= rows.end) return;
    for (std::int64_t ty = rows.begin; ty < rows.end; ++ty) {
        const Bgrx* in = src.Row(static_cast<std::int32_t>(ty - top)) + (cols.begin - left);
        Bgrx* out = dst.surface.Row(static_cast<std::int32_t>(ty)) + cols.begin;
        std::copy(in, in + (cols.end - cols.begin), out);
    }
}

SourceRange StretchSources(std::int64_t j, std::int32_t source_length, std::int64_t target_length) {
    const std::int64_t d = target_length;
    if (d >= source_length) {
        // Enlarging: the source pixel under the target pixel's centre, ties to the lower one.
        auto i = static_cast<std::int32_t>(((2 * j + 1) * source_length - 1) / (2 * d));
        return {i, i};
    }
    // Shrinking: source i falls on target ((2i + 1) d - 1) / (2s), so target j starts at the
    // first i with (2i + 1) d > 2sj. A one-pixel target merges one source fewer than there
    // are.
    const std::int64_t s = d == 1 ? source_length - 1 : source_length;
    auto first_of = [&](std::int64_t k) {
        return std::max<std::int64_t>(0, CeilDiv(2 * s * k + 1 - d, 2 * d));
    };
    const std::int64_t last = j + 1 == d ? s - 1 : first_of(j + 1) - 1;
    return {static_cast<std::int32_t>(first_of(j)), static_cast<std::int32_t>(last)};
}

void StretchPixels(const Surface& src, PixelTarget& dst, std::int32_t x, std::int32_t y,
                   std::int32_t w, std::int32_t h, StretchMode mode) {
    if (w == 0 || h == 0 || src.Empty()) return;
    const Rect clip = VisibleClip(dst);
    if (clip.IsEmpty()) return;
    const bool mirror_x = w < 0;
    const bool mirror_y = h < 0;
    const std::int64_t width = mirror_x ? -std::int64_t{w} : w;
    const std::int64_t height = mirror_y ? -std::int64_t{h} : h;
    // The target's first cell; a negative size covers x + w + 1 ... x.
    const std::int64_t left = std::int64_t{x} + dst.origin.x + (mirror_x ? 1 - width : 0);
    const std::int64_t top = std::int64_t{y} + dst.origin.y + (mirror_y ? 1 - height : 0);
    const Span64 cols = Narrow({left, left + width}, clip.left, clip.right);
    const Span64 rows = Narrow({top, top + height}, clip.top, clip.bottom);
    if (cols.begin >= cols.end || rows.begin >= rows.end) return;

    // Target index k of a cell, counted from the start the picture's first pixel goes to.
    auto index = [](std::int64_t cell, std::int64_t start, std::int64_t length, bool mirror) {
        std::int64_t k = cell - start;
        return mirror ? length - 1 - k : k;
    };
    // Only the visible columns of a huge target are mapped.
    std::vector<SourceRange> columns;
    columns.reserve(static_cast<std::size_t>(cols.end - cols.begin));
    for (std::int64_t tx = cols.begin; tx < cols.end; ++tx) {
        columns.push_back(StretchSources(index(tx, left, width, mirror_x), src.Width(), width));
    }
    for (std::int64_t ty = rows.begin; ty < rows.end; ++ty) {
        const SourceRange ys =
            StretchSources(index(ty, top, height, mirror_y), src.Height(), height);
        Bgrx* out = dst.surface.Row(static_cast<std::int32_t>(ty));
        for (std::int64_t tx = cols.begin; tx < cols.end; ++tx) {
            out[tx] = StretchedPixel(src, columns[std::size_t(tx - cols.begin)], ys, mode);
        }
    }
}

void CapturePixels(const Surface& src, Point origin, std::int32_t x, std::int32_t y, Surface& out) {
    out.Fill(0);
    const std::int64_t left = std::int64_t{x} + origin.x;
    const std::int64_t top = std::int64_t{y} + origin.y;
    const Span64 cols = Narrow({left, left + out.Width()}, 0, src.Width());
    const Span64 rows = Narrow({top, top + out.Height()}, 0, src.Height());
    if (cols.begin >= cols.end || rows.begin >= rows.end) return;
    for (std::int64_t sy = rows.begin; sy < rows.end; ++sy) {
        const Bgrx* in = src.Row(static_cast<std::int32_t>(sy)) + cols.begin;
        Bgrx* to = out.Row(static_cast<std::int32_t>(sy - top)) + (cols.begin - left);
        std::copy(in, in + (cols.end - cols.begin), to);
    }
}

}  // namespace velk::dib
