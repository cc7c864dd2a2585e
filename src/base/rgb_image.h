// The RGB image every picture decodes to: width x height x 3 bytes (red, green, blue), rows
// top to bottom, no padding.
#pragma once

#include <cstdint>
#include <vector>

namespace velk {

struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;

    bool operator==(const RgbImage&) const = default;
};

}  // namespace velk
