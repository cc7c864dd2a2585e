// Type 5: the picture lit by a moving light; its blue channel is the height of a bumpy surface
// whose slopes turn the light table's bright centre towards or away from each pixel.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "objects/effect/effect_types.h"

namespace velk {
namespace {

constexpr std::int32_t kLightSide = 256;

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
    // A neighbour outside the picture is replaced by the pixel itself.
    auto height_at = [&](std::int32_t x, std::int32_t y, std::int32_t nx, std::int32_t ny) {
        if (nx < 0 || ny < 0 || nx >= w || ny >= h) {
            nx = x;
            ny = y;
        }
        return std::int32_t{engine.height_map[std::size_t(ny) * std::size_t(w) + std::size_t(nx)]};
    };
    const std::int32_t lx = engine.cos_table[engine.p1], ly = engine.cos_table[engine.p2];
    for (std::int32_t y = 0; y < h; ++y) {
        const Bgrx* in = BufferRow(engine.source, y);
        Bgrx* out = BufferRow(engine.frame, y);
        for (std::int32_t x = 0; x < w; ++x) {
            std::int32_t nx =
                height_at(x, y, x + 1, y) + lx + w / 2 - height_at(x, y, x - 1, y) - x - 1;
            std::int32_t ny =
                height_at(x, y, x, y + 1) + ly + h / 2 - height_at(x, y, x, y - 1) - y - 1;
            if (nx < 0 || nx > 255) nx = 0;
            if (ny < 0 || ny > 255) ny = 0;
            const std::uint32_t l =
                engine.light_table[std::size_t(ny) * kLightSide + std::size_t(nx)];
            const Bgrx p = in[x];
            out[x] = MakeBgrx(static_cast<std::uint8_t>((RedOf(p) * l) >> 8),
                              static_cast<std::uint8_t>((GreenOf(p) * l) >> 8),
                              static_cast<std::uint8_t>((BlueOf(p) * l) >> 8));
        }
    }
    engine.p1 += engine.s[1];
    engine.p2 += engine.s[2];
    if (engine.p1 >= 256) engine.p1 = 0;
    if (engine.p2 >= 256) engine.p2 = 0;
}

}  // namespace velk
