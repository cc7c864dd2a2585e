// A coverage mask: how much of each pixel a shape (a run of glyphs) covers, 0 to 255.
#pragma once

#include <cstdint>
#include <vector>

namespace velk {

struct CoverageMask {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> coverage;  // width x height, rows top to bottom

    std::uint8_t At(std::int32_t x, std::int32_t y) const {
        return coverage[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

}  // namespace velk
