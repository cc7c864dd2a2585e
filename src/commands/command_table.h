// The vocabulary of commands: every name a script may use, the action code stored for it and
// how many quoted arguments it takes in script form. The script compiler reads it; the
// dispatcher performs the codes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velk {

struct CommandEntry {
    std::string_view name;
    std::int32_t code;
    std::int32_t argument_count;  // 0, 1 or 2
};

// The 140 entries in table order.
std::span<const CommandEntry> CommandTable();

// The first entry whose name equals `word` without regard to case.
std::optional<CommandEntry> FindCommand(std::string_view word);
// The name of the first entry with `code`, for decompiled output.
std::optional<std::string_view> CommandName(std::int32_t code);

}  // namespace velk
