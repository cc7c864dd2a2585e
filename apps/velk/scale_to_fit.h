// Shrinking a rendered page for a thumbnail: file managers ask for pictures no larger than a
// square of a given side.
#pragma once

#include <cstdint>
#include <optional>

#include "gfx/surface.h"

namespace velk::tool {

// The size of a width x height picture scaled down to fit max_side x max_side, proportions kept
// (each side at least one pixel). A picture that already fits keeps its size: a thumbnail is
// never blown up.
struct FitSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
FitSize FitWithin(std::int32_t width, std::int32_t height, std::int32_t max_side);

// The surface scaled down to FitWithin's size, each new pixel the average of the source pixels
// it covers, so thin lines and text fade instead of vanishing. None when the surface already
// fits (or max_side is 0): the caller keeps the one it has rather than a copy.
std::optional<Surface> ScaleDownToFit(const Surface& source, std::int32_t max_side);

}  // namespace velk::tool
