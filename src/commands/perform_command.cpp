#include "commands/commands.h"
#include "document/command_vocabulary.h"

namespace velk {

CommandResult PerformCommand(CommandContext& ctx) {
    switch (ctx.record.code) {
        case kCmdHide:
        case kCmdShow:
        case kCmdInvert:
            PerformVisibility(ctx);
            break;
        case kCmdMoveObject:
            PerformMoveObject(ctx);
            break;
        case kCmdMoveTo:
            return PerformMoveTo(ctx);
        case kCmdFirstPage:
        case kCmdLastPage:
        case kCmdNextPage:
        case kCmdPrevPage:
        case kCmdPage:
            PerformNavigation(ctx);
            break;
        case kCmdPageTimer:
        case kCmdExitTimer:
            PerformPageTimer(ctx);
            break;
        case kCmdExit:
        case kCmdMinimize:
        case kCmdRestore:
        case kCmdRefresh:
            return PerformWindowCommand(ctx);
        case kCmdRunVkd:
            PerformRunProject(ctx);
            break;
        case kCmdReturn:
        case kCmdBreak:
        case kCmdRunScript:
        case kCmdScriptTimer:
        case kCmdPause:
        case kCmdMessage:
        case kCmdDisplayValue:
            return PerformScriptCommand(ctx);
        default:
            // Sound, music and CD commands, comments, unknown codes and commands whose kinds
            // are not played yet: accepted and passed over without a word.
            break;
    }
    return CommandResult::kGoOn;
}

}  // namespace velk
