// Exit, Minimize, Restore and Refresh.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"

namespace velk {

CommandResult PerformWindowCommand(CommandContext& ctx) {
    switch (ctx.record.code) {
        case kCmdExit:
            ctx.owner.Exit();
            // Nothing after Exit may run, whatever the end operations left behind.
            return CommandResult::kEndList;
        case kCmdMinimize:
            ctx.owner.Minimize();
            break;
        case kCmdRestore:
            ctx.owner.Restore();
            break;
        case kCmdRefresh:
            // Paint what the list changed so far now, not at its end.
            if (!ctx.frame.repaint.IsEmpty()) ctx.owner.Invalidate(ctx.frame.repaint.Inflate(1));
            if (!ctx.owner.PumpMessages()) return CommandResult::kEndList;
            break;
        default:
            break;
    }
    return CommandResult::kGoOn;
}

}  // namespace velk
