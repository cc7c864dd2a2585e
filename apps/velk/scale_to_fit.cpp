#include "scale_to_fit.h"

#include <algorithm>
#include <array>
#include <vector>

namespace velk::tool {
namespace {

// Where the source cells of every destination pixel start along one axis: destination pixel i
// covers [starts[i], starts[i + 1]). Shrinking only, so each cell has at least one pixel and
// the cells tile the source exactly.
std::vector<std::int32_t> CellStarts(std::int32_t source, std::int32_t target) {
    std::vector<std::int32_t> starts(std::size_t(target) + 1);
    for (std::int32_t i = 0; i <= target; ++i) {
        starts[std::size_t(i)] =
            static_cast<std::int32_t>(std::int64_t{i} * source / std::max(target, 1));
    }
    return starts;
}

Bgrx AverageCell(const Surface& source, std::int32_t x0, std::int32_t x1, std::int32_t y0,
                 std::int32_t y1) {
    std::array<std::uint64_t, 3> sum{};
    for (std::int32_t y = y0; y < y1; ++y) {
        const Bgrx* row = source.Row(y);
        for (std::int32_t x = x0; x < x1; ++x) {
            sum[0] += RedOf(row[x]);
            sum[1] += GreenOf(row[x]);
            sum[2] += BlueOf(row[x]);
        }
    }
    const std::uint64_t count = std::uint64_t(x1 - x0) * std::uint64_t(y1 - y0);
    auto channel = [&](std::uint64_t s) {
        return static_cast<std::uint8_t>((s + count / 2) / count);
    };
    return MakeBgrx(channel(sum[0]), channel(sum[1]), channel(sum[2]));
}

}  // namespace

FitSize FitWithin(std::int32_t width, std::int32_t height, std::int32_t max_side) {
    if (max_side <= 0 || (width <= max_side && height <= max_side)) return {width, height};
    const std::int64_t longer = std::max(width, height);
    // Rounded to the nearest pixel, so that 100 x 75 in 40 gives 40 x 30.
    auto scaled = [&](std::int64_t side) {
        return static_cast<std::int32_t>(
            std::max<std::int64_t>(1, (side * max_side + longer / 2) / longer));
    };
    return {scaled(width), scaled(height)};
}

std::optional<Surface> ScaleDownToFit(const Surface& source, std::int32_t max_side) {
    const FitSize size = FitWithin(source.Width(), source.Height(), max_side);
    if (size.width == source.Width() && size.height == source.Height()) return std::nullopt;
    const std::vector<std::int32_t> columns = CellStarts(source.Width(), size.width);
    const std::vector<std::int32_t> rows = CellStarts(source.Height(), size.height);
    Surface scaled(size.width, size.height);
    for (std::int32_t y = 0; y < size.height; ++y) {
        Bgrx* out = scaled.Row(y);
        for (std::int32_t x = 0; x < size.width; ++x) {
            out[x] = AverageCell(source, columns[std::size_t(x)], columns[std::size_t(x) + 1],
                                 rows[std::size_t(y)], rows[std::size_t(y) + 1]);
        }
    }
    return scaled;
}

}  // namespace velk::tool
