// Copying a store's pixels to a drawing target and back: the 1:1 copy, the stretch and the
// capture.
#include <algorithm>

#include "gfx/dib_section.h"
#include "gfx/stretch_merge.h"

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

    // Target index k of a cell counts from the start the picture's first pixel goes to; only
    // the visible columns of a huge target are mapped.
    const StretchAxis x_axis{src.Width(), width, mirror_x};
    const StretchAxis y_axis{src.Height(), height, mirror_y};
    const std::vector<SourceSpan> columns =
        SourceSpansOf(x_axis, cols.begin - left, cols.end - left);
    // The store keeps all four bytes of a pixel, and its halftone sums are 32-bit.
    const MergeRule rule{mode, 0xFFFFFFFF};
    for (std::int64_t ty = rows.begin; ty < rows.end; ++ty) {
        const SourceSpan ys = SourceSpanAt(y_axis, ty - top);
        Bgrx* out = dst.surface.Row(static_cast<std::int32_t>(ty));
        for (std::int64_t tx = cols.begin; tx < cols.end; ++tx) {
            out[tx] =
                MergeSources<std::uint32_t>(src, columns[std::size_t(tx - cols.begin)], ys, rule);
        }
    }
}

void CapturePixels(const Surface& src, Point origin, std::int32_t x, std::int32_t y, Surface& out) {
    const std::int64_t left = std::int64_t{x} + origin.x;
    const std::int64_t top = std::int64_t{y} + origin.y;
    const Span64 cols = Narrow({left, left + out.Width()}, 0, src.Width());
    const Span64 rows = Narrow({top, top + out.Height()}, 0, src.Height());
    // Pixels beyond the source are black; a capture wholly inside it overwrites every pixel.
    const bool whole = cols.begin == left && cols.end == left + out.Width() && rows.begin == top &&
                       rows.end == top + out.Height();
    if (!whole) out.Fill(0);
    if (cols.begin >= cols.end || rows.begin >= rows.end) return;
    for (std::int64_t sy = rows.begin; sy < rows.end; ++sy) {
        const Bgrx* in = src.Row(static_cast<std::int32_t>(sy)) + cols.begin;
        Bgrx* to = out.Row(static_cast<std::int32_t>(sy - top)) + (cols.begin - left);
        std::copy(in, in + (cols.end - cols.begin), to);
    }
}

}  // namespace velk::dib
