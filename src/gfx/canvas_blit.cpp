// Blits from a Surface: plain copies, copies that leave out a key colour, and nearest-neighbour
// stretching with the old merge modes for shrinking.

#include <algorithm>
#include <cstdlib>

#include "gfx/canvas.h"

namespace velk {

namespace {

// A source run [first, last] (inclusive) of one destination pixel along one axis.
struct Group {
    std::int64_t first, last;
};

// Source indices for destination index j when `s` source pixels map onto `d` destination
// pixels (both >= 1, at most 2^31). Enlarging takes the pixel under the destination pixel's
// centre, ties to the lower index; shrinking gives the run of source pixels whose centres fall
// in the destination pixel. Unsigned arithmetic: every product stays below 2^64.
Group MapIndex(std::uint64_t s, std::uint64_t d, std::uint64_t j) {
    if (d >= s) {
        const std::uint64_t i = ((2 * j + 1) * s - 1) / (2 * d);
        return {static_cast<std::int64_t>(i), static_cast<std::int64_t>(i)};
    }
    // Shrinking to a single pixel merges all but the last source pixel.
    if (d == 1) return {0, static_cast<std::int64_t>(s) - 2};
    // First source index i of group j: the smallest i with (2i + 1) d >= 2 s j + 1.
    auto first_of = [&](std::uint64_t jj) -> std::uint64_t {
        if (jj >= d) return s;
        const std::uint64_t c = (2 * s * jj + 1 + d - 1) / d;  // ceil((2sj + 1) / d)
        return c / 2;                                          // ceil((c - 1) / 2)
    };
    return {static_cast<std::int64_t>(first_of(j)), static_cast<std::int64_t>(first_of(j + 1)) - 1};
}

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

    // The source run of a destination pixel, clipped to the source surface (false: none).
    auto source_run = [](std::uint64_t s, std::uint64_t d, std::int64_t j, bool mirror,
                         std::int64_t start, std::int64_t limit, Group& g) {
        const std::uint64_t jj =
            mirror ? d - 1 - static_cast<std::uint64_t>(j) : static_cast<std::uint64_t>(j);
        g = MapIndex(s, d, jj);
        g.first = std::max<std::int64_t>(g.first + start, 0);
        g.last = std::min<std::int64_t>(g.last + start, limit - 1);
        return g.first <= g.last;
    };

    for (const Box& b : LogicalClip()) {
        const Box part{std::max(area.left, b.left), std::max(area.top, b.top),
                       std::min(area.right, b.right), std::min(area.bottom, b.bottom)};
        if (part.IsEmpty()) continue;
        std::vector<Group> cols(static_cast<std::size_t>(part.right - part.left));
        std::vector<bool> col_ok(cols.size());
        for (std::size_t c = 0; c < cols.size(); ++c) {
            col_ok[c] = source_run(sw, dw, part.left + std::int64_t(c) - dl, mirror_x, sl,
                                   source.Width(), cols[c]);
        }
        for (std::int64_t py = part.top; py < part.bottom; ++py) {
            Group row;
            if (!source_run(sh, dh, py - dt, mirror_y, st, source.Height(), row)) continue;
            if (mode == StretchMode::kColorOnColor) row.last = row.first;
            Bgrx* to = surface_.Row(static_cast<std::int32_t>(py + oy));
            for (std::size_t c = 0; c < cols.size(); ++c) {
                if (!col_ok[c]) continue;
                Group col = cols[c];
                // Keeping one pixel of a group: the first row, but the last column.
                if (mode == StretchMode::kColorOnColor) col.first = col.last;
                Bgrx acc = mode == StretchMode::kWhiteOnBlack ? 0 : 0xFFFFFF;
                std::uint64_t sum_r = 0, sum_g = 0, sum_b = 0, count = 0;
                for (std::int64_t sy2 = row.first; sy2 <= row.last; ++sy2) {
                    const Bgrx* from = source.Row(static_cast<std::int32_t>(sy2));
                    for (std::int64_t sx2 = col.first; sx2 <= col.last; ++sx2) {
                        const Bgrx p = from[sx2] & 0xFFFFFF;
                        switch (mode) {
                            case StretchMode::kWhiteOnBlack:
                                acc |= p;
                                break;
                            case StretchMode::kHalftone:
                                sum_r += RedOf(p);
                                sum_g += GreenOf(p);
                                sum_b += BlueOf(p);
                                ++count;
                                break;
                            default:
                                acc &= p;
                                break;
                        }
                    }
                }
                if (mode == StretchMode::kHalftone) {
                    acc = MakeBgrx(static_cast<std::uint8_t>(sum_r / count),
                                   static_cast<std::uint8_t>(sum_g / count),
                                   static_cast<std::uint8_t>(sum_b / count));
                }
                to[part.left + std::int64_t(c) + ox] = acc;
            }
        }
    }
}

}  // namespace velk
