// Animated GIF files as an Animated GIF object carries them: every frame decoded to 8-bit
// colour indices with its own colour table, its place on the logical screen and its control
// (delay, disposal, transparent index). The file comes from the project and is untrusted: every
// read is bounds-checked and nothing is allocated beyond a frame's own size.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velk {

inline constexpr std::uint16_t kGifNoTransparency = 0xFFFF;

struct GifFrame {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    // The last graphic control read before the frame (packed flags, delay in hundredths of a
    // second, transparent index), all 0 when there was none.
    std::uint8_t control_flags = 0;
    std::uint16_t delay = 0;
    std::uint8_t transparent_index = 0;
    // Colour table as COLORREFs (0x00BBGGRR), the local one when the frame has one, else the global
    // one.
    std::vector<std::uint32_t> palette;
    // Colour indices, rows top-down in natural order (interlaced frames already reordered).
    std::vector<std::uint8_t> pixels;

    bool HasTransparency() const { return (control_flags & 1) != 0; }
    // The transparent index, or kGifNoTransparency.
    std::uint16_t TransparentIndex() const {
        return HasTransparency() ? transparent_index : kGifNoTransparency;
    }
    // Disposal bits as the drawing keeps them: 0, 4, 8 (restore to background) or 12 (restore
    // to previous); other values as they stand.
    std::uint8_t Disposal() const { return control_flags & 0x1C; }
    bool operator==(const GifFrame&) const = default;
};

struct GifFile {
    std::uint16_t width = 0, height = 0;
    std::uint8_t background_index = 0;
    std::vector<std::uint32_t> global_palette;
    std::vector<GifFrame> frames;
    bool operator==(const GifFile&) const = default;
};

// Decodes a GIF file (its signature first). Nothing comes back when any part is damaged: a
// file is shown whole or not at all.
std::optional<GifFile> DecodeGif(std::span<const std::uint8_t> file);

// Frame delay in hundredths of a second as played: a delay of 0 counts as 10 when the file
// has several frames; 1 when still 0; 0 for a frame that does not exist.
std::uint32_t GifFrameDelay(const GifFile& gif, std::int64_t frame);

}  // namespace velk
