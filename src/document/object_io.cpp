#include "document/object_io.h"

#include <algorithm>
#include <limits>

#include "document/action_list_io.h"
#include "document/picture_io.h"

namespace velk {
namespace {

// A LOGFONT holds at most 31 characters of face name and its terminator.
constexpr std::size_t kMaxFaceName = 31;

// Three strings and six numbers at the end of the picture block that the player never used.
constexpr int kDiscardedPictureStrings = 3;
constexpr int kDiscardedPictureNumbers = 6;

bool IsVideo(const Object& object) {
    return object.kind == kKindVideo;
}

std::vector<Point> ReadPoints(ByteReader& in) {
    std::uint32_t count = in.U32();
    in.RequireItems(count, 8);
    std::vector<Point> points(count);
    for (auto& point : points) {
        point.x = in.I32();
        point.y = in.I32();
    }
    return points;
}

void WritePoints(ByteWriter& out, const std::vector<Point>& points) {
    out.U32(static_cast<std::uint32_t>(points.size()));
    for (const auto& point : points) {
        out.I32(point.x);
        out.I32(point.y);
    }
}

Point ReadPoint(ByteReader& in) {
    Point point;
    point.x = in.I32();
    point.y = in.I32();
    return point;
}

void WritePoint(ByteWriter& out, Point point) {
    out.I32(point.x);
    out.I32(point.y);
}

std::optional<Picture> ReadPresentPicture(ByteReader& in, LoadContext& ctx) {
    if (in.U32() == 0) return std::nullopt;
    return ReadObjectPicture(in, ctx);
}

// Files before version 23 stored a video's image 3 as a one-byte-per-pixel mask inside a
// buffer of three bytes per pixel. The mask becomes its complement on all three channels; the
// expansion runs from the last pixel to the first so that it can work in place.
void ExpandVideoMask(std::optional<Picture>& image, LoadContext& ctx) {
    DecodedPicture decoded = DecodePicture(*image);
    if (!decoded.error.empty()) ctx.Message(decoded.error);
    RgbImage& pixels = decoded.image;
    if (pixels.pixels.empty()) {
        image.reset();
        return;
    }
    std::size_t count = pixels.pixels.size() / 3;
    for (std::size_t i = count; i-- > 0;) {
        std::uint8_t value = static_cast<std::uint8_t>(255 - pixels.pixels[i]);
        pixels.pixels[i * 3] = value;
        pixels.pixels[i * 3 + 1] = value;
        pixels.pixels[i * 3 + 2] = value;
    }
    Picture expanded;
    expanded.coding = PictureCoding::kPlain;
    expanded.width = pixels.width;
    expanded.height = pixels.height;
    expanded.bytes = std::move(pixels.pixels);
    image = std::move(expanded);
}

void ReadPictureBlock(ByteReader& in, LoadContext& ctx, Object& object) {
    object.transparent1 = in.U32();
    object.transparent2 = in.U32();
    object.transparent3 = in.U32();
    object.colour1 = in.U32();
    object.colour2 = in.U32();
    object.colour3 = in.U32();
    object.image1 = ReadPresentPicture(in, ctx);
    object.image2 = ReadPresentPicture(in, ctx);
    object.image3 = ReadPresentPicture(in, ctx);
    if (ctx.version < 23 && IsVideo(object) && object.image3) {
        ExpandVideoMask(object.image3, ctx);
    }
    object.image2_offset = ReadPoint(in);
    object.image3_offset = ReadPoint(in);
    for (int i = 0; i < kDiscardedPictureStrings; ++i) in.ArchiveString();
    for (int i = 0; i < kDiscardedPictureNumbers; ++i) in.U32();
    if (ctx.version > 20) {
        if (in.U32() != 0) object.image4 = ReadCodedPicture(in, ctx);
    } else if ((object.kind == kKindImage || IsVideo(object)) && object.image3) {
        // Older files kept the image view's picture in image 3 only.
        object.image4 = object.image3;
    }
}

void WritePresentPicture(ByteWriter& out, const std::optional<Picture>& picture) {
    out.U32(picture ? 1 : 0);
    if (picture) WriteObjectPicture(out, *picture);
}

void WritePictureBlock(ByteWriter& out, const Object& object, std::int32_t version) {
    out.U32(object.transparent1);
    out.U32(object.transparent2);
    out.U32(object.transparent3);
    out.U32(object.colour1);
    out.U32(object.colour2);
    out.U32(object.colour3);
    WritePresentPicture(out, object.image1);
    WritePresentPicture(out, object.image2);
    WritePresentPicture(out, object.image3);
    WritePoint(out, object.image2_offset);
    WritePoint(out, object.image3_offset);
    for (int i = 0; i < kDiscardedPictureStrings; ++i) out.ArchiveString("");
    for (int i = 0; i < kDiscardedPictureNumbers; ++i) out.U32(0);
    if (version > 20) {
        out.U32(object.image4 ? 1 : 0);
        if (object.image4) WriteCodedPicture(out, *object.image4);
    }
}

void ReadFont(ByteReader& in, LogFont& font) {
    font.height = in.I32();
    font.width = in.I32();
    font.escapement = in.I32();
    font.orientation = in.I32();
    font.weight = in.I32();
    font.italic = in.U8();
    font.underline = in.U8();
    font.strike_out = in.U8();
    font.char_set = in.U8();
    font.out_precision = in.U8();
    font.clip_precision = in.U8();
    font.quality = in.U8();
    font.pitch_and_family = in.U8();
    std::string face = in.ArchiveString();
    // A name that does not fit the font record leaves the default face.
    if (face.size() <= kMaxFaceName) font.face_name = std::move(face);
}

void WriteFont(ByteWriter& out, const LogFont& font) {
    out.I32(font.height);
    out.I32(font.width);
    out.I32(font.escapement);
    out.I32(font.orientation);
    out.I32(font.weight);
    out.U8(font.italic);
    out.U8(font.underline);
    out.U8(font.strike_out);
    out.U8(font.char_set);
    out.U8(font.out_precision);
    out.U8(font.clip_precision);
    out.U8(font.quality);
    out.U8(font.pitch_and_family);
    out.ArchiveString(font.face_name);
}

std::int32_t ShiftCoordinate(std::int32_t value, std::int32_t delta) {
    std::int64_t shifted = std::int64_t{value} + delta;
    shifted = std::clamp<std::int64_t>(shifted, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(shifted);
}

void ConvertOlderVersion(Object& object, std::int32_t version) {
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
        // The picture is shown through the image view from now on; fitting it to the
        // object's size is left to the view when the picture is first drawn.
        object.image4 = object.image3;
        object.transform = 1;
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
    const std::int32_t v = ctx.version;
    Object object = MakeObject(ctx.profile);

    object.text_variable = in.ArchiveString();
    object.number_variable = in.ArchiveString();
    object.extra_text1 = in.ArchiveString();
    object.extra_text2 = in.ArchiveString();
    object.extra_text3 = in.ArchiveString();
    object.extra_value = in.U32();
    std::int32_t kind_word = in.I32();
    object.has_first_actions = kind_word < 0;
    object.kind = object.has_first_actions ? in.I32() : kind_word;

    object.rect.left = in.I32();
    object.rect.top = in.I32();
    object.rect.right = in.I32();
    object.rect.bottom = in.I32();
    object.name = in.ArchiveString();
    object.param1 = in.U32();
    object.param2 = in.U32();
    object.param3 = in.U32();
    object.param4 = in.U32();
    object.param5 = in.U32();
    object.hover_object = in.ArchiveString();
    object.press_object = in.ArchiveString();
    object.hover_mode = in.U32();
    object.option0 = in.U32();
    if (v > 1) {
        object.hint_text = in.ArchiveString();
        object.hint_value = in.U32();
    }
    object.extra_value2 = in.U32();
    object.is_alias = in.U32();
    if (object.is_alias == 0) ReadPictureBlock(in, ctx, object);

    object.points_a = ReadPoints(in);
    if (v > 21) {
        object.points_b = ReadPoints(in);
        object.points_value1 = in.U32();
        object.points_value2 = in.U32();
    }
    object.hidden = in.U32();
    object.initially_hidden = in.U32();
    object.visible = in.U32();
    object.option1 = in.U32();
    object.option2 = in.U32();
    object.option3 = in.U32();
    object.option4 = in.U32();
    object.option5 = in.U32();
    object.option6 = in.U32();
    object.scale = in.F64();
    object.transform = in.U32();
    object.colour4 = in.U32();
    object.text = in.ArchiveString();
    std::uint32_t line_count = in.U32();
    in.RequireItems(line_count, 1);
    object.lines.reserve(line_count);
    for (std::uint32_t i = 0; i < line_count; ++i) object.lines.push_back(in.ArchiveString());
    ReadFont(in, object.font);
    if (in.U32() != 0) {
        StoredMetafile metafile;
        auto header = in.View(metafile.header.size());
        std::copy(header.begin(), header.end(), metafile.header.begin());
        metafile.data = in.Bytes(in.U32());
        object.metafile = std::move(metafile);
    }

    if (object.has_first_actions && v > 3) {
        object.actions_down = ReadActionList(in);
        object.actions_click = ReadActionList(in);
        object.actions_3 = ReadActionList(in);
    }
    if (v > 6 && object.kind == kKindAnimatedGif) {
        object.gif_timer_id = in.U32();
        object.gif_data = in.Bytes(in.U32());
    }
    if (v > 11) {
        object.link_flag = in.U32();
        if (object.link_flag != 0) object.link = in.ArchiveString();
    }
    if (v > 14) {
        object.actions_4 = ReadActionList(in);
        object.actions_5 = ReadActionList(in);
    }
    if (v > 15) object.actions_6 = ReadActionList(in);
    if (v > 22) {
        object.flag_a = in.U8() != 0;
        object.image_origin = ReadPoint(in);
        object.flag_b = in.U8() != 0;
        object.flag_c = in.U8() != 0;
        object.flag_d = in.U8() != 0;
        object.value_a = in.U32();
        object.flag_e = in.U8() != 0;
        object.flag_f = in.U8() != 0;
        object.value_b = in.U32();
    }
    if (v > 23) object.flag_g = in.U8() != 0;

    ConvertOlderVersion(object, v);
    return object;
}

void WriteObject(ByteWriter& out, const Object& object, std::int32_t version) {
    const std::int32_t v = version;
    out.ArchiveString(object.text_variable);
    out.ArchiveString(object.number_variable);
    out.ArchiveString(object.extra_text1);
    out.ArchiveString(object.extra_text2);
    out.ArchiveString(object.extra_text3);
    out.U32(object.extra_value);
    // A negative kind can only be stored behind the kind word, which also announces the first
    // three action lists.
    const bool first_actions = object.has_first_actions || object.kind < 0;
    if (first_actions) out.I32(-1);
    out.I32(object.kind);

    out.I32(object.rect.left);
    out.I32(object.rect.top);
    out.I32(object.rect.right);
    out.I32(object.rect.bottom);
    out.ArchiveString(object.name);
    out.U32(object.param1);
    out.U32(object.param2);
    out.U32(object.param3);
    out.U32(object.param4);
    out.U32(object.param5);
    out.ArchiveString(object.hover_object);
    out.ArchiveString(object.press_object);
    out.U32(object.hover_mode);
    out.U32(object.option0);
    if (v > 1) {
        out.ArchiveString(object.hint_text);
        out.U32(object.hint_value);
    }
    out.U32(object.extra_value2);
    out.U32(object.is_alias);
    if (object.is_alias == 0) WritePictureBlock(out, object, v);

    WritePoints(out, object.points_a);
    if (v > 21) {
        WritePoints(out, object.points_b);
        out.U32(object.points_value1);
        out.U32(object.points_value2);
    }
    out.U32(object.hidden);
    out.U32(object.initially_hidden);
    out.U32(object.visible);
    out.U32(object.option1);
    out.U32(object.option2);
    out.U32(object.option3);
    out.U32(object.option4);
    out.U32(object.option5);
    out.U32(object.option6);
    out.F64(object.scale);
    out.U32(object.transform);
    out.U32(object.colour4);
    out.ArchiveString(object.text);
    out.U32(static_cast<std::uint32_t>(object.lines.size()));
    for (const auto& line : object.lines) out.ArchiveString(line);
    WriteFont(out, object.font);
    out.U32(object.metafile ? 1 : 0);
    if (object.metafile) {
        out.Bytes(object.metafile->header);
        out.U32(static_cast<std::uint32_t>(object.metafile->data.size()));
        out.Bytes(object.metafile->data);
    }

    if (first_actions && v > 3) {
        WriteActionList(out, object.actions_down);
        WriteActionList(out, object.actions_click);
        WriteActionList(out, object.actions_3);
    }
    if (v > 6 && object.kind == kKindAnimatedGif) {
        out.U32(object.gif_timer_id);
        out.U32(static_cast<std::uint32_t>(object.gif_data.size()));
        out.Bytes(object.gif_data);
    }
    if (v > 11) {
        out.U32(object.link_flag);
        if (object.link_flag != 0) out.ArchiveString(object.link);
    }
    if (v > 14) {
        WriteActionList(out, object.actions_4);
        WriteActionList(out, object.actions_5);
    }
    if (v > 15) WriteActionList(out, object.actions_6);
    if (v > 22) {
        out.U8(object.flag_a ? 1 : 0);
        WritePoint(out, object.image_origin);
        out.U8(object.flag_b ? 1 : 0);
        out.U8(object.flag_c ? 1 : 0);
        out.U8(object.flag_d ? 1 : 0);
        out.U32(object.value_a);
        out.U8(object.flag_e ? 1 : 0);
        out.U8(object.flag_f ? 1 : 0);
        out.U32(object.value_b);
    }
    if (v > 23) out.U8(object.flag_g ? 1 : 0);
}

}  // namespace velk
