// A picture with gradients and a checker pattern, which JPEG and zlib both code to a realistic
// size: the pictures of the project benchmarks.
#pragma once

#include <cstdint>

#include "base/rgb_image.h"

namespace velk::bench {

inline RgbImage SyntheticPhoto(std::int32_t width, std::int32_t height, int seed) {
    RgbImage image{width, height, {}};
    image.pixels.reserve(std::size_t(width) * std::size_t(height) * 3);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<std::uint8_t>(x / 3 + seed * 20));
            image.pixels.push_back(static_cast<std::uint8_t>(y / 2 + ((x / 16 + y / 16) % 2) * 40));
            image.pixels.push_back(static_cast<std::uint8_t>((x + y + seed) / 5));
        }
    }
    return image;
}

}  // namespace velk::bench
