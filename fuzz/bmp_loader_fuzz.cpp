// Feeds arbitrary bytes to the BMP loader, as a file and as a packed bitmap: every outcome must
// be a picture or a failure, never a crash, a hang or an oversized allocation. Decoded pictures
// are drawn and resized too, so their sizes are checked against what the drawers assume.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/image_library.h"
#include "hosts/headless/memory_file_system.h"

namespace {

void Use(const velk::RgbImage& picture) {
    velk::Surface surface(16, 16);
    const velk::Rect clip{0, 0, 16, 16};
    velk::DrawRGB(surface, clip, picture, -1, -1);
    velk::DrawRGB(surface, clip, picture, 2, 3, 7, 5);
    velk::DrawRGBKeyed(surface, clip, picture, 1, 1, 0);
    (void)velk::ResizeRGB(picture, 3, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    velk::headless::MemoryFileSystem files;
    files.AddFile("Z:\\fuzz.bmp", {bytes.begin(), bytes.end()});
    if (auto picture = velk::LoadBMPFile(files, "Z:\\fuzz.bmp")) Use(*picture);
    if (size >= 14) {
        if (auto picture = velk::DIBToRGB(bytes.subspan(14))) Use(*picture);
    }
    return 0;
}
