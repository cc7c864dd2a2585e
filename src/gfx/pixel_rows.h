// Row kernels of the canvas and the picture drawers: plain loops over one row of pixels, each
// compiled per vector level and chosen when the program starts (base/pixel_dispatch.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/surface.h"

namespace velk {

// `count` pixels set to `colour` (its fourth byte cleared).
void FillPixels(Bgrx* row, std::size_t count, Bgrx colour);
// Each pixel XORed with `colour`, and each inverted: the pen's XOR and NOT drawing modes.
void XorPixels(Bgrx* row, std::size_t count, Bgrx colour);
void InvertPixels(Bgrx* row, std::size_t count);

// `count` RGB triplets (red first) written as pixels.
void RgbToPixels(const std::uint8_t* rgb, Bgrx* out, std::size_t count);
// The same, leaving the pixels whose triplet is the key colour as they are.
void KeyedRgbToPixels(const std::uint8_t* rgb, Bgrx* out, std::size_t count, Bgrx key);

// Smoothed glyphs: each pixel mixed with `colour` by its coverage byte (0 leaves it, 255 is the
// colour), rounded to nearest: (colour x a + pixel x (255 - a) + 127) / 255 per channel.
void CoverPixels(const std::uint8_t* coverage, Bgrx* row, std::size_t count, Bgrx colour);

}  // namespace velk
