// PageTimer and ExitTimer: the one page timer (window timer 0).
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"

namespace velk {

void PerformPageTimer(CommandContext& ctx) {
    if (ctx.target.empty()) return;
    std::int32_t interval = LeadingInteger(ctx.target);
    if (interval <= 0) {
        // Not a plain number: an expression such as "delay*1000". Whatever it gives, the
        // running page timer ends here.
        interval = EvaluateInt(ctx.owner, ctx.target);
        ctx.owner.StopPageTimer();
        if (interval <= 0) return;
    }
    const std::uint32_t ms = static_cast<std::uint32_t>(interval);
    if (ctx.record.code == kCmdPageTimer) {
        ctx.owner.ArmPageTimer(PageTimerAction::kGoToPage, ctx.Argument(), ms);
    } else {
        // An exit timer has no target; clearing it keeps an earlier "IF_IDLE" from letting a
        // click cancel the exit.
        ctx.owner.ArmPageTimer(PageTimerAction::kExit, {}, ms);
    }
}

}  // namespace velk
