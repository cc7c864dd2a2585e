// Stretched blits that combine the source with the page by a raster operation (AND, OR, XOR,
// inverted copy), as pictures with masks are drawn.

#include <algorithm>
#include <cstdlib>

#include "gfx/canvas.h"

namespace velk {

namespace {

Bgrx Combine(Bgrx page, Bgrx source, std::uint32_t rop) {
    switch (rop) {
        case kSrcAnd:
            return page & source;
        case kSrcPaint:
            return page | source;
        case kSrcInvert:
            return page ^ source;
        case kNotSrcCopy:
            return ~source;
        default:
            return source;
    }
}

}  // namespace

bool Canvas::StretchBltRop(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           const Surface& source, std::int32_t sx, std::int32_t sy,
                           std::int32_t swidth, std::int32_t sheight, std::uint32_t rop) {
    if (rop == kSrcCopy) {
        StretchBlt(x, y, width, height, source, sx, sy, swidth, sheight);
        return true;
    }
    if (rop != kSrcAnd && rop != kSrcPaint && rop != kSrcInvert && rop != kNotSrcCopy) {
        return false;
    }
    // The stretched source is drawn into a scratch surface over the drawable part of the
    // destination, then combined with the page pixel by pixel.
    const std::int64_t l = std::min<std::int64_t>(x, std::int64_t{x} + width);
    const std::int64_t t = std::min<std::int64_t>(y, std::int64_t{y} + height);
    const Box area{l, t, l + std::abs(std::int64_t{width}), t + std::abs(std::int64_t{height})};
    const std::vector<Box> clip = LogicalClip();
    const std::optional<Box> bounds = ClipBounds(clip);
    if (!bounds) return true;
    const Box drawn{std::max(area.left, bounds->left), std::max(area.top, bounds->top),
                    std::min(area.right, bounds->right), std::min(area.bottom, bounds->bottom)};
    if (drawn.IsEmpty()) return true;
    Surface scratch(static_cast<std::int32_t>(drawn.right - drawn.left),
                    static_cast<std::int32_t>(drawn.bottom - drawn.top));
    Canvas stretched(scratch);
    stretched.SetStretchMode(state_.stretch_mode);
    stretched.SetViewportOrigin(
        {static_cast<std::int32_t>(-drawn.left), static_cast<std::int32_t>(-drawn.top)});
    stretched.StretchBlt(x, y, width, height, source, sx, sy, swidth, sheight);
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    for (const Box& b : clip) {
        const Box part{std::max(drawn.left, b.left), std::max(drawn.top, b.top),
                       std::min(drawn.right, b.right), std::min(drawn.bottom, b.bottom)};
        if (part.IsEmpty()) continue;
        for (std::int64_t py = part.top; py < part.bottom; ++py) {
            Bgrx* row = surface_.Row(static_cast<std::int32_t>(py + oy));
            const Bgrx* from = scratch.Row(static_cast<std::int32_t>(py - drawn.top));
            for (std::int64_t px = part.left; px < part.right; ++px) {
                Bgrx& page = row[px + ox];
                page = Combine(page, from[px - drawn.left], rop) & 0xFFFFFF;
            }
        }
    }
    return true;
}

}  // namespace velk
