// Hide, Show and Invert.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"
#include "objects/kinds.h"
#include "pages/object_visibility.h"

namespace velk {
namespace {

enum class Change { kHide, kShow, kInvert };

CommandResult ChangeVisibility(CommandContext& ctx, Change change) {
    Object* object = ctx.object;
    Page* page = ctx.PageForTarget();
    if (object == nullptr || page == nullptr) return CommandResult::kGoOn;

    const bool was_shown = object->hidden == 0;
    const bool hide = change == Change::kHide || (change == Change::kInvert && was_shown);
    SetObjectVisible(*page, *object, hide, /*save_state=*/false, &ctx.owner.PageSide());

    // A hidden object may have drawn a frame or a focus mark just outside its rectangle.
    ctx.frame.Repaint(change == Change::kShow ? object->rect : object->rect.Inflate(2));

    const bool on_current_page = ctx.target.find("::") == std::string::npos;
    if (change == Change::kShow && was_shown && on_current_page &&
        TraitsOf(object->kind).takes_focus) {
        ctx.owner.FocusInputText(*object);
    }
    return CommandResult::kGoOn;
}

CommandResult PerformHide(CommandContext& ctx) {
    return ChangeVisibility(ctx, Change::kHide);
}

CommandResult PerformShow(CommandContext& ctx) {
    return ChangeVisibility(ctx, Change::kShow);
}

CommandResult PerformInvert(CommandContext& ctx) {
    return ChangeVisibility(ctx, Change::kInvert);
}

constexpr CommandRow kRows[] = {
    {kCmdHide, &PerformHide},
    {kCmdShow, &PerformShow},
    {kCmdInvert, &PerformInvert},
};

}  // namespace

std::span<const CommandRow> VisibilityCommands() {
    return kRows;
}

}  // namespace velk
