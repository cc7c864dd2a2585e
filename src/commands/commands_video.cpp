// VideoLoad, VideoPlay, VideoPause, VideoStop, VideoRewind, VideoClose, VideoSpeed, VideoScale
// and VideoParam: the operations of a Video object (objects/video/video_control.h) on the
// target, which must be a Video object.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"
#include "objects/video/video_control.h"

namespace velk {
namespace {

template <void (*Operation)(Object&, VideoOwner&)>
CommandResult PerformOnVideo(CommandContext& ctx) {
    VideoOwner* videos = ctx.owner.Videos();
    if (ctx.object != nullptr && ctx.object->kind == kKindVideo && videos != nullptr) {
        Operation(*ctx.object, *videos);
    }
    return CommandResult::kGoOn;
}

template <void (*Operation)(Object&, std::string_view, VideoOwner&)>
CommandResult PerformWithArgument(CommandContext& ctx) {
    VideoOwner* videos = ctx.owner.Videos();
    if (ctx.object != nullptr && ctx.object->kind == kKindVideo && videos != nullptr) {
        Operation(*ctx.object, ctx.Argument(), *videos);
    }
    return CommandResult::kGoOn;
}

// A load that fails leaves the object as it was; the list goes on.
void Load(Object& video, std::string_view file, VideoOwner& owner) {
    LoadVideo(video, file, owner);
}

constexpr CommandRow kRows[] = {
    {kCmdVideoLoad, &PerformWithArgument<&Load>},
    {kCmdVideoPlay, &PerformOnVideo<&PlayVideo>},
    {kCmdVideoPause, &PerformOnVideo<&PauseVideo>},
    {kCmdVideoStop, &PerformOnVideo<&StopVideo>},
    {kCmdVideoClose, &PerformOnVideo<&CloseVideo>},
    {kCmdVideoRewind, &PerformWithArgument<&RewindVideo>},
    {kCmdVideoSpeed, &PerformWithArgument<&SetVideoSpeed>},
    {kCmdVideoScale, &PerformWithArgument<&ScaleVideo>},
    {kCmdVideoParam, &PerformWithArgument<&SetVideoParam>},
};

}  // namespace

std::span<const CommandRow> VideoCommands() {
    return kRows;
}

}  // namespace velk
