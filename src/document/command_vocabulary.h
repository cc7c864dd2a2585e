// The vocabulary of commands, as the stored format fixes it: every name a script may use, the
// action code stored for it and how many quoted arguments it takes in script form. The script
// compiler reads it; the dispatcher performs the codes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velk {

// Action codes the player's own code refers to (the table below has them all).
enum CommandCode : std::int32_t {
    kCmdHide = 0,
    kCmdShow = 1,
    kCmdInvert = 2,
    kCmdRunVkd = 5,
    kCmdFirstPage = 7,
    kCmdLastPage = 8,
    kCmdNextPage = 9,
    kCmdPrevPage = 10,
    kCmdPage = 11,
    kCmdExit = 12,
    kCmdMinimize = 19,
    kCmdExitTimer = 27,
    kCmdPageTimer = 28,
    kCmdDisplayValue = 29,
    kCmdMessage = 30,
    kCmdReturn = 31,
    kCmdRunScript = 35,
    kCmdScriptTimer = 36,
    kCmdMatrixSet = 74,
    kCmdMatrixGet = 75,
    kCmdMoveObject = 84,
    kCmdMoveTo = 85,
    kCmdPause = 86,
    kCmdRefresh = 87,
    kCmdBreak = 239,
    kCmdRestore = 241,
};

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
