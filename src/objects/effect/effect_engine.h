// The moving picture of an Effect object (kind 20): its frame, its parameters fixed when it was
// made, and the state each type carries from one step to the next. The page's effect timer
// steps it; drawing only shows the latest frame.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/rgb_image.h"
#include "base/runtime_random.h"
#include "document/object.h"
#include "gfx/surface.h"

namespace velk {

enum class EffectType : std::int32_t {
    kPlasma = 0,
    kClouds = 1,
    kFire = 2,
    kWarp = 3,
    kRelief = 4,
    kLight = 5,
    kSpin = 6,
};

// The largest frame side an effect makes; a larger rectangle is drawn stretched.
inline constexpr std::int32_t kMaxEffectSide = 4096;

// Index 0 ... 255 to a colour.
struct EffectPalette {
    std::array<Bgrx, 256> colours{};
};

struct EffectEngine {
    std::int32_t type = -1;
    std::int32_t mode = 0;
    std::int32_t width = 0, height = 0;
    // Frame and source pixels, in the presentation's top-down order; the steps address them
    // bottom-up through BufferRow, as the pictures were laid out when the effects were made.
    Surface frame;
    Surface source;
    bool has_source = false;
    // Set once a step has filled the frame; an empty frame draws nothing.
    bool filled = false;
    std::uint32_t c1 = 0, c2 = 0;     // COLORREFs
    std::array<std::int32_t, 9> s{};  // s[1] ... s[8]; s[0] unused
    std::int32_t p1 = 0, p2 = 0, p3 = 0, p4 = 0;
    std::array<std::int32_t, 256> wave{};
    EffectPalette palette;
    // Clouds: three 256 x 256 textures and their two offsets.
    std::vector<std::uint8_t> texture_a, texture_b, texture_c;
    std::int32_t offset1 = 0, offset2 = 0;
    // Fire and relief: the heat grids (old and new).
    std::vector<std::uint8_t> heat_old, heat_new;
    // Light and spin: cosine and sine tables, the light table and the height map.
    std::array<std::int32_t, 256> cos_table{}, sin_table{};
    std::vector<std::uint8_t> light_table, height_map;
    // Relief: 1024-step tables, the sampled colours and their brightness, three angles.
    std::vector<double> sin1024, cos1024;
    std::vector<Bgrx> relief_colours;
    std::vector<std::uint8_t> relief_brightness;
    std::int32_t angle1 = 0, angle2 = 0, angle3 = 0;
};

// A real number 0 ... 1 from the runtime's generator.
double EffectRandom(RuntimeRandom& random);
// A random table phase 0 ... 255.
std::int32_t EffectRandomPhase(RuntimeRandom& random);

// Bottom-up row `y` of a top-down surface.
inline Bgrx* BufferRow(Surface& surface, std::int32_t y) {
    return surface.Row(surface.Height() - 1 - y);
}
inline const Bgrx* BufferRow(const Surface& surface, std::int32_t y) {
    return surface.Row(surface.Height() - 1 - y);
}

// Makes the engine of `effect`: frame size, parameters, source, the type's set-up and one
// step. `source` is the decoded `image1`, or null. Returns an engine whose type is -1 when the
// object cannot show anything (unknown type, empty or missing frame).
EffectEngine MakeEffectEngine(const Object& effect, const RgbImage* source, RuntimeRandom& random);

// One step of the animation.
void StepEffect(EffectEngine& engine, RuntimeRandom& random);

}  // namespace velk
