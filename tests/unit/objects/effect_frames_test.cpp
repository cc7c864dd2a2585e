// Effect frames pinned pixel for pixel: every type and mode over several steps, with the hashes
// the frames have always had. The frames are wider and taller than 256 so that the textures and
// tables wrap, and their widths are odd so that no row is a whole number of vector lanes; the
// step values come small and large, and the spin's pictures from one pixel to over 2048 a
// side. Any rewrite of a step that changes a single pixel fails here.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "gfx/canvas.h"
#include "objects/effect/effect_engine.h"
#include "objects/effect/effect_relief.h"

namespace velk {
namespace {

enum class Steps { kSmall, kLarge };

Object Effect(std::uint32_t type, std::uint32_t mode, Steps steps, std::int32_t width,
              std::int32_t height) {
    Object effect;
    effect.kind = kKindEffect;
    effect.rect = {3, 5, 3 + width, 5 + height};
    effect.param1 = type;
    effect.param4 = mode;
    effect.option3 = static_cast<std::uint32_t>(width);
    effect.option4 = static_cast<std::uint32_t>(height);
    effect.colour1 = 0x1000F0;  // red falls and green and blue rise from c1 to c2
    effect.colour2 = 0xC0F020;
    if (steps == Steps::kSmall) {
        effect.colour3 = 0x030201;     // s1 1, s2 2, s3 3
        effect.hover_mode = 0x060504;  // s4 4, s5 5, s6 6
        effect.option0 = 0x0807;       // s7 7, s8 8
    } else {
        effect.colour3 = 0x0BFD09;     // s1 9, s2 253, s3 11
        effect.hover_mode = 0x1D7FC1;  // s4 193, s5 127, s6 29
        effect.option0 = 0xB3F9;       // s7 249, s8 179
    }
    return effect;
}

// Every pixel different, with a blue channel that makes bumps for the moving light.
RgbImage Picture(std::int32_t width, std::int32_t height) {
    RgbImage picture{width, height, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            picture.pixels.push_back(static_cast<std::uint8_t>(x * 7 + y));
            picture.pixels.push_back(static_cast<std::uint8_t>(y * 5 - x));
            picture.pixels.push_back(static_cast<std::uint8_t>(x * y + x * x / 9));
        }
    }
    return picture;
}

std::uint32_t Fold(std::uint32_t hash, const Surface& surface) {
    for (const Bgrx p : surface.Pixels()) hash = (hash ^ p) * 16777619u;
    return hash;
}

// The frames of the first step and `steps` more, one hash for all; the relief's drawn modes
// hash what each step draws onto the page instead.
std::uint32_t FramesHash(const Object& effect, const RgbImage& picture, int steps) {
    RuntimeRandom random(11);
    EffectEngine engine = MakeEffectEngine(effect, &picture, random);
    std::uint32_t hash = 2166136261u;
    for (int i = 0;; ++i) {
        if (ReliefDrawsItself(engine)) {
            const std::int32_t w = effect.rect.right - effect.rect.left;
            const std::int32_t h = effect.rect.bottom - effect.rect.top;
            Surface page(w + 2, h + 1, MakeBgrx(9, 8, 7));
            Canvas canvas(page);
            DrawRelief(engine, canvas, {1, 1, 1 + w, 1 + h});
            hash = Fold(hash, page);
        } else {
            hash = Fold(hash, engine.frame);
        }
        if (i == steps) return hash;
        StepEffect(engine, random);
    }
}

TEST(EffectFrames, EveryTypeAndModeKeepsItsPixels) {
    struct Case {
        std::uint32_t type, mode;
        Steps steps;
        std::int32_t width, height;         // the requested frame
        std::int32_t picture_w, picture_h;  // the warp and the light take this size
        int count;
        std::uint32_t hash;
    };
    constexpr Steps kS = Steps::kSmall, kL = Steps::kLarge;
    const Case cases[] = {
        {0, 0, kS, 301, 263, 1, 1, 5, 2425450498u},
        {0, 1, kS, 301, 263, 1, 1, 5, 1397369781u},
        {0, 2, kS, 301, 263, 1, 1, 5, 128419422u},
        {0, 3, kS, 301, 263, 1, 1, 5, 967986544u},
        {0, 4, kS, 301, 263, 1, 1, 5, 2505781279u},
        {0, 5, kS, 301, 263, 1, 1, 5, 659733475u},
        {0, 6, kS, 301, 263, 1, 1, 5, 3930743804u},
        {0, 0, kL, 301, 263, 1, 1, 5, 1420383451u},
        {1, 0, kS, 301, 263, 1, 1, 5, 4171343869u},
        {1, 1, kS, 301, 263, 1, 1, 5, 337620000u},
        {1, 2, kS, 301, 263, 1, 1, 5, 1126533128u},
        {1, 3, kS, 301, 263, 1, 1, 5, 1000042877u},
        {1, 2, kL, 301, 263, 1, 1, 5, 1781983262u},
        {2, 0, kS, 301, 263, 1, 1, 5, 1609483085u},
        {2, 1, kS, 301, 263, 1, 1, 5, 1795231499u},
        {2, 2, kS, 301, 263, 1, 1, 5, 20222190u},
        {2, 0, kL, 301, 263, 1, 1, 5, 425299902u},
        {2, 0, kS, 3, 2, 1, 1, 5, 3236373397u},
        {3, 0, kS, 1, 1, 283, 259, 5, 447102045u},
        {3, 0, kL, 1, 1, 283, 259, 40, 3676008398u},
        {3, 0, kS, 1, 1, 5, 3, 5, 1722863599u},
        {4, 0, kS, 301, 263, 283, 259, 5, 3762527240u},
        {4, 1, kS, 301, 263, 283, 259, 5, 3964604985u},
        {4, 2, kS, 301, 263, 283, 259, 5, 1620551530u},
        {4, 3, kS, 301, 263, 283, 259, 5, 1200294535u},
        {4, 4, kS, 301, 263, 283, 259, 5, 1005238844u},
        {4, 5, kS, 301, 263, 283, 259, 5, 938038221u},
        {4, 3, kL, 301, 263, 283, 259, 5, 242071117u},
        {4, 3, kS, 3, 2, 283, 259, 5, 400696213u},
        {5, 0, kS, 1, 1, 283, 259, 5, 209324123u},
        {5, 0, kL, 1, 1, 283, 259, 5, 1717708777u},
        {5, 0, kS, 1, 1, 2, 1, 5, 3795608245u},
        {6, 0, kS, 301, 263, 283, 259, 5, 974620405u},
        {6, 0, kS, 45, 33, 283, 259, 256, 2596843651u},
        {6, 0, kS, 45, 33, 5, 3, 256, 1659527690u},
        {6, 0, kS, 45, 33, 1, 1, 3, 3437436629u},
        {6, 0, kS, 45, 33, 2101, 3, 20, 1694236532u},
        {6, 0, kS, 45, 33, 3, 2101, 20, 1360277911u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " mode " + std::to_string(c.mode) + " " +
                     std::to_string(c.width) + " x " + std::to_string(c.height) + " picture " +
                     std::to_string(c.picture_w) + " x " + std::to_string(c.picture_h) +
                     (c.steps == kL ? " large steps" : ""));
        const Object effect = Effect(c.type, c.mode, c.steps, c.width, c.height);
        EXPECT_EQ(FramesHash(effect, Picture(c.picture_w, c.picture_h), c.count), c.hash);
    }
}

}  // namespace
}  // namespace velk
