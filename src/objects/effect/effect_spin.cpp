// Type 6: the picture spinning and zooming, tiled without end.
#include <cmath>
#include <numbers>

#include "objects/effect/effect_types.h"

namespace velk {
namespace {

// The remainder with the sign of the modulus.
std::int64_t Wrap(std::int64_t value, std::int64_t modulus) {
    const std::int64_t r = value % modulus;
    return r < 0 ? r + modulus : r;
}

}  // namespace

void SetUpSpin(EffectEngine& engine) {
    for (int i = 0; i < 256; ++i) {
        const double angle = i * 2.0 * std::numbers::pi / 256.0;
        engine.cos_table[i] =
            static_cast<std::int32_t>(std::floor(std::cos(angle) * 127.0 + 128.0));
        engine.sin_table[i] =
            static_cast<std::int32_t>(std::floor(std::sin(angle) * 127.0 + 128.0));
    }
    engine.p1 = 0;
}

void StepSpin(EffectEngine& engine) {
    const auto& c = engine.cos_table;
    const auto& s = engine.sin_table;
    const std::int32_t p = engine.p1;
    const std::int32_t q = s[p];
    const std::int64_t a = c[p] + c[q], b = s[q];
    const std::int64_t cu = 2 * c[p] - 256, cv = 2 * s[p] - 256;
    const std::int64_t sw = engine.source.Width(), sh = engine.source.Height();
    const std::int32_t w = engine.width, h = engine.height;
    for (std::int32_t y = 0; y < h; ++y) {
        Bgrx* out = BufferRow(engine.frame, y);
        const std::int64_t dy = y - h / 2;
        for (std::int32_t x = 0; x < w; ++x) {
            const std::int64_t dx = x - w / 2;
            const std::int64_t column = Wrap(cu + (a * dx - b * dy) / sw, sw);
            const std::int64_t row = Wrap(cv + (a * dy + b * dx) / sh, sh);
            out[x] = BufferRow(engine.source, static_cast<std::int32_t>(row))[column];
        }
    }
    engine.p1 = (p + 1) & 0xFF;
}

}  // namespace velk
