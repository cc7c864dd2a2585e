// The palettes effects show their indices through.
#pragma once

#include <cstdint>

#include "objects/effect/effect_engine.h"

namespace velk {

// Red, green, blue 0 ... 1 of the HLS colour (h, l, s), each channel x 255 truncated.
Bgrx HlsColour(double hue, double lightness, double saturation);

EffectPalette RainbowPalette();
EffectPalette BluePalette();
EffectPalette GreenPalette();
EffectPalette HeatPalette();
// c1 at entry 0 running to c2 (COLORREFs).
EffectPalette GradientPalette(std::uint32_t c1, std::uint32_t c2);
EffectPalette FadeThroughBlackPalette(std::uint32_t c1, std::uint32_t c2);
EffectPalette RiseAndFallPalette(std::uint32_t c1, std::uint32_t c2);
EffectPalette FirePalette();
EffectPalette ColdFirePalette();

}  // namespace velk
