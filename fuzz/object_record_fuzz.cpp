// Feeds arbitrary bytes to the reader of one object record, in the file version that the first
// byte picks: every outcome must be an object or ArchiveError, never a crash, a hang or an
// oversized allocation. A record that reads is written back and read again, so the writer is
// checked against what the reader accepts.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/object_io.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // Versions 1 to 32: every layout the reader knows and a few it does not.
    const std::int32_t version = 1 + data[0] % 32;
    velk::headless::RecordingUi ui;
    velk::headless::MemoryProfileStore profile;
    velk::LoadContext ctx{ui, profile, version, "fuzz.vkd"};
    velk::ByteReader in(std::span<const std::uint8_t>(data + 1, size - 1));
    try {
        const velk::Object object = velk::ReadObject(in, ctx);
        velk::ByteWriter out;
        velk::WriteObject(out, object, version);
        velk::ByteReader again(out.Data());
        (void)velk::ReadObject(again, ctx);
    } catch (const velk::ArchiveError&) {
    }
    return 0;
}
