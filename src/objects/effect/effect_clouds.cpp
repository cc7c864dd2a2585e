// Type 1: drifting clouds, three wrapping textures slid over each other.
#include <algorithm>

#include "base/pixel_dispatch.h"
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

// Every mode makes each channel as from + step x level / 255 (the integer division of the
// presentation, truncated towards zero) of a level 0 ... 255: the mean of the three textures
// (modes 1 and 2) or one texture per channel (red g, green d, blue v). Mode 0 shows the levels
// as they are, which is from 0 by 255 / 255; mode 1 darkens c1, from 0 by c1.
struct CloudTint {
    std::int32_t red_from = 0, green_from = 0, blue_from = 0;
    std::int32_t red_step = 255, green_step = 255, blue_step = 255;
    bool mean = false;
};

CloudTint TintOf(const EffectEngine& engine) {
    CloudTint tint;
    if (engine.mode < 1 || engine.mode > 3) return tint;
    tint.mean = engine.mode != 3;
    const std::uint32_t from = engine.mode == 1 ? 0 : engine.c1;
    const std::uint32_t to = engine.mode == 1 ? engine.c1 : engine.c2;
    tint.red_from = Channel(from, 0);
    tint.green_from = Channel(from, 8);
    tint.blue_from = Channel(from, 16);
    tint.red_step = Channel(to, 0) - tint.red_from;
    tint.green_step = Channel(to, 8) - tint.green_from;
    tint.blue_step = Channel(to, 16) - tint.blue_from;
    return tint;
}

// One run of pixels whose texture columns do not wrap.
VELK_PIXEL_LOOP void CloudRun(Bgrx* __restrict out, const std::uint8_t* __restrict v,
                              const std::uint8_t* __restrict d, const std::uint8_t* __restrict g,
                              std::size_t count, const CloudTint& tint) {
    const std::int32_t rf = tint.red_from, gf = tint.green_from, bf = tint.blue_from;
    const std::int32_t rs = tint.red_step, gs = tint.green_step, bs = tint.blue_step;
    auto pixel = [&](std::int32_t r, std::int32_t gr, std::int32_t b) {
        return (Bgrx(rf + rs * r / 255) << 16) | (Bgrx(gf + gs * gr / 255) << 8) |
               Bgrx(bf + bs * b / 255);
    };
    if (rf == 0 && gf == 0 && bf == 0 && rs == 255 && gs == 255 && bs == 255 && !tint.mean) {
        // Mode 0 shows the levels as they are: no arithmetic.
        for (std::size_t x = 0; x < count; ++x)
            out[x] = (Bgrx{g[x]} << 16) | (Bgrx{d[x]} << 8) | Bgrx{v[x]};
    } else if (tint.mean) {
        for (std::size_t x = 0; x < count; ++x) {
            const std::int32_t k = (v[x] + d[x] + g[x]) / 3;
            out[x] = pixel(k, k, k);
        }
    } else {
        for (std::size_t x = 0; x < count; ++x) out[x] = pixel(g[x], d[x], v[x]);
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
    const CloudTint tint = TintOf(engine);
    for (std::int32_t y = 0; y < engine.height; ++y) {
        Bgrx* row = BufferRow(engine.frame, y);
        const std::uint8_t* v = &At(engine.texture_c, y, 0);
        const std::uint8_t* d = &At(engine.texture_a, y + o2, 0);
        const std::uint8_t* g = &At(engine.texture_b, y, 0);
        // The row is cut wherever one of the three texture rows wraps, into runs that read
        // each texture straight on.
        for (std::int32_t x = 0; x < engine.width;) {
            const std::int32_t vx = x & 0xFF, dx = (x + o1) & 0xFF, gx = (x + o2) & 0xFF;
            const std::int32_t run =
                std::min({engine.width - x, kSide - vx, kSide - dx, kSide - gx});
            CloudRun(row + x, v + vx, d + dx, g + gx, std::size_t(run), tint);
            x += run;
        }
    }
    engine.offset2 = WrapOffset(o2 + engine.s[1]);
    engine.offset1 = WrapOffset(o1 + engine.s[2]);
}

}  // namespace velk
