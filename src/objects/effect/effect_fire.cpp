// Type 2: fire; two seeded rows below the frame heat the grid, and every step each cell takes
// the mean of its neighbours below, a little cooler, so the heat rises and fades.
#include <algorithm>

#include "base/pixel_dispatch.h"
#include "objects/effect/effect_fetch.h"
#include "objects/effect/effect_palettes.h"
#include "objects/effect/effect_types.h"

namespace velk {
namespace {

constexpr std::int32_t kCooling = 2;
constexpr std::int32_t kExtraRows = 6;

std::int32_t Cooled(std::int32_t heat) {
    return heat > kCooling ? heat - kCooling : heat;
}

// Columns 1 ... W - 2 of a grid row, whose neighbours all lie inside the grid: `above`, the
// new cell's own old value, starts at the same column; `middle` and `below`, whose cells left
// and right of it count, start one column to the left. Returns 0 when every one of them is
// cold.
VELK_PIXEL_LOOP std::uint32_t FireRow(std::uint8_t* __restrict heat,
                                      const std::uint8_t* __restrict above,
                                      const std::uint8_t* __restrict middle,
                                      const std::uint8_t* __restrict below, std::size_t count) {
    std::uint32_t any = 0;
    for (std::size_t x = 0; x < count; ++x) {
        heat[x] = static_cast<std::uint8_t>(
            Cooled((above[x] + middle[x] + middle[x + 2] + below[x] + below[x + 2]) / 5));
        any |= heat[x];
    }
    return any;
}

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
    auto row_of = [w](std::vector<std::uint8_t>& grid, std::int32_t r) {
        return grid.data() + std::size_t(r) * std::size_t(w);
    };
    auto& old_grid = engine.heat_old;
    for (std::int32_t x = 0; x < w; ++x) {
        row_of(old_grid, h + 4)[x] =
            engine.s[1] >= static_cast<std::int32_t>(EffectRandom(random) * 16) ? 255 : 0;
    }
    for (std::int32_t x = 0; x < w; ++x) {
        row_of(old_grid, h + 5)[x] =
            engine.s[2] >= static_cast<std::int32_t>(EffectRandom(random) * 16) ? 255 : 0;
    }
    for (std::int32_t r = h + 4; r >= 1; --r) {
        const std::uint8_t* above = row_of(old_grid, r - 1);
        const std::uint8_t* middle = row_of(old_grid, r);
        const std::uint8_t* below = row_of(old_grid, r + 1);
        std::uint8_t* heat = row_of(engine.heat_new, r - 1);
        // The last column's right neighbours lie outside the grid and count as cold.
        const bool warm =
            w >= 3 && FireRow(heat + 1, above + 1, middle, below, std::size_t(w - 2)) != 0;
        if (w >= 2) {
            const std::int32_t x = w - 1;
            heat[x] =
                static_cast<std::uint8_t>(Cooled((above[x] + middle[x - 1] + below[x - 1]) / 5));
        }
        // Grid rows below H all show in the frame's bottom row, each over the one before: only
        // row H's picture stays, so the rows below it are only heated, not shown.
        if (r > h) continue;
        Bgrx* row = BufferRow(engine.frame, h - r);
        const Bgrx* palette = engine.palette.colours.data();
        // A row the heat has not reached shows entry 0 throughout.
        if (warm) {
            FetchColours(row + 1, heat + 1, std::size_t(w - 2), palette);
        } else {
            std::fill_n(row, w, palette[0]);
        }
        row[0] = palette[0];
        row[w - 1] = palette[0];
    }
    std::swap(engine.heat_old, engine.heat_new);
}

}  // namespace velk
