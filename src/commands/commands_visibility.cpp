// Hide, Show and Invert.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"
#include "objects/kinds.h"
#include "pages/object_visibility.h"

namespace velk {

void PerformVisibility(CommandContext& ctx) {
    Object* object = ctx.object;
    Page* page = ctx.PageForTarget();
    if (object == nullptr || page == nullptr) return;

    const std::int32_t code = ctx.record.code;
    const bool was_shown = object->hidden == 0;
    const bool hide = code == kCmdHide || (code == kCmdInvert && was_shown);
    SetObjectVisible(*page, *object, hide, /*save_state=*/false, &ctx.owner.PageSide());

    // A hidden object may have drawn a frame or a focus mark just outside its rectangle.
    ctx.frame.Repaint(code == kCmdShow ? object->rect : object->rect.Inflate(2));

    const bool on_current_page = ctx.target.find("::") == std::string::npos;
    if (code == kCmdShow && was_shown && on_current_page && TraitsOf(object->kind).takes_focus) {
        ctx.owner.FocusInputText(*object);
    }
}

}  // namespace velk
