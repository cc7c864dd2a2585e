// Feeds arbitrary text to the command-line parser and the launch prefix: every outcome must be
// an argument list, never a crash. Arguments the parser gives back must survive quoting:
// joined again, the line parses to the same arguments.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "player/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments = velk::ParseCommandLine(text);
    std::vector<std::string> kept;
    for (const std::string& argument : arguments) {
        if (!argument.empty()) kept.push_back(argument);
    }
    if (velk::ParseCommandLine(velk::JoinCommandLine(kept)) != kept) std::abort();
    (void)velk::ApplyLaunchPrefix(arguments);
    (void)velk::ScriptParameters(arguments);
    return 0;
}
