#include "codec/png_codec.h"

#include <png.h>

#include "codec/limits.h"

namespace velk {

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr)) {
        return {};
    }
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, image.pixels.data(), 0, nullptr)) {
        return {};
    }
    out.resize(size);
    return out;
}

std::optional<RgbImage> DecodePng(std::span<const std::uint8_t> file) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) return std::nullopt;
    png.format = PNG_FORMAT_RGB;
    std::uint64_t bytes = std::uint64_t{png.width} * png.height * 3;
    if (bytes > kMaxPictureBytes) {
        png_image_free(&png);
        return std::nullopt;
    }
    RgbImage image;
    image.width = static_cast<std::int32_t>(png.width);
    image.height = static_cast<std::int32_t>(png.height);
    image.pixels.resize(bytes);
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&png, &black, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}

}  // namespace velk
