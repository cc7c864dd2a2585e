// The fields of an object record and of its font, in the order a file stores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/field_list.h"
#include "document/load_context.h"
#include "document/object.h"

namespace velk {

// A LOGFONT holds at most 31 characters of face name and its terminator.
inline constexpr std::size_t kMaxFaceName = 31;

// The first three action lists are stored behind a negative kind word, which a negative kind
// also needs.
inline bool StoresFirstActions(const Object& object) {
    return object.has_first_actions || object.kind < 0;
}

// The kind word, and the kind itself behind a negative one; it sets has_first_actions.
struct KindWordCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::int32_t& kind, Object& object);
    static void Write(ByteWriter& out, std::int32_t kind, const Object& object);
};

// Images 1 to 3: a present flag, then the plain or coded form.
struct ObjectPictureCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& picture);
    static void Write(ByteWriter& out, const std::optional<Picture>& picture);
};

// Image 4: a present flag, then the coded form.
struct CodedPictureCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& picture);
    static void Write(ByteWriter& out, const std::optional<Picture>& picture);
};

// A present flag, the 24-byte header, the length and the metafile bytes.
struct MetafileCodec {
    static void Read(ByteReader& in, std::optional<StoredMetafile>& metafile);
    static void Write(ByteWriter& out, const std::optional<StoredMetafile>& metafile);
};

// A name that does not fit the font record leaves the default face.
struct FaceNameCodec {
    static void Read(ByteReader& in, std::string& face_name);
    static void Write(ByteWriter& out, const std::string& face_name);
};

// Files before version 23 stored a video's image 3 as a mask; it becomes a picture as soon as
// it is read.
void ExpandOlderVideoMask(Object& object, LoadContext& ctx);

template <class V>
void VisitFields(RecordTag<LogFont>, V&& v) {
    using F = LogFont;
    v("height", &F::height);
    v("width", &F::width);
    v("escapement", &F::escapement);
    v("orientation", &F::orientation);
    v("weight", &F::weight);
    v("italic", &F::italic);
    v("underline", &F::underline);
    v("strike_out", &F::strike_out);
    v("char_set", &F::char_set);
    v("out_precision", &F::out_precision);
    v("clip_precision", &F::clip_precision);
    v("quality", &F::quality);
    v("pitch_and_family", &F::pitch_and_family);
    v("face_name", &F::face_name, FaceNameCodec{});
}

template <class V>
void VisitFields(RecordTag<Object>, V&& v) {
    using O = Object;
    v("text_variable", &O::text_variable);
    v("number_variable", &O::number_variable);
    v("extra_text1", &O::extra_text1);
    v("extra_text2", &O::extra_text2);
    v("extra_text3", &O::extra_text3);
    v("extra_value", &O::extra_value);
    v("kind", &O::kind, KindWordCodec{}, Emit::kAlways);
    v.InJson("has_first_actions", &O::has_first_actions);
    v("rect", &O::rect, Emit::kAlways);
    v("name", &O::name, Emit::kAlways);
    v("param1", &O::param1);
    v("param2", &O::param2);
    v("param3", &O::param3);
    v("param4", &O::param4);
    v("param5", &O::param5);
    v("hover_object", &O::hover_object);
    v("press_object", &O::press_object);
    v("hover_mode", &O::hover_mode);
    v("option0", &O::option0);
    if (v.VersionAbove(1)) {
        v("hint_text", &O::hint_text);
        v("hint_value", &O::hint_value);
    }
    v("extra_value2", &O::extra_value2);
    v("is_alias", &O::is_alias);
    // An alias shows the pictures of the object it stands for and stores none.
    if (v.When([](const O& o) { return o.is_alias == 0; })) {
        v("transparent1", &O::transparent1);
        v("transparent2", &O::transparent2);
        v("transparent3", &O::transparent3);
        v("colour1", &O::colour1);
        v("colour2", &O::colour2);
        v("colour3", &O::colour3);
        v("image1", &O::image1, ObjectPictureCodec{});
        v("image2", &O::image2, ObjectPictureCodec{});
        v("image3", &O::image3, ObjectPictureCodec{});
        v.OnRead(ExpandOlderVideoMask);
        v("image2_offset", &O::image2_offset);
        v("image3_offset", &O::image3_offset);
        v.Unused(UnusedStrings{3});
        v.Unused(UnusedNumbers{6});
        if (v.VersionAbove(20)) v("image4", &O::image4, CodedPictureCodec{});
    }
    v("points_a", &O::points_a);
    if (v.VersionAbove(21)) {
        v("points_b", &O::points_b);
        v("points_value1", &O::points_value1);
        v("points_value2", &O::points_value2);
    }
    v("hidden", &O::hidden);
    v("initially_hidden", &O::initially_hidden);
    v("visible", &O::visible);
    v("option1", &O::option1);
    v("option2", &O::option2);
    v("option3", &O::option3);
    v("option4", &O::option4);
    v("option5", &O::option5);
    v("option6", &O::option6);
    v("scale", &O::scale);
    v("transform", &O::transform);
    v("colour4", &O::colour4);
    v("text", &O::text);
    v("lines", &O::lines);
    v("font", &O::font);
    v("metafile", &O::metafile, MetafileCodec{});
    if (v.VersionAbove(3) && v.When(StoresFirstActions)) {
        v("actions_down", &O::actions_down);
        v("actions_click", &O::actions_click);
        v("actions_3", &O::actions_3);
    }
    if (v.VersionAbove(6) && v.When([](const O& o) { return o.kind == kKindAnimatedGif; })) {
        v("gif_timer_id", &O::gif_timer_id);
        v("gif_data", &O::gif_data);
    }
    if (v.VersionAbove(11)) {
        v("link_flag", &O::link_flag);
        if (v.When([](const O& o) { return o.link_flag != 0; })) v("link", &O::link);
    }
    if (v.VersionAbove(14)) {
        v("actions_4", &O::actions_4);
        v("actions_5", &O::actions_5);
    }
    if (v.VersionAbove(15)) v("actions_6", &O::actions_6);
    if (v.VersionAbove(22)) {
        v("flag_a", &O::flag_a);
        v("image_origin", &O::image_origin);
        v("flag_b", &O::flag_b);
        v("flag_c", &O::flag_c);
        v("flag_d", &O::flag_d);
        v("value_a", &O::value_a);
        v("flag_e", &O::flag_e);
        v("flag_f", &O::flag_f);
        v("value_b", &O::value_b);
    }
    if (v.VersionAbove(23)) v("flag_g", &O::flag_g);
    v.InJson("state", &O::state, Emit::kSparse);
}

}  // namespace velk
