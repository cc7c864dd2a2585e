// Brush fills: one colour, or a hatch or pattern repeated from the brush origin.

#include <algorithm>
#include <array>

#include "gfx/canvas.h"

namespace velk {

namespace {

// The classic 8 x 8 hatch bitmaps, one byte a row, the leftmost pixel in the top bit.
constexpr std::array<std::array<std::uint8_t, 8>, 6> kHatches = {{
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
}};

}  // namespace

std::shared_ptr<const BrushPattern> HatchPattern(std::uint32_t hatch) {
    if (hatch >= kHatches.size()) return nullptr;
    auto pattern = std::make_shared<BrushPattern>();
    pattern->kind = BrushPattern::Kind::kHatch;
    pattern->width = pattern->height = 8;
    for (std::uint8_t row : kHatches[hatch]) {
        for (int x = 0; x < 8; ++x) pattern->bits.push_back((row >> (7 - x)) & 1);
    }
    return pattern;
}

std::optional<Canvas::Box> Canvas::ClipBounds(const std::vector<Box>& clip) {
    if (clip.empty()) return std::nullopt;
    Box bounds = clip.front();
    for (const Box& b : clip) {
        bounds = {std::min(bounds.left, b.left), std::min(bounds.top, b.top),
                  std::max(bounds.right, b.right), std::max(bounds.bottom, b.bottom)};
    }
    return bounds;
}

void Canvas::FillBrushBox(const Box& box, Rop2 rop, const std::vector<Box>& clip) {
    const Brush& brush = state_.brush;
    if (brush.null) return;
    const BrushPattern* pattern = brush.pattern.get();
    if (!pattern || !pattern->Valid()) {
        FillBox(box, brush.colour, rop, clip);
        return;
    }
    const bool opaque = state_.bk_mode == BkMode::kOpaque;
    const std::int64_t ox = state_.viewport_origin.x, oy = state_.viewport_origin.y;
    for (auto it = FirstClipBoxReaching(clip, box.top); it != clip.end() && it->top < box.bottom;
         ++it) {
        const Box part{std::max(box.left, it->left), std::max(box.top, it->top),
                       std::min(box.right, it->right), std::min(box.bottom, it->bottom)};
        if (part.IsEmpty()) continue;
        for (std::int64_t y = part.top + oy; y < part.bottom + oy; ++y) {
            Bgrx* row = surface_.Row(static_cast<std::int32_t>(y));
            for (std::int64_t x = part.left + ox; x < part.right + ox; ++x) {
                const std::size_t i =
                    pattern->IndexAt(x, y, state_.brush_origin.x, state_.brush_origin.y);
                switch (pattern->kind) {
                    case BrushPattern::Kind::kHatch:
                        if (pattern->bits[i]) {
                            Apply(row[x], brush.colour, rop);
                        } else if (opaque) {
                            Apply(row[x], state_.bk_colour, rop);
                        }
                        break;
                    case BrushPattern::Kind::kMono:
                        Apply(row[x], pattern->bits[i] ? state_.bk_colour : state_.text_colour,
                              rop);
                        break;
                    case BrushPattern::Kind::kPicture:
                        Apply(row[x], pattern->pixels[i], rop);
                        break;
                }
            }
        }
    }
}

void Canvas::FillRegionWithBrush(const Region& logical) {
    const std::vector<Box> clip = LogicalClip();
    for (const Rect& r : logical)
        FillBrushBox({r.left, r.top, r.right, r.bottom}, state_.rop2, clip);
}

}  // namespace velk
