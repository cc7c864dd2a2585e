// Exit, Minimize, Restore and Refresh.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"

namespace velk {
namespace {

CommandResult PerformExit(CommandContext& ctx) {
    ctx.owner.Exit();
    // Nothing after Exit may run, whatever the end operations left behind.
    return CommandResult::kEndList;
}

CommandResult PerformMinimize(CommandContext& ctx) {
    ctx.owner.Minimize();
    return CommandResult::kGoOn;
}

CommandResult PerformRestore(CommandContext& ctx) {
    ctx.owner.Restore();
    return CommandResult::kGoOn;
}

CommandResult PerformRefresh(CommandContext& ctx) {
    // Paint what the list changed so far now, not at its end.
    if (!ctx.frame.repaint.IsEmpty()) ctx.owner.Invalidate(ctx.frame.repaint.Inflate(1));
    return ctx.owner.PumpMessages() ? CommandResult::kGoOn : CommandResult::kEndList;
}

constexpr CommandRow kRows[] = {
    {kCmdExit, &PerformExit},
    {kCmdMinimize, &PerformMinimize},
    {kCmdRestore, &PerformRestore},
    {kCmdRefresh, &PerformRefresh},
};

}  // namespace

std::span<const CommandRow> WindowCommands() {
    return kRows;
}

}  // namespace velk
