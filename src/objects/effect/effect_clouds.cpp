// Type 1: drifting clouds, three wrapping textures slid over each other.
#include <algorithm>

#include "objects/effect/effect_types.h"

namespace velk {
namespace {

constexpr std::int32_t kSide = 256;

std::uint8_t& At(std::vector<std::uint8_t>& texture, std::int32_t row, std::int32_t column) {
    return texture[std::size_t(row & 0xFF) * kSide + std::size_t(column & 0xFF)];
}

std::int32_t Channel(std::uint32_t colorref, int shift) {
    return static_cast<std::int32_t>((colorref >> shift) & 0xFF);
}

// From c1 to c2 by `k` of 255, in the channel at `shift`.
std::int32_t Blend(const EffectEngine& engine, int shift, std::int32_t k) {
    const std::int32_t from = Channel(engine.c1, shift);
    return from + (Channel(engine.c2, shift) - from) * k / 255;
}

Bgrx CloudPixel(const EffectEngine& engine, std::int32_t v, std::int32_t d, std::int32_t g) {
    auto bgrx = [](std::int32_t r, std::int32_t gr, std::int32_t b) {
        return MakeBgrx(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(gr),
                        static_cast<std::uint8_t>(b));
    };
    const std::int32_t k = (v + d + g) / 3;
    switch (engine.mode) {
        case 1:
            return bgrx(k * Channel(engine.c1, 0) / 255, k * Channel(engine.c1, 8) / 255,
                        k * Channel(engine.c1, 16) / 255);
        case 2:
            return bgrx(Blend(engine, 0, k), Blend(engine, 8, k), Blend(engine, 16, k));
        case 3:
            return bgrx(Blend(engine, 0, g), Blend(engine, 8, d), Blend(engine, 16, v));
        default:
            return bgrx(g, d, v);
    }
}

std::int32_t WrapOffset(std::int32_t offset) {
    if (offset > 256) offset -= 256;
    if (offset < 0) offset += 256;
    return offset;
}

}  // namespace

std::vector<std::uint8_t> MidpointTexture(std::int32_t a, std::int32_t b, RuntimeRandom& random) {
    std::vector<std::uint8_t> texture(std::size_t(kSide) * kSide, 0);
    for (std::int32_t c = kSide; c >= 2; c /= 2) {
        const std::int32_t m = b + a * c;
        auto jitter = [&](std::int32_t v) {
            const auto shift = static_cast<std::int32_t>(EffectRandom(random) * m);
            return static_cast<std::uint8_t>(std::clamp(v + shift - m / 2, 0, 255));
        };
        const std::int32_t half = c / 2;
        for (std::int32_t d = 0; d < kSide; d += c) {
            for (std::int32_t x = 0; x < kSide; x += c) {
                const std::int32_t tl = At(texture, d, x), tr = At(texture, d, x + c);
                const std::int32_t bl = At(texture, d + c, x), br = At(texture, d + c, x + c);
                At(texture, d + half, x + half) = jitter((tl + tr + bl + br) / 4);
                At(texture, d + c, x + half) = jitter((bl + br) / 2);
                At(texture, d + half, x + c) = jitter((tr + br) / 2);
                if (d == 0) At(texture, d + half, x) = jitter((tl + bl) / 2);
                if (x == 0) At(texture, d, x + half) = jitter((tl + tr) / 2);
            }
        }
    }
    return texture;
}

void SetUpClouds(EffectEngine& engine, RuntimeRandom& random) {
    const auto& s = engine.s;
    engine.texture_a = MidpointTexture(s[3], s[4] + 2, random);
    engine.texture_b = MidpointTexture(s[3] + 1, s[4], random);
    engine.texture_c = MidpointTexture(s[3], s[4], random);
    engine.offset1 = 255;
    engine.offset2 = 1;
}

void StepClouds(EffectEngine& engine) {
    const std::int32_t o1 = engine.offset1, o2 = engine.offset2;
    for (std::int32_t y = 0; y < engine.height; ++y) {
        Bgrx* row = BufferRow(engine.frame, y);
        for (std::int32_t x = 0; x < engine.width; ++x) {
            const std::int32_t v = At(engine.texture_c, y, x);
            const std::int32_t d = At(engine.texture_a, y + o2, x + o1);
            const std::int32_t g = At(engine.texture_b, y, x + o2);
            row[x] = CloudPixel(engine, v, d, g);
        }
    }
    engine.offset2 = WrapOffset(o2 + engine.s[1]);
    engine.offset1 = WrapOffset(o1 + engine.s[2]);
}

}  // namespace velk
