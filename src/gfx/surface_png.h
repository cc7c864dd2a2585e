// Screenshots: a surface as an RGB picture and as PNG file bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "base/rgb_image.h"
#include "gfx/surface.h"

namespace velk {

// Red, green and blue of every pixel, rows top to bottom; the X byte is dropped.
RgbImage RgbFromSurface(const Surface& surface);

// The surface as a PNG file (8-bit RGB, no alpha).
std::vector<std::uint8_t> EncodeSurfacePng(const Surface& surface);

}  // namespace velk
