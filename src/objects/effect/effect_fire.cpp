// Type 2: fire; two seeded rows below the frame heat the grid, and every step each cell takes
// the mean of its neighbours below, a little cooler, so the heat rises and fades.
#include <algorithm>

#include "objects/effect/effect_palettes.h"
#include "objects/effect/effect_types.h"

namespace velk {
namespace {

constexpr std::int32_t kCooling = 2;
constexpr std::int32_t kExtraRows = 6;

}  // namespace

void SetUpFire(EffectEngine& engine) {
    const std::size_t cells = std::size_t(engine.width) * std::size_t(engine.height + kExtraRows);
    engine.heat_old.assign(cells, 0);
    engine.heat_new.assign(cells, 0);
    if (engine.mode == 0) {
        engine.palette = FirePalette();
    } else if (engine.mode == 1) {
        engine.palette = GradientPalette(engine.c1, engine.c2);
    } else {
        engine.palette = ColdFirePalette();
    }
}

void StepFire(EffectEngine& engine, RuntimeRandom& random) {
    const std::int32_t w = engine.width, h = engine.height;
    auto cell = [w](std::vector<std::uint8_t>& grid, std::int32_t r,
                    std::int32_t x) -> std::uint8_t& {
        return grid[std::size_t(r) * std::size_t(w) + std::size_t(x)];
    };
    auto& old_grid = engine.heat_old;
    for (std::int32_t x = 0; x < w; ++x) {
        cell(old_grid, h + 4, x) =
            engine.s[1] >= static_cast<std::int32_t>(EffectRandom(random) * 16) ? 255 : 0;
    }
    for (std::int32_t x = 0; x < w; ++x) {
        cell(old_grid, h + 5, x) =
            engine.s[2] >= static_cast<std::int32_t>(EffectRandom(random) * 16) ? 255 : 0;
    }
    // The right neighbour of the last column lies outside the grid and counts as cold.
    auto old_at = [&](std::int32_t r, std::int32_t x) -> std::int32_t {
        return x < w ? cell(old_grid, r, x) : 0;
    };
    const Bgrx cold = engine.palette.colours[0];
    for (std::int32_t r = h + 4; r >= 1; --r) {
        Bgrx* row = BufferRow(engine.frame, std::min(std::max(h - r, 0), h - 1));
        for (std::int32_t x = 1; x < w; ++x) {
            std::int32_t v = (old_at(r - 1, x) + old_at(r, x - 1) + old_at(r, x + 1) +
                              old_at(r + 1, x - 1) + old_at(r + 1, x + 1)) /
                             5;
            if (v > kCooling) v -= kCooling;
            cell(engine.heat_new, r - 1, x) = static_cast<std::uint8_t>(v);
            row[x] = engine.palette.colours[v];
        }
        row[0] = cold;
        row[w - 1] = cold;
    }
    std::swap(engine.heat_old, engine.heat_new);
}

}  // namespace velk
