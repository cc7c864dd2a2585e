// Feeds arbitrary bytes to the stored form of the off-screen pixel store: every outcome must be
// a picture, one of the format's messages or ArchiveError, never a crash, a hang or an
// oversized allocation. A store that reads is drawn and written back.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "gfx/dib_section.h"
#include "hosts/headless/recording_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velk::headless::RecordingUi ui;
    velk::DibSection store;
    velk::ByteReader in(std::span<const std::uint8_t>(data, size));
    try {
        store.Serialize(in, ui);
    } catch (const velk::ArchiveError&) {
        return 0;
    }
    velk::Surface target(16, 16);
    velk::dib::PixelTarget pixels(target);
    store.Draw(pixels, -3, 2);
    store.StretchDraw(pixels, 1, 1, 9, -7);
    velk::ByteWriter out;
    store.Serialize(out, ui);
    return 0;
}
