// The variable-length-code LZW of GIF image data, and the row order of interlaced frames.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velk {

// Decodes `data` (the image's sub-blocks already joined) into exactly `pixel_count` indices:
// decoding ends at the end code or when the data runs out, output beyond `pixel_count` is
// dropped and pixels never reached stay 0. A code that names no entry yet, or a minimum code
// size above 8, cannot be decoded: nothing comes back.
std::optional<std::vector<std::uint8_t>> DecodeGifLzw(std::span<const std::uint8_t> data,
                                                      std::uint8_t min_code_size,
                                                      std::size_t pixel_count);

// Rows decoded in the four interlace passes (every 8th from 0, every 8th from 4, every 4th
// from 2, every 2nd from 1) put back in natural order.
std::vector<std::uint8_t> DeinterlaceGifRows(std::span<const std::uint8_t> pixels,
                                             std::size_t width, std::size_t height);

}  // namespace velk
