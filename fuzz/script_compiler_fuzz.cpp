// Feeds arbitrary text to the script compiler: every outcome must be a list and its messages,
// never a crash, a hang or an oversized allocation. Decompiled text must compile back to the
// same records without a message, as `velk dump` and `velk build` rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "script/compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const velk::CompiledScript compiled = velk::CompileScript(text);
    if (auto decompiled = velk::DecompileScript(compiled.list)) {
        const velk::CompiledScript again = velk::CompileScript(*decompiled);
        if (!again.ok || !again.messages.empty() || again.list != compiled.list) std::abort();
    }
    return 0;
}
