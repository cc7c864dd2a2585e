// RunVKD: another project, in this window or in a new player.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "document/command_vocabulary.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

constexpr std::string_view kNewWindow = "NEW_WINDOW";

// "NEW_WINDOW" exactly as written, alone or followed by "," and a start page.
bool AsksForNewWindow(std::string_view parameter) {
    return parameter.starts_with(kNewWindow) &&
           (parameter.size() == kNewWindow.size() || parameter[kNewWindow.size()] == ',');
}

CommandResult PerformRunVkd(CommandContext& ctx) {
    if (ctx.target.empty()) return CommandResult::kGoOn;
    const std::string path = ctx.owner.ExpandPath(ctx.target);
    const std::string parameter = ctx.Argument();
    if (AsksForNewWindow(parameter)) {
        // TODO(launcher): start a new player process on `path` through Run with mode 5 and
        // report its result through "ZIZ_ReturnVal".
        return CommandResult::kGoOn;
    }
    if (Page* page = ctx.owner.CurrentPage()) ctx.owner.PageSide().RunExitActions(*page);
    ctx.dispatcher.StopAll();
    ctx.owner.RequestProjectSwitch(path, parameter);
    // The switch waits for the dispatcher to be idle; this list is over, so it need not wait.
    ctx.dispatcher.ClearExecuting();
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdRunVkd, &PerformRunVkd},
};

}  // namespace

std::span<const CommandRow> ProjectCommands() {
    return kRows;
}

}  // namespace velk
