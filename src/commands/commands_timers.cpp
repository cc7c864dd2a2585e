// PageTimer and ExitTimer: the one page timer (window timer 0).
#include <optional>

#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"

namespace velk {
namespace {

// The interval the target gives, in milliseconds; none when the timer is not armed.
std::optional<std::uint32_t> Interval(CommandContext& ctx) {
    if (ctx.target.empty()) return std::nullopt;
    std::int32_t interval = LeadingInteger(ctx.target);
    if (interval <= 0) {
        // Not a plain number: an expression such as "delay*1000". Whatever it gives, the
        // running page timer ends here.
        interval = EvaluateInt(ctx.owner, ctx.target);
        ctx.owner.StopPageTimer();
        if (interval <= 0) return std::nullopt;
    }
    return static_cast<std::uint32_t>(interval);
}

CommandResult PerformPageTimer(CommandContext& ctx) {
    if (const auto ms = Interval(ctx)) {
        ctx.owner.ArmPageTimer(PageTimerAction::kGoToPage, ctx.Argument(), *ms);
    }
    return CommandResult::kGoOn;
}

CommandResult PerformExitTimer(CommandContext& ctx) {
    // An exit timer has no target; clearing it keeps an earlier "IF_IDLE" from letting a click
    // cancel the exit.
    if (const auto ms = Interval(ctx)) ctx.owner.ArmPageTimer(PageTimerAction::kExit, {}, *ms);
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdPageTimer, &PerformPageTimer},
    {kCmdExitTimer, &PerformExitTimer},
};

}  // namespace

std::span<const CommandRow> TimerCommands() {
    return kRows;
}

}  // namespace velk
