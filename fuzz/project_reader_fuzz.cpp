// Feeds arbitrary bytes to the project reader: every outcome must be a message or a project,
// never a crash, a hang or an oversized allocation.
#include <cstddef>
#include <cstdint>
#include <span>

#include "document/container.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velk::headless::RecordingUi ui;
    velk::headless::MemoryProfileStore profile;
    velk::LoadContext ctx{ui, profile, velk::kCurrentProjectVersion, "fuzz.vkd"};
    (void)velk::ReadProjectArchive(std::span<const std::uint8_t>(data, size), ctx);
    return 0;
}
