// Pictures for the window tests, and reading them back from a screenshot.
#pragma once

#include <QImage>
#include <cstdint>

#include "gfx/surface.h"

namespace velk::desktop {

// A picture in which every pixel differs from its neighbours.
inline Surface Pattern(std::int32_t width, std::int32_t height) {
    Surface s(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            s.Set(x, y,
                  MakeBgrx(static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5),
                           static_cast<std::uint8_t>(x ^ y)));
        }
    }
    return s;
}

inline std::uint32_t Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

}  // namespace velk::desktop
