// The pattern of a brush that is not one plain colour: the six hatches, a two-colour pattern
// whose colours come from the device context, or a picture. A pattern repeats across the page
// from the brush origin, so that neighbouring figures continue one another's pattern.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/surface.h"

namespace velk {

// Hatch styles (CreateHatchBrush).
inline constexpr std::uint32_t kHsHorizontal = 0;
inline constexpr std::uint32_t kHsVertical = 1;
inline constexpr std::uint32_t kHsFDiagonal = 2;  // top left to bottom right
inline constexpr std::uint32_t kHsBDiagonal = 3;  // bottom left to top right
inline constexpr std::uint32_t kHsCross = 4;
inline constexpr std::uint32_t kHsDiagCross = 5;

struct BrushPattern {
    enum class Kind {
        kHatch,  // 1-bits: the brush colour; 0-bits: the background colour, or nothing when the
                 // background mode is transparent
        kMono,   // 0-bits: the text colour; 1-bits: the background colour
        kPicture,
    };
    Kind kind = Kind::kPicture;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> bits;  // kHatch, kMono: one 0 or 1 a pixel, rows top to bottom
    std::vector<Bgrx> pixels;        // kPicture

    // True when the pattern has a size and exactly one entry a pixel of its kind.
    bool Valid() const {
        if (width <= 0 || height <= 0) return false;
        const std::size_t n = std::size_t(width) * std::size_t(height);
        return kind == Kind::kPicture ? pixels.size() == n : bits.size() == n;
    }

    // The pixel of the pattern that lands on device pixel (x, y) for a brush origin (ox, oy).
    std::size_t IndexAt(std::int64_t x, std::int64_t y, std::int64_t ox, std::int64_t oy) const {
        std::int64_t px = (x - ox) % width, py = (y - oy) % height;
        if (px < 0) px += width;
        if (py < 0) py += height;
        return std::size_t(py) * std::size_t(width) + std::size_t(px);
    }
};

// The 8 x 8 pattern of a hatch style; none for an unknown style.
std::shared_ptr<const BrushPattern> HatchPattern(std::uint32_t hatch);

}  // namespace velk
