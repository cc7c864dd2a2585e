// Exit, Minimize, Restore and Refresh.
#include "commands/command_host.h"
#include "commands/command_table.h"
#include "commands/commands.h"

namespace velk {

CommandResult PerformWindowCommand(CommandContext& ctx) {
    switch (ctx.record.code) {
        case kCmdExit:
            ctx.host.Exit();
            // Nothing after Exit may run, whatever the end operations left behind.
            return CommandResult::kEndList;
        case kCmdMinimize:
            ctx.host.Minimize();
            break;
        case kCmdRestore:
            ctx.host.Restore();
            break;
        case kCmdRefresh:
            // Paint what the list changed so far now, not at its end.
            if (!ctx.frame.repaint.IsEmpty()) ctx.host.Invalidate(ctx.frame.repaint.Inflate(1));
            if (!ctx.host.PumpMessages()) return CommandResult::kEndList;
            break;
        default:
            break;
    }
    return CommandResult::kGoOn;
}

}  // namespace velk
