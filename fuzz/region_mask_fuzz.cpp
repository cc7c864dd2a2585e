// Feeds arbitrary bytes to the region builders: as a shape mask (width - 1, step - 1, key and
// tolerance in the first four bytes, then the pixels) and as polygon points (16-bit pairs after
// the same four bytes). Every outcome must be a region or none, never a crash, a hang or an
// oversized allocation; the regions are combined as clip regions and window shapes are.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/region.h"
#include "pages/window_shape.h"

namespace {

void Combine(const velk::Region& region, const velk::Region& other) {
    (void)region.Union(other);
    (void)region.Intersect(other);
    (void)region.Subtract(other);
    (void)region.Xor(other);
    (void)region.Offset(INT64_MAX / 2, -7);
    (void)region.Contains({3, 3});
    (void)region.RectVisible({-5, -5, 5, 5});
}

std::vector<velk::Point> Points(std::span<const std::uint8_t> bytes) {
    std::vector<velk::Point> points;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        points.push_back({std::int16_t(bytes[i] | bytes[i + 1] << 8),
                          std::int16_t(bytes[i + 2] | bytes[i + 3] << 8)});
    }
    return points;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::int32_t width = 1 + data[0];
    const std::int32_t step = 1 + data[1] % 4;
    const std::int32_t key = data[2];
    const std::int32_t tolerance = static_cast<std::int8_t>(data[3]);
    const std::span<const std::uint8_t> pixels(data + 4, size - 4);
    // The height the bytes hold, and sometimes one row more than they hold.
    const std::int32_t height =
        std::int32_t(pixels.size() / std::size_t(width * step)) + (data[1] >= 128 ? 1 : 0);
    const velk::Region whole(velk::Rect{0, 0, width, 40});
    std::optional<velk::Region> mask =
        velk::RegionFromMask(pixels, width, height, step, key, tolerance);
    if (mask) Combine(*mask, whole);

    const std::vector<velk::Point> points = Points(pixels);
    const velk::Rect limit{-64, -64, 64, 64};
    const velk::Region alternate =
        velk::Region::FromPolygon(points, velk::PolyFillMode::kAlternate, limit);
    const velk::Region winding =
        velk::Region::FromPolygon(points, velk::PolyFillMode::kWinding, limit);
    Combine(alternate, winding);
    // The window shape draws the outline into a mask over the points' box; kept within a
    // hundred pixels so that the runs explore the drawing rather than the size cap (the cap
    // has tests of its own).
    std::vector<velk::Point> small;
    for (const velk::Point& p : points) small.push_back({p.x % 64, p.y % 64});
    if (auto shape = velk::RegionFromPolygon(small)) Combine(*shape, mask.value_or(whole));
    return 0;
}
