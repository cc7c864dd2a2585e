// Device-independent bitmaps inside records: an information header with its colour table at
// one offset, the rows at another.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "base/rgb_image.h"
#include "gfx/brush_pattern.h"
#include "gfx/surface.h"

namespace velk::emf {

// The picture, rows top to bottom; none when it cannot be decoded.
std::optional<RgbImage> DecodeDib(std::span<const std::uint8_t> info,
                                  std::span<const std::uint8_t> bits);
// True when the information header stores its rows bottom-up (a positive height).
bool DibBottomUp(std::span<const std::uint8_t> info);

Surface SurfaceFromRgb(const RgbImage& picture);

// A pattern brush of the picture, or with `two_colour` a pattern whose 0-bits take the text
// colour and 1-bits the background colour (the colour table is not used then).
std::shared_ptr<const BrushPattern> DibPattern(std::span<const std::uint8_t> info,
                                               std::span<const std::uint8_t> bits, bool two_colour);

}  // namespace velk::emf
