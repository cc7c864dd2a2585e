// Canvas state, clipping and the clipped pixel writers every figure goes through.

#include <algorithm>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/pixel_rows.h"

namespace velk {

Canvas::Canvas(Surface& surface) : surface_(surface) {}

std::shared_ptr<const Font> Canvas::SelectFont(std::shared_ptr<const Font> font) {
    std::shared_ptr<const Font> previous = std::move(state_.font);
    state_.font = std::move(font);
    return previous;
}

void Canvas::RestoreDC() {
    if (saved_.empty()) return;
    state_ = std::move(saved_.back());
    saved_.pop_back();
}

void Canvas::SelectClip(const Region& device_region) {
    state_.clip = device_region;
}

void Canvas::IntersectClip(const Rect& logical) {
    const Region base =
        state_.clip ? *state_.clip : Region(Rect{0, 0, surface_.Width(), surface_.Height()});
    state_.clip = base.Intersect(LogicalToDevice(logical));
}

Region Canvas::DeviceClip() const {
    const Rect bounds{0, 0, surface_.Width(), surface_.Height()};
    if (!state_.clip) return Region(bounds);
    return state_.clip->Intersect(bounds);
}

Rect Canvas::ClipBox() const {
    const Region clip = DeviceClip();
    if (clip.IsEmpty()) return {};
    return DeviceToLogical(clip.BoundingBox());
}

bool Canvas::RectVisible(const Rect& logical) const {
    // The edges are put in order first, so a rectangle stored right-to-left still counts.
    Rect ordered{std::min(logical.left, logical.right), std::min(logical.top, logical.bottom),
                 std::max(logical.left, logical.right), std::max(logical.top, logical.bottom)};
    return DeviceClip().RectVisible(LogicalToDevice(ordered));
}

bool Canvas::PtVisible(std::int32_t x, std::int32_t y) const {
    const std::int64_t dx = std::int64_t{x} + state_.viewport_origin.x;
    const std::int64_t dy = std::int64_t{y} + state_.viewport_origin.y;
    if (dx < 0 || dy < 0 || dx >= surface_.Width() || dy >= surface_.Height()) return false;
    return !state_.clip ||
           state_.clip->Contains({static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy)});
}

Rect Canvas::LogicalToDevice(const Rect& r) const {
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    return {SaturateToInt32(r.left + ox), SaturateToInt32(r.top + oy),
            SaturateToInt32(r.right + ox), SaturateToInt32(r.bottom + oy)};
}

Rect Canvas::DeviceToLogical(const Rect& r) const {
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    return {SaturateToInt32(r.left - ox), SaturateToInt32(r.top - oy),
            SaturateToInt32(r.right - ox), SaturateToInt32(r.bottom - oy)};
}

std::vector<Canvas::Box> Canvas::LogicalClip() const {
    std::vector<Box> boxes;
    const Region clip = DeviceClip();
    boxes.reserve(clip.RectCount());
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    for (const Rect& r : clip) {
        boxes.push_back({r.left - ox, r.top - oy, r.right - ox, r.bottom - oy});
    }
    return boxes;
}

void Canvas::Apply(Bgrx& pixel, Bgrx colour, Rop2 rop) {
    switch (rop) {
        case Rop2::kCopyPen:
            pixel = colour & 0xFFFFFF;
            break;
        case Rop2::kXorPen:
            pixel = (pixel ^ colour) & 0xFFFFFF;
            break;
        case Rop2::kNot:
            pixel = ~pixel & 0xFFFFFF;
            break;
    }
}

// Clip boxes come from a region: bands from top to bottom, so their bottoms never decrease.
// The first box that reaches below row `y`; the boxes of interest follow it.
Canvas::ClipIterator Canvas::FirstClipBoxReaching(const std::vector<Box>& clip, std::int64_t y) {
    return std::partition_point(clip.begin(), clip.end(),
                                [y](const Box& b) { return b.bottom <= y; });
}

void Canvas::Plot(std::int64_t x, std::int64_t y, Bgrx colour, Rop2 rop,
                  const std::vector<Box>& clip) {
    PlotInRow(FirstClipBoxReaching(clip, y), clip.end(), x, y, colour, rop);
}

void Canvas::PlotInRow(ClipIterator first, ClipIterator end, std::int64_t x, std::int64_t y,
                       Bgrx colour, Rop2 rop) {
    for (auto b = first; b != end && b->top <= y; ++b) {
        if (x >= b->left && x < b->right && y < b->bottom) {
            Apply(surface_.Row(static_cast<std::int32_t>(
                      y + state_.viewport_origin.y))[x + state_.viewport_origin.x],
                  colour, rop);
            return;
        }
    }
}

void Canvas::Span(std::int64_t y, std::int64_t x0, std::int64_t x1, Bgrx colour, Rop2 rop,
                  const std::vector<Box>& clip) {
    FillBox({x0, y, x1, y + 1}, colour, rop, clip);
}

void Canvas::FillBox(const Box& box, Bgrx colour, Rop2 rop, const std::vector<Box>& clip) {
    if (box.IsEmpty()) return;
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    for (auto it = FirstClipBoxReaching(clip, box.top); it != clip.end() && it->top < box.bottom;
         ++it) {
        const Box& b = *it;
        const Box part{std::max(box.left, b.left), std::max(box.top, b.top),
                       std::min(box.right, b.right), std::min(box.bottom, b.bottom)};
        if (part.IsEmpty()) continue;
        // Clip boxes lie inside the surface, so these device coordinates are valid indices.
        const std::int32_t dl = static_cast<std::int32_t>(part.left + ox);
        const std::int32_t dr = static_cast<std::int32_t>(part.right + ox);
        for (std::int64_t y = part.top; y < part.bottom; ++y) {
            Bgrx* row = surface_.Row(static_cast<std::int32_t>(y + oy));
            const auto count = static_cast<std::size_t>(dr - dl);
            switch (rop) {
                case Rop2::kCopyPen:
                    FillPixels(row + dl, count, colour);
                    break;
                case Rop2::kXorPen:
                    XorPixels(row + dl, count, colour);
                    break;
                case Rop2::kNot:
                    InvertPixels(row + dl, count);
                    break;
            }
        }
    }
}

}  // namespace velk
