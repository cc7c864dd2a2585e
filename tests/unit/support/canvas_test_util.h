// Helpers for the canvas tests: pixel maps written as rows of letters, one letter per colour.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "gfx/surface.h"

namespace velk::test {

inline constexpr Bgrx kWhite = MakeBgrx(255, 255, 255);
inline constexpr Bgrx kBlack = MakeBgrx(0, 0, 0);
inline constexpr Bgrx kFace = MakeBgrx(192, 192, 192);
inline constexpr Bgrx kShadow = MakeBgrx(128, 128, 128);
inline constexpr Bgrx kLight = MakeBgrx(223, 223, 223);

// The pixels of the w x h area at (x, y), each written as the letter of its colour in
// `legend` ('?' for a colour the legend lacks).
inline std::vector<std::string> PixelMap(const Surface& s, std::int32_t x, std::int32_t y,
                                         std::int32_t w, std::int32_t h,
                                         const std::map<Bgrx, char>& legend) {
    std::vector<std::string> rows;
    for (std::int32_t j = 0; j < h; ++j) {
        std::string row;
        for (std::int32_t i = 0; i < w; ++i) {
            const auto it = legend.find(s.At(x + i, y + j));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// The positions of the pixels that differ from `background`, row by row.
inline std::vector<std::pair<int, int>> PaintedPixels(const Surface& s, Bgrx background) {
    std::vector<std::pair<int, int>> out;
    for (std::int32_t y = 0; y < s.Height(); ++y) {
        for (std::int32_t x = 0; x < s.Width(); ++x) {
            if (s.At(x, y) != background) out.emplace_back(x, y);
        }
    }
    return out;
}

}  // namespace velk::test
