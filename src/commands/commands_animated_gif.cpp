// AGifPlay, AGifStop and AGifReset: the frame timer of an Animated GIF object.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"
#include "objects/animated_gif/gif_kind.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

Object* TargetGif(CommandContext& ctx) {
    Object* object = ctx.object;
    return object != nullptr && object->kind == kKindAnimatedGif ? object : nullptr;
}

// Plays on from the current frame, when the object has that frame.
CommandResult PerformAGifPlay(CommandContext& ctx) {
    if (Object* gif = TargetGif(ctx)) {
        if (const auto timer = GifFrameTimer(*gif)) {
            ctx.owner.PageSide().SetTimer(timer->id, timer->interval_ms);
        }
    }
    return CommandResult::kGoOn;
}

CommandResult PerformAGifStop(CommandContext& ctx) {
    if (Object* gif = TargetGif(ctx)) ctx.owner.PageSide().KillTimer(GifTimer(*gif).id);
    return CommandResult::kGoOn;
}

// Back to the first frame; a playing animation keeps playing from there.
CommandResult PerformAGifReset(CommandContext& ctx) {
    if (Object* gif = TargetGif(ctx)) {
        gif->param2 = 0;
        ctx.frame.Repaint(gif->rect);
    }
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdAGifPlay, &PerformAGifPlay},
    {kCmdAGifStop, &PerformAGifStop},
    {kCmdAGifReset, &PerformAGifReset},
};

}  // namespace

std::span<const CommandRow> AnimatedGifCommands() {
    return kRows;
}

}  // namespace velk
