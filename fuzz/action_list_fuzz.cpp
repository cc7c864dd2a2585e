// Feeds arbitrary bytes to the reader of an action list: every outcome must be a list or
// ArchiveError, never a crash, a hang or an oversized allocation. A list that reads must be
// written back to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/action_list_io.h"
#include "script/compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velk::ByteReader in(std::span<const std::uint8_t>(data, size));
    try {
        const velk::ActionList list = velk::ReadActionList(in);
        velk::ByteWriter out;
        velk::WriteActionList(out, list);
        velk::ByteReader again(out.Data());
        if (velk::ReadActionList(again) != list) std::abort();
        // What a dump does with a stored list.
        (void)velk::DecompileScript(list);
    } catch (const velk::ArchiveError&) {
    }
    return 0;
}
