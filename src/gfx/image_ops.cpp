// Pixel operations on RGB images: bilinear resize, crop and overlay with opacity.
#include <algorithm>
#include <cmath>
#include <new>

#include "codec/limits.h"
#include "gfx/image_library.h"

namespace velk {
namespace {

// One axis of the bilinear walk: target index t of `target` maps to the source position
// t * source / target, split into the pixel before it, the pixel after it (the last pixel again
// past the end) and the distance from the first in 1/target units.
struct Sample {
    std::int64_t before, after, weight;
};

Sample SampleAt(std::int64_t t, std::int64_t source, std::int64_t target) {
    std::int64_t position = t * source;
    std::int64_t before = position / target;
    return {before, std::min(before + 1, source - 1), position % target};
}

std::int64_t Mix(std::int64_t a, std::int64_t b, std::int64_t weight, std::int64_t scale) {
    return (a * (scale - weight) + b * weight) / scale;
}

}  // namespace

bool IsValidRgb(const RgbImage& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() ==
               std::uint64_t(picture.width) * std::uint64_t(picture.height) * 3;
}

std::optional<RgbImage> ResizeRGB(const RgbImage& source, std::int32_t width, std::int32_t height) {
    if (!IsValidRgb(source) || width <= 0 || height <= 0) return std::nullopt;
    std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * 3;
    if (bytes > kMaxPictureBytes) return std::nullopt;
    RgbImage out;
    try {
        out.pixels.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    out.width = width;
    out.height = height;
    const std::int64_t sw = source.width, sh = source.height;
    const std::uint8_t* in = source.pixels.data();
    std::uint8_t* target = out.pixels.data();
    for (std::int64_t ty = 0; ty < height; ++ty) {
        Sample row = SampleAt(ty, sh, height);
        const std::uint8_t* upper = in + row.before * sw * 3;
        const std::uint8_t* lower = in + row.after * sw * 3;
        for (std::int64_t tx = 0; tx < width; ++tx) {
            Sample column = SampleAt(tx, sw, width);
            for (int c = 0; c < 3; ++c) {
                // Each of the two rows is resampled across first, then the two are mixed.
                std::int64_t top = Mix(upper[column.before * 3 + c], upper[column.after * 3 + c],
                                       column.weight, width);
                std::int64_t bottom = Mix(lower[column.before * 3 + c], lower[column.after * 3 + c],
                                          column.weight, width);
                *target++ = static_cast<std::uint8_t>(Mix(top, bottom, row.weight, height));
            }
        }
    }
    return out;
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
