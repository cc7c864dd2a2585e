// FirstPage, LastPage, NextPage, PrevPage and Page.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "document/command_vocabulary.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

constexpr Point kNoPointer{-1, -1};

CommandResult GoInDirection(CommandContext& ctx, PageDirection direction) {
    ctx.owner.GoToPage(static_cast<std::int32_t>(direction), {}, kNoPointer);
    return CommandResult::kGoOn;
}

CommandResult PerformFirstPage(CommandContext& ctx) {
    return GoInDirection(ctx, PageDirection::kFirst);
}

CommandResult PerformLastPage(CommandContext& ctx) {
    return GoInDirection(ctx, PageDirection::kLast);
}

CommandResult PerformNextPage(CommandContext& ctx) {
    return GoInDirection(ctx, PageDirection::kNext);
}

CommandResult PerformPrevPage(CommandContext& ctx) {
    return GoInDirection(ctx, PageDirection::kPrevious);
}

CommandResult PerformPage(CommandContext& ctx) {
    if (ctx.target.empty()) return CommandResult::kGoOn;
    // Waiting commands of other runs give up once the page changes.
    ctx.dispatcher.SetPendingStop(true);
    ctx.owner.GoToPageCommand(ctx.target);
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdFirstPage, &PerformFirstPage}, {kCmdLastPage, &PerformLastPage},
    {kCmdNextPage, &PerformNextPage},   {kCmdPrevPage, &PerformPrevPage},
    {kCmdPage, &PerformPage},
};

}  // namespace

std::span<const CommandRow> NavigationCommands() {
    return kRows;
}

}  // namespace velk
