// Type 3: the picture warped by a plasma; each frame pixel is fetched from where the plasma's
// value points into the picture.
#include "objects/effect/effect_types.h"

namespace velk {

void SetUpWarp(EffectEngine& engine, RuntimeRandom& random) {
    SetUpWaves(engine, random);
}

void StepWarp(EffectEngine& engine, RuntimeRandom& random) {
    const auto& t = engine.wave;
    auto& s = engine.s;
    const std::int32_t w = engine.width, h = engine.height;
    const Surface& source = engine.source;
    std::int32_t a = engine.p4, b = engine.p3;
    for (std::int32_t y = 0; y < h; ++y) {
        Bgrx* row = BufferRow(engine.frame, y);
        std::int32_t u = engine.p1, v = engine.p2;
        for (std::int32_t x = 0; x < w; ++x) {
            const std::int32_t e =
                (((t[a] + t[b]) & ~1) + 2 * t[x & 0xFF]) * 128 + t[v] + t[u] + t[y & 0xFF] - 128;
            const std::int32_t source_row = h * (e / 256) / 256;
            const std::int32_t source_column = (e % 256) * w / 256;
            if (source_row >= 0 && source_row < source.Height() && source_column >= 0 &&
                source_column < source.Width()) {
                row[x] = BufferRow(source, source_row)[source_column];
            }
            u = (u + s[7]) & 0xFF;
            v = (v - s[8]) & 0xFF;
        }
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
