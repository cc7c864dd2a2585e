// Feeds arbitrary bytes to the JPEG memory path: every outcome must be a picture or a failure,
// never a crash, a hang or an oversized allocation.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/image_library.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (auto picture = velk::LoadJPEGMemory(std::span<const std::uint8_t>(data, size))) {
        velk::Surface surface(8, 8);
        velk::DrawRGB(surface, velk::Rect{0, 0, 8, 8}, *picture, 0, 0);
    }
    return 0;
}
