#include "pages/window_shape.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/int_division.h"
#include "document/project.h"

namespace velk {
namespace {

// Unites the blocks of rectangles as they come. Uniting each block into one growing region
// would cost the whole region per block; pairing blocks of equal weight like a binary counter
// gives the same pixels (union does not care about order) at a fraction of the work.
class BlockUnion {
  public:
    void Add(Region block) {
        std::size_t level = 0;
        while (level < levels_.size() && levels_[level]) {
            block = levels_[level]->Union(block);
            levels_[level].reset();
            ++level;
        }
        if (level == levels_.size()) levels_.emplace_back();
        levels_[level] = std::move(block);
    }
    Region Finish() {
        Region result;
        for (auto& level : levels_) {
            if (level) result = level->Union(result);
        }
        levels_.clear();
        return result;
    }

  private:
    std::vector<std::optional<Region>> levels_;
};

}  // namespace

std::optional<Region> RegionFromMask(std::span<const std::uint8_t> data, std::int32_t width,
                                     std::int32_t height, std::int32_t step, std::int32_t key,
                                     std::int32_t tolerance) {
    if (data.empty() || width < 1 || height < 1 || step < 1) return std::nullopt;
    // The last byte read is the first byte of the last pixel; a buffer that stops short of it
    // gives no shape rather than a read past its end.
    const std::uint64_t pixels = std::uint64_t(width) * std::uint64_t(height);
    const std::uint64_t last = (pixels - 1) * std::uint64_t(step);
    if (last >= data.size()) return std::nullopt;

    const std::int64_t low = std::int64_t(key) - tolerance;
    const std::int64_t high = std::int64_t(key) + tolerance;
    auto belongs = [&](std::uint8_t value) { return value < low || value > high; };

    BlockUnion blocks;
    std::vector<Rect> rects;
    rects.reserve(kShapeRectBlock);
    std::size_t pos = 0;
    for (std::int32_t y = 0; y < height; ++y) {
        std::int32_t run_start = -1;
        for (std::int32_t x = 0; x < width; ++x, pos += std::size_t(step)) {
            if (belongs(data[pos])) {
                if (run_start < 0) run_start = x;
                continue;
            }
            if (run_start >= 0) {
                rects.push_back({run_start, y, x, y + 1});
                run_start = -1;
            }
            if (rects.size() == kShapeRectBlock) {
                blocks.Add(Region::FromRects(rects));
                rects.clear();
            }
        }
        if (run_start >= 0) rects.push_back({run_start, y, width, y + 1});
        if (rects.size() == kShapeRectBlock) {
            blocks.Add(Region::FromRects(rects));
            rects.clear();
        }
    }
    if (!rects.empty()) blocks.Add(Region::FromRects(rects));
    return blocks.Finish();
}

std::optional<Region> RegionFromPolygon(std::span<const Point> points) {
    if (points.empty()) return std::nullopt;
    Region filled = Region::FromPolygon(points, PolyFillMode::kAlternate, kShapeLimit);

    // The outline is drawn into a mask over the points' bounding box (max inclusive). A box
    // reaching beyond the window limit or too large to allocate leaves the filled polygon alone.
    std::int64_t min_x = points[0].x, max_x = points[0].x;
    std::int64_t min_y = points[0].y, max_y = points[0].y;
    for (const Point& p : points) {
        min_x = std::min<std::int64_t>(min_x, p.x);
        max_x = std::max<std::int64_t>(max_x, p.x);
        min_y = std::min<std::int64_t>(min_y, p.y);
        max_y = std::max<std::int64_t>(max_y, p.y);
    }
    if (min_x < kShapeLimit.left || min_y < kShapeLimit.top || max_x >= kShapeLimit.right ||
        max_y >= kShapeLimit.bottom) {
        return filled;
    }
    const std::int64_t width = max_x - min_x + 1;
    const std::int64_t height = max_y - min_y + 1;
    if (std::uint64_t(width) * std::uint64_t(height) > kMaxOutlineMaskPixels) return filled;

    std::vector<std::uint8_t> mask(std::size_t(width * height), 0);
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const std::int64_t x0 = points[k].x - min_x, y0 = points[k].y - min_y;
        const std::int64_t dx = std::int64_t(points[k + 1].x) - points[k].x;
        const std::int64_t dy = std::int64_t(points[k + 1].y) - points[k].y;
        const std::int64_t n = std::max(std::llabs(dx), std::llabs(dy));
        // Mark i sits at start + i·(dx, dy)/n rounded half up; worked exactly so that a
        // position landing on a half pixel always rounds the same way. The pair's second point
        // is left for the next pair.
        for (std::int64_t i = 0; i < n; ++i) {
            const std::int64_t x = x0 + FloorDiv(2 * i * dx + n, 2 * n);
            const std::int64_t y = y0 + FloorDiv(2 * i * dy + n, 2 * n);
            mask[std::size_t(y * width + x)] = 255;
        }
    }
    std::optional<Region> outline =
        RegionFromMask(mask, std::int32_t(width), std::int32_t(height), 1, 0, 0);
    if (!outline) return filled;
    return filled.Union(outline->Offset(min_x, min_y));
}

std::optional<Region> ShapeOfProject(const Project& project) {
    const WindowShape& shape = project.shape;
    std::optional<Region> region;
    if (shape.shape_mask_present != 0) {
        // The stored size is untrusted: the mask must hold every pixel it claims.
        const std::uint64_t pixels =
            std::uint64_t(shape.shape_mask_width) * std::uint64_t(shape.shape_mask_height);
        if (shape.shape_mask_width > 0x7fffffffu || shape.shape_mask_height > 0x7fffffffu ||
            pixels > shape.shape_mask.size()) {
            return std::nullopt;
        }
        region = RegionFromMask(shape.shape_mask, std::int32_t(shape.shape_mask_width),
                                std::int32_t(shape.shape_mask_height), 1, 255, kShapeMaskTolerance);
    } else if (!shape.shape_points.empty()) {
        region = RegionFromPolygon(shape.shape_points);
    }
    if (region && region->IsEmpty()) return std::nullopt;
    return region;
}

}  // namespace velk
