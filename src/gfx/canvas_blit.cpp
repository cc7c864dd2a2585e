// Blits from a Surface: plain copies, copies that leave out a key colour, and nearest-neighbour
// stretching with the old merge modes for shrinking.

#include <algorithm>
#include <cstdlib>

#include "gfx/canvas.h"
#include "gfx/stretch_merge.h"

namespace velk {

namespace {

std::uint64_t Magnitude(std::int64_t v) {
    return static_cast<std::uint64_t>(v < 0 ? -v : v);
}

}  // namespace

void Canvas::BitBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                    const Surface& source, std::int32_t sx, std::int32_t sy) {
    CopyRows(x, y, width, height, source, sx, sy, std::nullopt);
}

void Canvas::BitBltKeyed(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                         const Surface& source, std::int32_t sx, std::int32_t sy, Bgrx key) {
    CopyRows(x, y, width, height, source, sx, sy, key & 0xFFFFFF);
}

void Canvas::CopyRows(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                      const Surface& source, std::int32_t sx, std::int32_t sy,
                      std::optional<Bgrx> key) {
    if (&source == &surface_) {
        const Surface copy = source;  // overlapping copies read the pixels as they were
        CopyRows(x, y, width, height, copy, sx, sy, key);
        return;
    }
    if (width <= 0 || height <= 0) return;
    // Destination pixels whose source pixel exists.
    const std::int64_t dx0 = std::int64_t{x} + std::max<std::int64_t>(0, -std::int64_t{sx});
    const std::int64_t dy0 = std::int64_t{y} + std::max<std::int64_t>(0, -std::int64_t{sy});
    const std::int64_t dx1 =
        std::int64_t{x} + std::min<std::int64_t>(width, std::int64_t{source.Width()} - sx);
    const std::int64_t dy1 =
        std::int64_t{y} + std::min<std::int64_t>(height, std::int64_t{source.Height()} - sy);
    const Box area{dx0, dy0, dx1, dy1};
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    for (const Box& b : LogicalClip()) {
        const Box part{std::max(area.left, b.left), std::max(area.top, b.top),
                       std::min(area.right, b.right), std::min(area.bottom, b.bottom)};
        if (part.IsEmpty()) continue;
        for (std::int64_t py = part.top; py < part.bottom; ++py) {
            const Bgrx* from =
                source.Row(static_cast<std::int32_t>(py - y + sy)) + (part.left - x + sx);
            Bgrx* to = surface_.Row(static_cast<std::int32_t>(py + oy)) + (part.left + ox);
            for (std::int64_t i = 0; i < part.right - part.left; ++i) {
                const Bgrx p = from[i] & 0xFFFFFF;
                if (p != key) to[i] = p;
            }
        }
    }
}

void Canvas::StretchBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                        const Surface& source, std::int32_t sx, std::int32_t sy,
                        std::int32_t swidth, std::int32_t sheight) {
    if (&source == &surface_) {
        const Surface copy = source;
        StretchBlt(x, y, width, height, copy, sx, sy, swidth, sheight);
        return;
    }
    if (width == 0 || height == 0 || swidth == 0 || sheight == 0) return;
    // Each rectangle runs from its start to start + size, whichever way round.
    const std::int64_t dl = std::min<std::int64_t>(x, std::int64_t{x} + width);
    const std::int64_t dt = std::min<std::int64_t>(y, std::int64_t{y} + height);
    const std::int64_t sl = std::min<std::int64_t>(sx, std::int64_t{sx} + swidth);
    const std::int64_t st = std::min<std::int64_t>(sy, std::int64_t{sy} + sheight);
    const std::uint64_t dw = Magnitude(width), dh = Magnitude(height);
    const std::uint64_t sw = Magnitude(swidth), sh = Magnitude(sheight);
    const bool mirror_x = (width < 0) != (swidth < 0);
    const bool mirror_y = (height < 0) != (sheight < 0);
    const Box area{dl, dt, dl + static_cast<std::int64_t>(dw), dt + static_cast<std::int64_t>(dh)};
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    const StretchMode mode = state_.stretch_mode;

    const StretchAxis x_axis{static_cast<std::int64_t>(sw), static_cast<std::int64_t>(dw), mirror_x,
                             sl, source.Width()};
    const StretchAxis y_axis{static_cast<std::int64_t>(sh), static_cast<std::int64_t>(dh), mirror_y,
                             st, source.Height()};

    for (const Box& b : LogicalClip()) {
        const Box part{std::max(area.left, b.left), std::max(area.top, b.top),
                       std::min(area.right, b.right), std::min(area.bottom, b.bottom)};
        if (part.IsEmpty()) continue;
        const std::vector<SourceSpan> cols = SourceSpansOf(x_axis, part.left - dl, part.right - dl);
        for (std::int64_t py = part.top; py < part.bottom; ++py) {
            const SourceSpan row = SourceSpanAt(y_axis, py - dt);
            if (row.Empty()) continue;
            Bgrx* to = surface_.Row(static_cast<std::int32_t>(py + oy));
            for (std::size_t c = 0; c < cols.size(); ++c) {
                if (cols[c].Empty()) continue;
                to[part.left + std::int64_t(c) + ox] =
                    MergeSources<std::uint64_t>(source, cols[c], row, {mode, 0xFFFFFF});
            }
        }
    }
}

}  // namespace velk
