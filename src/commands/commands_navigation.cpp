// FirstPage, LastPage, NextPage, PrevPage and Page.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "document/command_vocabulary.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

constexpr Point kNoPointer{-1, -1};

void GoInDirection(CommandContext& ctx, PageDirection direction) {
    ctx.owner.GoToPage(static_cast<std::int32_t>(direction), {}, kNoPointer);
}

}  // namespace

void PerformNavigation(CommandContext& ctx) {
    switch (ctx.record.code) {
        case kCmdFirstPage:
            GoInDirection(ctx, PageDirection::kFirst);
            break;
        case kCmdLastPage:
            GoInDirection(ctx, PageDirection::kLast);
            break;
        case kCmdNextPage:
            GoInDirection(ctx, PageDirection::kNext);
            break;
        case kCmdPrevPage:
            GoInDirection(ctx, PageDirection::kPrevious);
            break;
        case kCmdPage:
            if (ctx.target.empty()) return;
            // Waiting commands of other runs give up once the page changes.
            ctx.dispatcher.SetPendingStop(true);
            ctx.owner.GoToPageCommand(ctx.target);
            break;
        default:
            break;
    }
}

}  // namespace velk
