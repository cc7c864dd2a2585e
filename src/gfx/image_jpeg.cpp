// JPEG pictures through the codec, with the size refused before libjpeg allocates anything for
// it: a progressive stream keeps whole-picture coefficient buffers, sized by the header alone.
#include <new>

#include "codec/jpeg_codec.h"
#include "codec/limits.h"
#include "gfx/image_library.h"

namespace velk {

std::optional<RgbImage> LoadJPEGMemory(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return std::nullopt;
    std::optional<JpegSize> size = ReadJpegSize(bytes);
    if (!size || size->width <= 0 || size->height <= 0) return std::nullopt;
    std::uint64_t rgb_bytes = std::uint64_t(size->width) * std::uint64_t(size->height) * 3;
    if (rgb_bytes > kMaxPictureBytes) return std::nullopt;
    try {
        return DecodeJpeg(bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<RgbImage> LoadJPEGFile(const host::FileSystem& files, std::string_view path) {
    if (path.empty()) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = files.ReadFile(path);
    if (!bytes) return std::nullopt;
    return LoadJPEGMemory(*bytes);
}

}  // namespace velk
