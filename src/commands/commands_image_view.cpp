// The image view commands (SetImageOrigin, ResizeImage, RotateImageRel, RotateImageTo,
// RestoreImage, ScrollImageView, ZoomImageView, UseImageBkgColor, SetImageBkgColor) and
// ReplaceImage: an Image's picture scaled, turned, panned, given a background and replaced.
#include <string>
#include <vector>

#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "document/command_vocabulary.h"
#include "gfx/image_library.h"
#include "objects/picture_cache.h"
#include "objects/pictures/image_pan.h"
#include "objects/pictures/image_scroll.h"
#include "objects/pictures/image_view.h"
#include "objects/pictures/picture_fields.h"
#include "pages/page_manager.h"
#include "script/variable_store.h"

namespace velk {
namespace {

// The colour dialog leaves its choice here as "red,green,blue"; the argument naming it stands
// for that text.
constexpr std::string_view kChosenColour = "ZIZ_SelColor";

// The argument's parts: cut at commas (a run of commas counts as one), at most three.
std::vector<std::string> Parts(CommandContext& ctx) {
    std::string argument = ctx.record.argument;
    if (argument == kChosenColour) argument = ctx.owner.Variables().GetString(kChosenColour);
    return SplitArgs(argument, 3, ctx.owner.Variables());
}

double Value(CommandContext& ctx, const std::string& part) {
    return ctx.owner.Evaluate(part);
}

// Runs `change` on the target object with the parts of the argument, when it has `count` of
// them (any number for a negative count). `repaint_before` adds the outer rectangle as it was.
template <typename Change>
CommandResult WithParts(CommandContext& ctx, int count, bool repaint_before, Change change) {
    Object* object = ctx.object;
    if (object == nullptr) return CommandResult::kGoOn;
    const std::vector<std::string> parts = Parts(ctx);
    if (count >= 0 && parts.size() != std::size_t(count)) return CommandResult::kGoOn;
    if (repaint_before) ctx.frame.Repaint(OuterRect(*object));
    change(*object, parts);
    ctx.frame.Repaint(OuterRect(*object));
    return CommandResult::kGoOn;
}

CommandResult PerformSetImageOrigin(CommandContext& ctx) {
    Object* object = ctx.object;
    if (object == nullptr) return CommandResult::kGoOn;
    const std::vector<std::string> parts = Parts(ctx);
    if (parts.size() != 2) return CommandResult::kGoOn;
    SetPivot(*object, ctx.owner.Pictures(),
             {EvaluateInt(ctx.owner, parts[0]), EvaluateInt(ctx.owner, parts[1])});
    return CommandResult::kGoOn;
}

CommandResult PerformResizeImage(CommandContext& ctx) {
    return WithParts(ctx, 2, true, [&](Object& object, const std::vector<std::string>& parts) {
        ResizeView(object, ctx.owner.Pictures(),
                   {EvaluateInt(ctx.owner, parts[0]), EvaluateInt(ctx.owner, parts[1])});
    });
}

CommandResult PerformRotateImageRel(CommandContext& ctx) {
    return WithParts(ctx, 1, true, [&](Object& object, const std::vector<std::string>& parts) {
        RotateView(object, ctx.owner.Pictures(), Value(ctx, parts[0]), true);
    });
}

CommandResult PerformRotateImageTo(CommandContext& ctx) {
    return WithParts(ctx, 1, true, [&](Object& object, const std::vector<std::string>& parts) {
        RotateView(object, ctx.owner.Pictures(), Value(ctx, parts[0]), false);
    });
}

CommandResult PerformRestoreImage(CommandContext& ctx) {
    return WithParts(ctx, -1, true, [&](Object& object, const std::vector<std::string>&) {
        RestoreView(object, ctx.owner.Pictures());
    });
}

CommandResult PerformScrollImageView(CommandContext& ctx) {
    return WithParts(ctx, 2, false, [&](Object& object, const std::vector<std::string>& parts) {
        if (ImageFields(object).Fitted()) return;
        SetPan(object, {EvaluateInt(ctx.owner, parts[0]), EvaluateInt(ctx.owner, parts[1])});
    });
}

CommandResult PerformZoomImageView(CommandContext& ctx) {
    return WithParts(ctx, 1, true, [&](Object& object, const std::vector<std::string>& parts) {
        ZoomView(object, ctx.owner.Pictures(), Value(ctx, parts[0]));
    });
}

CommandResult PerformUseImageBkgColor(CommandContext& ctx) {
    return WithParts(ctx, 1, false, [&](Object& object, const std::vector<std::string>& parts) {
        object.flag_f = Value(ctx, parts[0]) != 0.0;
    });
}

CommandResult PerformSetImageBkgColor(CommandContext& ctx) {
    return WithParts(ctx, 3, false, [&](Object& object, const std::vector<std::string>& parts) {
        std::uint32_t colour = 0;
        for (int i = 0; i < 3; ++i) {
            const auto byte = static_cast<std::uint32_t>(EvaluateInt(ctx.owner, parts[i])) & 0xFF;
            colour |= byte << (8 * i);
        }
        object.value_b = colour;
    });
}

bool ReplacesPicture(const Object& object) {
    return object.kind == kKindImage || object.kind == kKindImageWithoutPicture ||
           object.kind == kKindImageWithoutPictureOutlined;
}

// The picture is given up: the object stays as a picture-less Image (with its outline).
void RemovePictures(Object& object, PictureCache& pictures) {
    object.kind =
        object.points_b.empty() ? kKindImageWithoutPicture : kKindImageWithoutPictureOutlined;
    for (std::optional<Picture>* picture :
         {&object.image1, &object.image2, &object.image3, &object.image4}) {
        if (*picture) pictures.Drop(**picture);
        picture->reset();
    }
    // Nothing is left to pan.
    RemoveScrollBars(object);
}

CommandResult PerformReplaceImage(CommandContext& ctx) {
    Object* object = ctx.object;
    if (object == nullptr || !ReplacesPicture(*object)) return CommandResult::kGoOn;
    PictureCache& pictures = ctx.owner.Pictures();
    const std::string path = ctx.Argument();
    if (path.empty()) {
        RemovePictures(*object, pictures);
        ctx.frame.Repaint(object->rect);
        return CommandResult::kGoOn;
    }
    const host::FileSystem* files = ctx.owner.PageSide().Files();
    if (files == nullptr) return CommandResult::kGoOn;
    std::optional<RgbImage> loaded = LoadPictureFile(PictureFileCaller::kReplaceImage, *files,
                                                     ctx.owner.Ui(), ctx.owner.ExpandPath(path));
    if (!loaded) return CommandResult::kGoOn;
    ctx.frame.Repaint(OuterRect(*object));
    if (object->image1) pictures.Drop(*object->image1);
    Picture stored;
    stored.width = loaded->width;
    stored.height = loaded->height;
    stored.bytes = std::move(loaded->pixels);
    object->image1 = std::move(stored);
    pictures.Drop(*object->image1);
    object->kind = kKindImage;
    const ImageFields fields(*object);
    if (fields.Fitted()) {
        FitView(*object, pictures, object->rect);
    } else {
        ZoomView(*object, pictures, object->flag_d ? double(object->value_a) : 100.0);
    }
    ctx.frame.Repaint(OuterRect(*object));
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdSetImageOrigin, &PerformSetImageOrigin},
    {kCmdResizeImage, &PerformResizeImage},
    {kCmdRotateImageRel, &PerformRotateImageRel},
    {kCmdRotateImageTo, &PerformRotateImageTo},
    {kCmdRestoreImage, &PerformRestoreImage},
    {kCmdScrollImageView, &PerformScrollImageView},
    {kCmdZoomImageView, &PerformZoomImageView},
    {kCmdUseImageBkgColor, &PerformUseImageBkgColor},
    {kCmdSetImageBkgColor, &PerformSetImageBkgColor},
    {kCmdReplaceImage, &PerformReplaceImage},
};

}  // namespace

std::span<const CommandRow> ImageViewCommands() {
    return kRows;
}

}  // namespace velk
