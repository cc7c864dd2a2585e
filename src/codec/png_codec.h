// PNG files for pictures handed to and from the tools.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/rgb_image.h"

namespace velk {

std::vector<std::uint8_t> EncodePng(const RgbImage& image);
// Any PNG, converted to RGB; transparency is composited over black.
std::optional<RgbImage> DecodePng(std::span<const std::uint8_t> file);

}  // namespace velk
