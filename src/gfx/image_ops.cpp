// Pixel operations on RGB images: crop and overlay with opacity (the bilinear resize is in
// image_resize.cpp).
#include <algorithm>
#include <cmath>
#include <new>

#include "codec/limits.h"
#include "gfx/image_library.h"

namespace velk {

bool IsValidRgb(const RgbImage& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() ==
               std::uint64_t(picture.width) * std::uint64_t(picture.height) * 3;
}

std::optional<RgbImage> CropRGB(const RgbImage& picture, std::int32_t left, std::int32_t top,
                                std::int32_t right, std::int32_t bottom) {
    if (!IsValidRgb(picture)) return std::nullopt;
    if (left < 0 || top < 0 || left > right || top > bottom || right > picture.width ||
        bottom > picture.height) {
        return std::nullopt;
    }
    RgbImage out;
    out.width = right - left;
    out.height = bottom - top;
    const std::size_t row_bytes = std::size_t(out.width) * 3;
    try {
        out.pixels.assign(row_bytes * std::size_t(out.height), 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    for (std::int32_t y = 0; y < out.height; ++y) {
        const std::uint8_t* from =
            picture.pixels.data() +
            (std::size_t(top + y) * std::size_t(picture.width) + std::size_t(left)) * 3;
        std::copy(from, from + row_bytes, out.pixels.begin() + std::ptrdiff_t(row_bytes) * y);
    }
    return out;
}

bool OverlayRGB(RgbImage& target, const RgbImage& source, std::int32_t x, std::int32_t y,
                double opacity, std::optional<std::uint32_t> key_colour) {
    if (!IsValidRgb(target) || !IsValidRgb(source)) return false;
    if (!(opacity >= 0.0)) opacity = 0.0;  // NaN too
    if (opacity > 1.0) opacity = 1.0;
    const double rest = 1.0 - opacity;
    const std::int64_t x0 = std::max<std::int64_t>(x, 0);
    const std::int64_t y0 = std::max<std::int64_t>(y, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{x} + source.width, target.width);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{y} + source.height, target.height);
    for (std::int64_t ty = y0; ty < y1; ++ty) {
        for (std::int64_t tx = x0; tx < x1; ++tx) {
            const std::uint8_t* s = source.pixels.data() + ((ty - y) * source.width + (tx - x)) * 3;
            std::uint8_t* t = target.pixels.data() + (ty * target.width + tx) * 3;
            if (key_colour) {
                std::uint32_t colour =
                    std::uint32_t{s[0]} | (std::uint32_t{s[1]} << 8) | (std::uint32_t{s[2]} << 16);
                if (colour == (*key_colour & 0xFFFFFF)) continue;
            }
            for (int c = 0; c < 3; ++c) {
                double mixed = std::floor(s[c] * opacity + t[c] * rest);
                t[c] = static_cast<std::uint8_t>(std::clamp(mixed, 0.0, 255.0));
            }
        }
    }
    return true;
}

}  // namespace velk
