// Type 5: the picture lit by a moving light; its blue channel is the height of a bumpy surface
// whose slopes turn the light table's bright centre towards or away from each pixel.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/pixel_dispatch.h"
#include "objects/effect/effect_fetch.h"
#include "objects/effect/effect_types.h"

namespace velk {
namespace {

constexpr std::int32_t kLightSide = 256;

// Where in the light table the slopes at a pixel point: `across` and `along` are the slopes
// plus the light's place; outside 0 ... 255 a slope points to the table's edge. Forced inline,
// and without branches (one unsigned test each), so that the row loop stays one loop the
// vectoriser can take.
[[gnu::always_inline]] inline std::int32_t LightSpot(std::int32_t across, std::int32_t along) {
    across = static_cast<std::uint32_t>(across) > 255 ? 0 : across;
    along = static_cast<std::uint32_t>(along) > 255 ? 0 : along;
    return along * kLightSide + across;
}

// Pixels 1 ... W - 2 of a row, whose left and right neighbours are in the picture. `up` and
// `down` are the height rows above and below; `across` is lx + W / 2 - 1 and `along`
// ly + H / 2 - y - 1, the light's place for this row.
VELK_PIXEL_LOOP void LightSpots(std::int32_t* __restrict spots,
                                const std::uint8_t* __restrict heights,
                                const std::uint8_t* __restrict up,
                                const std::uint8_t* __restrict down, std::int32_t across,
                                std::int32_t along, std::size_t width) {
    for (std::size_t x = 1; x + 1 < width; ++x) {
        const std::int32_t nx =
            heights[x + 1] + across - heights[x - 1] - static_cast<std::int32_t>(x);
        spots[x] = LightSpot(nx, up[x] + along - down[x]);
    }
}

// Each channel of the picture times its pixel's light level, shifted right by 8.
VELK_PIXEL_LOOP void LightPixels(Bgrx* __restrict out, const Bgrx* __restrict in,
                                 const std::uint32_t* __restrict levels, std::size_t count) {
    for (std::size_t x = 0; x < count; ++x) {
        const Bgrx p = in[x];
        const std::uint32_t l = levels[x];
        const std::uint32_t red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
        out[x] = (((red * l) >> 8) << 16) | (((green * l) >> 8) << 8) | ((blue * l) >> 8);
    }
}

}  // namespace

void SetUpLight(EffectEngine& engine) {
    const std::int32_t w = engine.width, h = engine.height;
    engine.height_map.resize(std::size_t(w) * std::size_t(h));
    for (std::int32_t y = 0; y < h; ++y) {
        const Bgrx* row = BufferRow(engine.source, y);
        for (std::int32_t x = 0; x < w; ++x) {
            engine.height_map[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                BlueOf(row[x]) / 4;
        }
    }
    engine.light_table.resize(std::size_t(kLightSide) * kLightSide);
    for (std::int32_t y = 0; y < kLightSide; ++y) {
        for (std::int32_t x = 0; x < kLightSide; ++x) {
            const double dx = (x - 128) / 128.0, dy = (y - 128) / 128.0;
            const double l = std::max(0.0, 1.0 - std::sqrt(dx * dx + dy * dy));
            engine.light_table[std::size_t(y) * kLightSide + std::size_t(x)] =
                static_cast<std::uint8_t>(l * 255.0);
        }
    }
    for (int i = 0; i < 256; ++i) {
        engine.cos_table[i] = static_cast<std::int32_t>(
            std::floor(std::cos(i * 2.0 * std::numbers::pi / 256.0) * 127.0 + 128.0));
    }
    engine.p1 = 0;
    engine.p2 = 0;
}

void StepLight(EffectEngine& engine) {
    const std::int32_t w = engine.width, h = engine.height;
    const std::int32_t lx = engine.cos_table[engine.p1], ly = engine.cos_table[engine.p2];
    const std::int32_t across = lx + w / 2 - 1;
    std::vector<std::int32_t> spots(static_cast<std::size_t>(w));
    std::vector<std::uint32_t> levels(spots.size());
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* heights = engine.height_map.data() + std::size_t(y) * std::size_t(w);
        // A neighbour outside the picture is replaced by the pixel itself: at the top and the
        // bottom the missing row is the pixel's own.
        const std::uint8_t* up = y + 1 < h ? heights + w : heights;
        const std::uint8_t* down = y > 0 ? heights - w : heights;
        const std::int32_t along = ly + h / 2 - y - 1;
        LightSpots(spots.data(), heights, up, down, across, along, spots.size());
        // The first and last pixels stand in for their missing left and right neighbours.
        auto edge = [&](std::int32_t x, std::int32_t right, std::int32_t left) {
            spots[std::size_t(x)] =
                LightSpot(heights[right] + across - heights[left] - x, up[x] + along - down[x]);
        };
        edge(0, std::min(1, w - 1), 0);
        if (w >= 2) edge(w - 1, w - 1, w - 2);
        FetchLevels(levels.data(), spots.data(), spots.size(), engine.light_table.data());
        LightPixels(BufferRow(engine.frame, y), BufferRow(engine.source, y), levels.data(),
                    levels.size());
    }
    engine.p1 += engine.s[1];
    engine.p2 += engine.s[2];
    if (engine.p1 >= 256) engine.p1 = 0;
    if (engine.p2 >= 256) engine.p2 = 0;
}

}  // namespace velk
