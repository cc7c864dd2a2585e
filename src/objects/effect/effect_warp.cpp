// Type 3: the picture warped by a plasma; each frame pixel is fetched from where the plasma's
// value points into the picture.
#include <vector>

#include "base/pixel_dispatch.h"
#include "objects/effect/effect_fetch.h"
#include "objects/effect/effect_types.h"

namespace velk {
namespace {

// The plasma's value is a row part plus a column part. Every wave is 1 ... 127, so the value
// e is 387 ... 65277: never negative, so e / 256 and e mod 256 are a shift and a mask, and
// the point it gives, row H x (e / 256) / 256 and column (e mod 256) x W / 256, always lies
// inside the picture. The spots index the picture from its top row; its rows are counted from
// the bottom.
VELK_PIXEL_LOOP void WarpSpots(std::int32_t* __restrict spots,
                               const std::int32_t* __restrict columns, std::size_t count,
                               std::int32_t row_part, std::int32_t w, std::int32_t h) {
    for (std::size_t x = 0; x < count; ++x) {
        const std::int32_t e = row_part + columns[x];
        const std::int32_t source_row = (h * (e >> 8)) >> 8;
        const std::int32_t source_column = ((e & 0xFF) * w) >> 8;
        spots[x] = (h - 1 - source_row) * w + source_column;
    }
}

}  // namespace

void SetUpWarp(EffectEngine& engine, RuntimeRandom& random) {
    SetUpWaves(engine, random);
}

void StepWarp(EffectEngine& engine, RuntimeRandom& random) {
    const auto& t = engine.wave;
    auto& s = engine.s;
    const std::int32_t w = engine.width, h = engine.height;
    // The column waves (x, u, v) run the same course in every row: their part is made once.
    std::vector<std::int32_t> columns(static_cast<std::size_t>(w));
    std::int32_t u = engine.p1, v = engine.p2;
    for (std::int32_t x = 0; x < w; ++x) {
        columns[std::size_t(x)] = 2 * t[x & 0xFF] * 128 + t[v] + t[u];
        u = (u + s[7]) & 0xFF;
        v = (v - s[8]) & 0xFF;
    }
    std::vector<std::int32_t> spots(columns.size());
    std::int32_t a = engine.p4, b = engine.p3;
    for (std::int32_t y = 0; y < h; ++y) {
        const std::int32_t row_part = ((t[a] + t[b]) & ~1) * 128 + t[y & 0xFF] - 128;
        WarpSpots(spots.data(), columns.data(), columns.size(), row_part, w, h);
        FetchColours(BufferRow(engine.frame, y), spots.data(), spots.size(), engine.source.Row(0));
        b = (b + s[5]) & 0xFF;
        a = (a + s[6]) & 0xFF;
    }
    if (EffectRandom(random) < 0.02) s[4] = -s[4];
    engine.p1 = (engine.p1 + s[3]) & 0xFF;
    engine.p2 = (engine.p2 + s[4]) & 0xFF;
    if (EffectRandom(random) < 0.02) s[2] = -s[2];
    engine.p4 = (engine.p4 + s[2]) & 0xFF;
    engine.p3 = (engine.p3 + s[1]) & 0xFF;
}

}  // namespace velk
