// Solid fills, PatBlt, single pixels and coverage blending.

#include <algorithm>

#include "gfx/canvas.h"
#include "gfx/pixel_rows.h"

namespace velk {

void Canvas::FillSolidRect(const Rect& rect, Bgrx colour) {
    // The opaque box of text output orders its edges, so a rectangle given right-to-left (the
    // 3-D frame helper passes such) still fills the same pixels.
    const Box box{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                  std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
    FillBox(box, colour, Rop2::kCopyPen, LogicalClip());
}

Canvas::Box Canvas::PatBox(std::int64_t x, std::int64_t y, std::int64_t width,
                           std::int64_t height) {
    Box box{x, y, x + width, y + height};
    if (width < 0) box = {x + width + 1, box.top, x + 1, box.bottom};
    if (height < 0) box = {box.left, y + height + 1, box.right, y + 1};
    return box;
}

void Canvas::PatBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                    std::uint32_t rop) {
    const Box box = PatBox(x, y, width, height);
    const std::vector<Box> clip = LogicalClip();
    switch (rop) {
        case kPatCopy:
            FillBrushBox(box, Rop2::kCopyPen, clip);
            break;
        case kPatInvert:
            FillBrushBox(box, Rop2::kXorPen, clip);
            break;
        case kDstInvert:
            FillBox(box, 0, Rop2::kNot, clip);
            break;
        case kBlackness:
            FillBox(box, 0, Rop2::kCopyPen, clip);
            break;
        case kWhiteness:
            FillBox(box, 0xFFFFFF, Rop2::kCopyPen, clip);
            break;
        default:
            break;
    }
}

void Canvas::InvertHalftone(const Box& box, const std::vector<Box>& clip) {
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    for (const Box& b : clip) {
        const Box part{std::max(box.left, b.left), std::max(box.top, b.top),
                       std::min(box.right, b.right), std::min(box.bottom, b.bottom)};
        if (part.IsEmpty()) continue;
        for (std::int64_t y = part.top; y < part.bottom; ++y) {
            const std::int64_t dy = y + oy;
            Bgrx* row = surface_.Row(static_cast<std::int32_t>(dy));
            for (std::int64_t x = part.left; x < part.right; ++x) {
                const std::int64_t dx = x + ox;
                // Pattern rows alternate 0x55 and 0xAA, leftmost pixel in the top bit: a 1-bit
                // wherever the distance from the brush origin is odd.
                const bool one = ((dx - state_.brush_origin.x) + (dy - state_.brush_origin.y)) & 1;
                Apply(row[dx], one ? state_.bk_colour : state_.text_colour, Rop2::kXorPen);
            }
        }
    }
}

void Canvas::FillRegion(const Region& logical, Bgrx colour) {
    const std::vector<Box> clip = LogicalClip();
    for (const Rect& r : logical)
        FillBox({r.left, r.top, r.right, r.bottom}, colour, Rop2::kCopyPen, clip);
}

void Canvas::SetPixel(std::int32_t x, std::int32_t y, Bgrx colour) {
    Plot(x, y, colour, Rop2::kCopyPen, LogicalClip());
}

std::optional<Bgrx> Canvas::GetPixel(std::int32_t x, std::int32_t y) const {
    const std::int64_t dx = std::int64_t{x} + state_.viewport_origin.x;
    const std::int64_t dy = std::int64_t{y} + state_.viewport_origin.y;
    if (dx < 0 || dy < 0 || dx >= surface_.Width() || dy >= surface_.Height()) return {};
    return surface_.At(static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy));
}

void Canvas::DrawCoverage(std::int32_t x, std::int32_t y, const CoverageMask& mask, Bgrx colour) {
    if (mask.width <= 0 || mask.height <= 0 ||
        mask.coverage.size() < std::size_t(mask.width) * std::size_t(mask.height)) {
        return;
    }
    const Box area{x, y, std::int64_t{x} + mask.width, std::int64_t{y} + mask.height};
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    for (const Box& b : LogicalClip()) {
        const Box part{std::max(area.left, b.left), std::max(area.top, b.top),
                       std::min(area.right, b.right), std::min(area.bottom, b.bottom)};
        if (part.IsEmpty()) continue;
        for (std::int64_t py = part.top; py < part.bottom; ++py) {
            Bgrx* row = surface_.Row(static_cast<std::int32_t>(py + oy));
            const std::uint8_t* coverage =
                &mask.coverage[std::size_t(py - y) * std::size_t(mask.width) +
                               std::size_t(part.left - x)];
            CoverPixels(coverage, row + part.left + ox, std::size_t(part.right - part.left),
                        colour);
        }
    }
}

}  // namespace velk
