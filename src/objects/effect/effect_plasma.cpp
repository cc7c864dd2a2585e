// Type 0: a colour plasma, four cosine waves summed and shown through the palette of its mode.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/pixel_dispatch.h"
#include "objects/effect/effect_palettes.h"
#include "objects/effect/effect_types.h"

namespace velk {
namespace {

EffectPalette PlasmaPalette(const EffectEngine& engine) {
    switch (engine.mode) {
        case 1:
            return HeatPalette();
        case 2:
            return BluePalette();
        case 3:
            return GreenPalette();
        case 4:
            return GradientPalette(engine.c1, engine.c2);
        case 5:
            return FadeThroughBlackPalette(engine.c1, engine.c2);
        case 6:
            return RiseAndFallPalette(engine.c1, engine.c2);
        default:
            return RainbowPalette();
    }
}

// Every wave is 1 ... 127, so the sum is positive and halving it is a shift.
VELK_PIXEL_LOOP void PlasmaRow(Bgrx* __restrict out, const std::int32_t* __restrict columns,
                               std::size_t count, std::int32_t row_waves,
                               const Bgrx* __restrict palette) {
    for (std::size_t x = 0; x < count; ++x) out[x] = palette[(columns[x] + row_waves) >> 1];
}

}  // namespace

void MakeWaveTable(EffectEngine& engine) {
    for (int i = 0; i < 256; ++i) {
        engine.wave[i] = static_cast<std::int32_t>(
                             std::floor(std::cos(i * 2.0 * std::numbers::pi / 256.0) * 63.0)) +
                         64;
    }
}

void SetUpWaves(EffectEngine& engine, RuntimeRandom& random) {
    MakeWaveTable(engine);
    engine.p1 = EffectRandomPhase(random);
    engine.p2 = EffectRandomPhase(random);
    engine.p3 = EffectRandomPhase(random);
    engine.p4 = EffectRandomPhase(random);
}

void SetUpPlasma(EffectEngine& engine, RuntimeRandom& random) {
    SetUpWaves(engine, random);
    engine.palette = PlasmaPalette(engine);
}

void StepPlasma(EffectEngine& engine) {
    const auto& t = engine.wave;
    const auto& s = engine.s;
    // The column waves (u, v) run the same course in every row: their sums are made once.
    std::vector<std::int32_t> columns(std::size_t(engine.width));
    std::int32_t u = engine.p2, v = engine.p1;
    for (std::int32_t& column : columns) {
        column = t[u] + t[v];
        u = (u - s[8]) & 0xFF;
        v = (v + s[7]) & 0xFF;
    }
    // A row is fixed by its row waves' sum, 2 ... 254: a row whose sum came before is a copy.
    std::array<const Bgrx*, 256> made{};
    std::int32_t a = engine.p3, b = engine.p4;
    for (std::int32_t y = 0; y < engine.height; ++y) {
        Bgrx* row = BufferRow(engine.frame, y);
        const std::int32_t row_waves = t[b] + t[a];
        if (made[row_waves] != nullptr) {
            std::copy_n(made[row_waves], columns.size(), row);
        } else {
            PlasmaRow(row, columns.data(), columns.size(), row_waves,
                      engine.palette.colours.data());
            made[row_waves] = row;
        }
        a = (a + s[5]) & 0xFF;
        b = (b + s[6]) & 0xFF;
    }
    engine.p1 = (engine.p1 + s[3]) & 0xFF;
    engine.p4 = (engine.p4 + s[1]) & 0xFF;
    engine.p2 = (engine.p2 + s[4]) & 0xFF;
    engine.p3 = (engine.p3 + s[2]) & 0xFF;
}

}  // namespace velk
