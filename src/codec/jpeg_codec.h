// JPEG streams through libjpeg's classic (6b) interface.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/rgb_image.h"

namespace velk {

struct JpegSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Reads only the stream's header.
std::optional<JpegSize> ReadJpegSize(std::span<const std::uint8_t> stream);

// Decodes to RGB. Greyscale is expanded; CMYK and YCCK are converted to RGB. Fails (with the
// decoder's message in `error` when given) for a broken stream or a picture above the size cap.
std::optional<RgbImage> DecodeJpeg(std::span<const std::uint8_t> stream,
                                   std::string* error = nullptr);

std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality = 90);

}  // namespace velk
