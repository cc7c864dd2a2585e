#include "document/object_io.h"

#include <algorithm>

#include "base/saturate.h"
#include "document/binary_fields.h"
#include "document/object_fields.h"

namespace velk {
namespace {

bool IsVideo(const Object& object) {
    return object.kind == kKindVideo;
}

std::int32_t ShiftCoordinate(std::int32_t value, std::int32_t delta) {
    return SaturateToInt32(std::int64_t{value} + delta);
}

void ConvertOlderVersion(Object& object, std::int32_t version) {
    if (version <= 20 && (object.kind == kKindImage || IsVideo(object)) && object.image3) {
        // Older files kept the image view's picture in image 3 only.
        object.image4 = object.image3;
    }
    if (version < 22 && IsVideo(object)) {
        object.option6 = object.param4;
        object.option5 = object.param2;
        object.option4 = object.param1;
        object.option2 = object.transform;
        object.transform = object.image3 ? 1 : 0;
        object.scale = 1.0;
        object.param1 = 0;
        // Older videos ran their click list when playback ended; that list is now actions_4.
        object.actions_4 = object.actions_click;
        object.actions_click = ActionList{};
    }
    if (version < 24 && object.kind == kKindTextButton) {
        object.colour3 = 0x800000;
        object.colour4 = 0xFFFFFF;
    }
    if (version < 25 && object.kind == kKindListBox) object.option6 = 1;
    if (object.kind == kKindLine) {
        Rect& rect = object.rect;
        if (version < 25) {
            rect.left = ShiftCoordinate(rect.left, 4);
            rect.top = ShiftCoordinate(rect.top, 4);
            rect.right = ShiftCoordinate(rect.right, -4);
            rect.bottom = ShiftCoordinate(rect.bottom, -4);
        }
        if (version < 26) {
            rect.right = ShiftCoordinate(rect.right, 1);
            rect.bottom = ShiftCoordinate(rect.bottom, 1);
        }
    }
    if (version < 27 && IsVideo(object) && object.image3) {
        // The picture is shown through the image view from now on: its source mask is the old
        // mask, and the player fits the picture to the object (the view lives above this
        // layer).
        object.image4 = object.image3;
        object.transform = 1;
        object.image_view.refit_pending = true;
    }
}

}  // namespace

Object MakeObject(const host::ProfileStore& profile) {
    constexpr std::string_view kSection = "Font";
    Object object;
    LogFont& font = object.font;
    font.height = profile.ReadInt(kSection, "Height", 20);
    font.width = profile.ReadInt(kSection, "Width", 0);
    font.escapement = profile.ReadInt(kSection, "Escape", 0);
    font.orientation = profile.ReadInt(kSection, "Orient", 0);
    font.weight = profile.ReadInt(kSection, "Weight", 400);
    font.italic = static_cast<std::uint8_t>(profile.ReadInt(kSection, "Italic", 0));
    font.face_name = profile.ReadString(kSection, "Name").value_or("Arial");
    if (font.face_name.size() > kMaxFaceName) font.face_name.resize(kMaxFaceName);
    return object;
}

Object ReadObject(ByteReader& in, LoadContext& ctx) {
    Object object = MakeObject(ctx.profile);
    FieldReader<Object> reader(in, ctx, object);
    VisitFields(RecordTag<Object>{}, reader);
    ConvertOlderVersion(object, ctx.version);
    return object;
}

void WriteObject(ByteWriter& out, const Object& object, std::int32_t version) {
    FieldWriter<Object> writer(out, object, version);
    VisitFields(RecordTag<Object>{}, writer);
}

}  // namespace velk
