// Built-ins that read an object by name: isvisible, objectx/y, objectwidth/height, the image
// view's pan offset, picture size and scroll bar, and the video settings.
#include <algorithm>

#include "base/codepage.h"
#include "base/saturate.h"
#include "script/builtin_support.h"
#include "script/number_text.h"

namespace velk {
namespace {

// The object named by the single argument; null without a window or such an object.
Object* ObjectArgument(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return nullptr;
    return ReadObject(parser, args[0]);
}

double IsVisible(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return 0.0;
    const Object* object = ReadObject(parser, args[0]);
    if (object == nullptr) return -1.0;
    return object->hidden == 0 ? 1.0 : 0.0;
}

// A Text object's text as drawn: lines cut at "\n" with the character before each "\n" (the
// CR) dropped too; the widest line and the sum of the line heights. A line end at the very
// end adds no empty line.
Size TextExtent(ScriptOwner& owner, const Object& object) {
    const std::string_view text = object.text;
    Size extent;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = text.size();
        std::size_t line_end = end;
        if (!last && line_end > start) --line_end;
        const Size line = owner.TextLineExtent(object.font, text.substr(start, line_end - start));
        extent.width = std::max(extent.width, line.width);
        extent.height = SaturateToInt32(std::int64_t{extent.height} + line.height);
        start = end + 1;
    }
    return extent;
}

Size ObjectSize(ScriptOwner& owner, const Object& object) {
    if (object.kind == kKindText) return TextExtent(owner, object);
    if (object.kind == kKindVideo) {
        if (auto size = owner.VideoPictureSize(object)) return *size;
    }
    return {object.rect.Width(), object.rect.Height()};
}

template <std::int32_t (*Read)(ScriptOwner&, const Object&)>
double OfObject(ExpressionParser& parser) {
    const Object* object = ObjectArgument(parser);
    return object != nullptr ? Read(*parser.Owner(), *object) : 0.0;
}

// The picture built-ins give 0 for an object without a picture of some size.
bool HasPicture(ScriptOwner& owner, const Object& object) {
    if (!object.image1) return false;
    const Size size = owner.PictureSize(*object.image1);
    return size.width != 0 && size.height != 0;
}

// The picture the image view shows: the second one when asked for (param1 is 1) and present.
Size DisplayedPictureSize(ScriptOwner& owner, const Object& object) {
    if (object.param1 == 1 && object.image2) {
        const Size second = owner.PictureSize(*object.image2);
        if (second.width != 0 && second.height != 0) return second;
    }
    return owner.PictureSize(*object.image1);
}

template <std::int32_t (*Read)(ScriptOwner&, const Object&)>
double OfPicture(ExpressionParser& parser) {
    const Object* object = ObjectArgument(parser);
    if (object == nullptr || !HasPicture(*parser.Owner(), *object)) return 0.0;
    return Read(*parser.Owner(), *object);
}

double GetVideoParam(ExpressionParser& parser) {
    std::array<std::string_view, 2> args;
    if (!WindowCall(parser, args)) return 0.0;
    const Object* object = ReadObject(parser, args[0]);
    if (object == nullptr) return 0.0;
    const std::string name = Cp1252LowerString(TrimWhiteSpace(ReadText(parser, args[1])));
    VideoSetting setting;
    if (name == "fullscreen") {
        setting = VideoSetting::kFullScreen;
    } else if (name == "loop") {
        setting = VideoSetting::kLoop;
    } else if (name == "mute") {
        setting = VideoSetting::kMute;
    } else if (name == "time") {
        setting = VideoSetting::kTimeFormatMediaTime;
    } else if (name == "frame") {
        setting = VideoSetting::kTimeFormatFrame;
    } else {
        return 0.0;
    }
    return parser.Owner()->VideoSettingOn(*object, setting) ? 1.0 : 0.0;
}

constexpr NumericEntry kObjects[] = {
    {"isvisible", IsVisible},
    {"objectx", OfObject<[](ScriptOwner&, const Object& o) { return o.rect.left; }>},
    {"objecty", OfObject<[](ScriptOwner&, const Object& o) { return o.rect.top; }>},
    {"objectwidth",
     OfObject<[](ScriptOwner& w, const Object& o) { return ObjectSize(w, o).width; }>},
    {"objectheight",
     OfObject<[](ScriptOwner& w, const Object& o) { return ObjectSize(w, o).height; }>},
    {"imagescrollx", OfPicture<[](ScriptOwner&, const Object& o) { return o.image_origin.x; }>},
    {"imagescrolly", OfPicture<[](ScriptOwner&, const Object& o) { return o.image_origin.y; }>},
    {"imagewidth",
     OfPicture<[](ScriptOwner& w, const Object& o) { return DisplayedPictureSize(w, o).width; }>},
    {"imageheight",
     OfPicture<[](ScriptOwner& w, const Object& o) { return DisplayedPictureSize(w, o).height; }>},
    {"scrollbarsize",
     OfPicture<[](ScriptOwner& w, const Object& o) { return w.ScrollBarSize(o); }>},
    {"getvideoparam", GetVideoParam},
};

}  // namespace

std::span<const NumericEntry> ObjectBuiltins() {
    return kObjects;
}

}  // namespace velk
