#include "document/object_io.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "codec/zlib_codec.h"
#include "document/action_list_io.h"
#include "document/picture_io.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

namespace velk {
namespace {

struct Loader {
    explicit Loader(std::int32_t version) : ctx{ui, profile, version, ""} {}
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
    LoadContext ctx;
};

Object ReadBack(const std::vector<std::uint8_t>& bytes, std::int32_t version,
                std::vector<std::string>* messages = nullptr) {
    Loader loader(version);
    ByteReader in(bytes);
    Object object = ReadObject(in, loader.ctx);
    EXPECT_TRUE(in.AtEnd()) << (in.Remaining()) << " bytes left";
    if (messages) *messages = loader.ui.Texts();
    return object;
}

Object WriteAndRead(const Object& object, std::int32_t version) {
    ByteWriter out;
    WriteObject(out, object, version);
    return ReadBack(out.Data(), version);
}

ActionList List(std::int32_t code, std::string argument) {
    ActionList list;
    ActionRecord record;
    record.code = code;
    record.target = "target";
    record.argument = std::move(argument);
    record.argument_count = 1;
    list.records.push_back(record);
    return list;
}

Picture Raw(PictureCoding coding, std::int32_t width, std::int32_t height, std::uint8_t seed) {
    Picture picture;
    picture.coding = coding;
    picture.width = width;
    picture.height = height;
    picture.bytes.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < picture.bytes.size(); ++i) {
        picture.bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return picture;
}

// An animated GIF (no conversion touches the kind) with every stored field away from its
// default.
Object FullObject() {
    Object o;
    o.kind = kKindAnimatedGif;
    o.has_first_actions = true;
    o.name = "Spinner";
    o.rect = {-5, 6, 300, 400};
    o.text = "caption";
    o.text_variable = "T$";
    o.number_variable = "N";
    o.extra_text1 = "one";
    o.extra_text2 = "two";
    o.extra_text3 = "three";
    o.extra_value = 0xFFFFFFFE;
    o.param1 = 1;
    o.param2 = 2;
    o.param3 = 3;
    o.param4 = 4;
    o.param5 = 5;
    o.hover_object = "hover";
    o.press_object = "press";
    o.hover_mode = 4;
    o.option0 = 9;
    o.hint_text = "hint";
    o.hint_value = 77;
    o.extra_value2 = 88;
    o.transparent1 = 1;
    o.transparent2 = 2;
    o.transparent3 = 3;
    o.colour1 = 0x010203;
    o.colour2 = 0x040506;
    o.colour3 = 0x070809;
    o.colour4 = 0x0A0B0C;
    o.image1 = Raw(PictureCoding::kPlain, 2, 2, 1);
    Picture zlib = Raw(PictureCoding::kZlib, 3, 1, 2);
    zlib.size = static_cast<std::uint32_t>(zlib.bytes.size());
    zlib.bytes = Deflate(zlib.bytes);
    o.image2 = zlib;
    o.image3 = Raw(PictureCoding::kJpegRaw, 1, 2, 3);
    o.image4 = Raw(PictureCoding::kRaw, 2, 1, 4);
    o.image2_offset = {11, 12};
    o.image3_offset = {-13, 14};
    o.points_a = {{1, 2}, {3, 4}};
    o.points_b = {{-5, 6}};
    o.points_value1 = 15;
    o.points_value2 = 16;
    o.hidden = 1;
    o.initially_hidden = 1;
    o.visible = 0;
    o.option1 = 21;
    o.option2 = 22;
    o.option3 = 23;
    o.option4 = 24;
    o.option5 = 25;
    o.option6 = 26;
    o.scale = 1.75;
    o.transform = 1;
    o.lines = {"alpha", "", "gamma"};
    o.font = {-13, 7, 900, 450, 700, 1, 1, 1, 2, 3, 4, 5, 18, "Courier New"};
    StoredMetafile metafile;
    for (std::size_t i = 0; i < metafile.header.size(); ++i) {
        metafile.header[i] = static_cast<std::uint8_t>(i + 1);
    }
    metafile.data = {9, 8, 7};
    o.metafile = metafile;
    o.gif_timer_id = 33;
    o.gif_data = {0, 0, 0, 0, 'G', 'I', 'F'};
    o.link_flag = 1;
    o.link = "tooltip";
    o.actions_down = List(11, "down");
    o.actions_click = List(12, "click");
    o.actions_3 = List(13, "three");
    o.actions_4 = List(14, "four");
    o.actions_5 = List(15, "five");
    o.actions_6 = List(16, "six");
    o.flag_a = false;
    o.flag_b = false;
    o.flag_c = false;
    o.flag_d = false;
    o.flag_e = true;
    o.flag_f = true;
    o.flag_g = true;
    o.image_origin = {-7, 8};
    o.value_a = 55;
    o.value_b = 0x123456;
    return o;
}

// What a reader of `version` makes of `full`: the fields that version does not store keep
// the defaults of a new object.
Object AsStoredIn(Object o, std::int32_t version) {
    const Object fresh;
    if (version <= 1) {
        o.hint_text = fresh.hint_text;
        o.hint_value = fresh.hint_value;
    }
    if (version <= 3) {
        o.actions_down = o.actions_click = o.actions_3 = ActionList{};
    }
    if (version <= 6 || o.kind != kKindAnimatedGif) {
        o.gif_timer_id = fresh.gif_timer_id;
        o.gif_data = fresh.gif_data;
    }
    if (version <= 11) {
        o.link_flag = fresh.link_flag;
        o.link = fresh.link;
    }
    if (version <= 14) o.actions_4 = o.actions_5 = ActionList{};
    if (version <= 15) o.actions_6 = ActionList{};
    if (version <= 20) o.image4.reset();
    if (version <= 21) {
        o.points_b.clear();
        o.points_value1 = fresh.points_value1;
        o.points_value2 = fresh.points_value2;
    }
    if (version <= 22) {
        o.flag_a = fresh.flag_a;
        o.flag_b = fresh.flag_b;
        o.flag_c = fresh.flag_c;
        o.flag_d = fresh.flag_d;
        o.flag_e = fresh.flag_e;
        o.flag_f = fresh.flag_f;
        o.image_origin = fresh.image_origin;
        o.value_a = fresh.value_a;
        o.value_b = fresh.value_b;
    }
    if (version <= 23) o.flag_g = fresh.flag_g;
    return o;
}

constexpr std::int32_t kVersions[] = {1,  2,  3,  4,  6,  7,  11, 12, 14, 15,
                                      16, 20, 21, 22, 23, 24, 25, 26, 27};

TEST(ObjectIo, EveryVersionReadsBackWhatItStores) {
    Object alias = FullObject();
    alias.is_alias = 1;
    alias.has_first_actions = false;
    alias.metafile.reset();
    alias.link_flag = 0;
    alias.link = "";
    Object bare = FullObject();
    bare.kind = kKindText;
    bare.lines.clear();
    bare.points_a.clear();

    for (std::int32_t version : kVersions) {
        for (const Object& written : {FullObject(), alias, bare}) {
            SCOPED_TRACE(testing::Message() << "version " << version << " kind " << written.kind
                                            << " alias " << written.is_alias);
            Object expected = AsStoredIn(written, version);
            if (written.is_alias != 0) {
                // An alias stores no picture block: pictures and their colours stay default.
                const Object fresh;
                expected.transparent1 = expected.transparent2 = expected.transparent3 = 0;
                expected.colour1 = fresh.colour1;
                expected.colour2 = fresh.colour2;
                expected.colour3 = fresh.colour3;
                expected.image1 = expected.image2 = expected.image3 = expected.image4 =
                    std::nullopt;
                expected.image2_offset = expected.image3_offset = Point{};
            }
            if (!written.has_first_actions) {
                expected.actions_down = expected.actions_click = expected.actions_3 = ActionList{};
            }
            EXPECT_EQ(WriteAndRead(written, version), expected);
        }
    }
}

TEST(ObjectIo, NewObjectsTakeTheirFontFromTheProfile) {
    headless::MemoryProfileStore empty;
    Object plain = MakeObject(empty);
    EXPECT_EQ(plain, Object{});
    EXPECT_EQ(plain.font.face_name, "Arial");
    EXPECT_EQ(plain.font.height, 20);
    EXPECT_EQ(plain.font.weight, 400);
    EXPECT_EQ(plain.font.pitch_and_family, 32);
    EXPECT_EQ(plain.visible, 1u);
    EXPECT_EQ(plain.scale, 0.5);

    headless::MemoryProfileStore profile;
    profile.WriteString("Font", "Height", "-16");
    profile.WriteString("Font", "Width", "8");
    profile.WriteString("Font", "Escape", "900");
    profile.WriteString("Font", "Orient", "450");
    profile.WriteString("Font", "Weight", "700");
    profile.WriteString("Font", "Italic", "1");
    profile.WriteString("Font", "Name", "Times New Roman");
    LogFont font = MakeObject(profile).font;
    EXPECT_EQ(font, (LogFont{-16, 8, 900, 450, 700, 1, 0, 0, 0, 0, 0, 0, 32, "Times New Roman"}));

    // A value that is not a number falls back to the default.
    headless::MemoryProfileStore odd;
    odd.WriteString("Font", "Height", "tall");
    EXPECT_EQ(MakeObject(odd).font.height, 20);
}

// A version-27 record laid down field by field, independent of the writer.
std::vector<std::uint8_t> HandLaidRecord(std::int32_t kind_word, std::string_view discarded) {
    ByteWriter b;
    for (const char* text : {"T$", "N", "one", "two", "three"}) b.ArchiveString(text);
    b.U32(5);  // extra_value
    b.I32(kind_word);
    if (kind_word < 0) b.I32(kKindTextButton);
    for (std::int32_t v : {10, 20, 110, 70}) b.I32(v);
    b.ArchiveString("Button");
    for (std::uint32_t v : {101u, 102u, 103u, 104u, 105u}) b.U32(v);
    b.ArchiveString("Glow");
    b.ArchiveString("Pressed");
    b.U32(4);  // hover_mode
    b.U32(6);  // option0
    b.ArchiveString("hint");
    b.U32(7);  // hint_value
    b.U32(8);  // extra_value2
    b.U32(0);  // is_alias
    // Picture block.
    for (std::uint32_t v : {1u, 0u, 1u, 0xFF00FFu, 0x00FF00u, 0x0000FFu}) b.U32(v);
    b.U32(1);  // image1: plain 2 x 1
    b.U32(2);
    b.U32(1);
    b.Bytes(std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6});
    b.U32(0);  // no image2
    b.U32(1);  // image3: coded, method 2, 1 x 1
    b.U32(600000);
    b.U32(1);
    b.U32(1);
    b.U32(2);
    b.Bytes(std::vector<std::uint8_t>{7, 8, 9});
    for (std::int32_t v : {3, 4, -5, -6}) b.I32(v);  // image2_offset, image3_offset
    for (int i = 0; i < 3; ++i) b.ArchiveString(discarded);
    for (int i = 0; i < 6; ++i) b.U32(discarded.empty() ? 0 : 0xABCDEF);
    b.U32(1);  // image4: method 0 stored, 1 x 1
    b.U32(1);
    b.U32(1);
    b.U32(0);
    b.U32(3);
    b.U32(0);
    b.Bytes(std::vector<std::uint8_t>{10, 11, 12});
    // Points.
    b.U32(1);
    b.I32(-1);
    b.I32(-2);
    b.U32(2);
    for (std::int32_t v : {5, 6, 7, 8}) b.I32(v);
    b.U32(31);  // points_value1
    b.U32(32);  // points_value2
    for (std::uint32_t v : {0u, 1u, 1u, 41u, 42u, 43u, 44u, 45u, 46u}) b.U32(v);
    b.F64(2.5);
    b.U32(1);         // transform
    b.U32(0x808080);  // colour4
    b.ArchiveString("Press me");
    b.U32(2);
    b.ArchiveString("line 1");
    b.ArchiveString("line 2");
    for (std::int32_t v : {-12, 0, 0, 0, 700}) b.I32(v);
    for (std::uint8_t v : {1, 0, 1, 0, 3, 2, 1, 34}) b.U8(v);
    b.ArchiveString("Tahoma");
    b.U32(1);  // metafile
    for (std::uint8_t i = 0; i < 24; ++i) b.U8(i);
    b.U32(2);
    b.Bytes(std::vector<std::uint8_t>{0xEE, 0xFF});
    if (kind_word < 0) {
        WriteActionList(b, List(1, "down"));
        WriteActionList(b, List(2, "click"));
        WriteActionList(b, ActionList{});
    }
    b.U32(1);  // link flag
    b.ArchiveString("Click to go on");
    WriteActionList(b, List(4, "four"));
    WriteActionList(b, ActionList{});
    WriteActionList(b, List(6, "six"));
    b.U8(0);  // flag_a
    b.I32(12);
    b.I32(-13);
    b.U8(1);  // flag_b
    b.U8(0);  // flag_c
    b.U8(2);  // flag_d: any non-zero byte is true
    b.U32(150);
    b.U8(1);  // flag_e
    b.U8(0);  // flag_f
    b.U32(0x00C0FFEE);
    b.U8(1);  // flag_g
    return b.Take();
}

Object HandLaidObject(bool first_actions) {
    Object o;
    o.kind = kKindTextButton;
    o.has_first_actions = first_actions;
    o.text_variable = "T$";
    o.number_variable = "N";
    o.extra_text1 = "one";
    o.extra_text2 = "two";
    o.extra_text3 = "three";
    o.extra_value = 5;
    o.rect = {10, 20, 110, 70};
    o.name = "Button";
    o.param1 = 101;
    o.param2 = 102;
    o.param3 = 103;
    o.param4 = 104;
    o.param5 = 105;
    o.hover_object = "Glow";
    o.press_object = "Pressed";
    o.hover_mode = 4;
    o.option0 = 6;
    o.hint_text = "hint";
    o.hint_value = 7;
    o.extra_value2 = 8;
    o.transparent1 = 1;
    o.transparent2 = 0;
    o.transparent3 = 1;
    o.colour1 = 0xFF00FF;
    o.colour2 = 0x00FF00;
    o.colour3 = 0x0000FF;
    o.image1 = Picture{PictureCoding::kPlain, 2, 1, 0, {1, 2, 3, 4, 5, 6}};
    o.image3 = Picture{PictureCoding::kRaw, 1, 1, 0, {7, 8, 9}};
    o.image4 = Picture{PictureCoding::kStored, 1, 1, 3, {10, 11, 12}};
    o.image2_offset = {3, 4};
    o.image3_offset = {-5, -6};
    o.points_a = {{-1, -2}};
    o.points_b = {{5, 6}, {7, 8}};
    o.points_value1 = 31;
    o.points_value2 = 32;
    o.hidden = 0;
    o.initially_hidden = 1;
    o.visible = 1;
    o.option1 = 41;
    o.option2 = 42;
    o.option3 = 43;
    o.option4 = 44;
    o.option5 = 45;
    o.option6 = 46;
    o.scale = 2.5;
    o.transform = 1;
    o.colour4 = 0x808080;
    o.text = "Press me";
    o.lines = {"line 1", "line 2"};
    o.font = {-12, 0, 0, 0, 700, 1, 0, 1, 0, 3, 2, 1, 34, "Tahoma"};
    StoredMetafile metafile;
    for (std::uint8_t i = 0; i < 24; ++i) metafile.header[i] = i;
    metafile.data = {0xEE, 0xFF};
    o.metafile = metafile;
    if (first_actions) {
        o.actions_down = List(1, "down");
        o.actions_click = List(2, "click");
    }
    o.link_flag = 1;
    o.link = "Click to go on";
    o.actions_4 = List(4, "four");
    o.actions_6 = List(6, "six");
    o.flag_a = false;
    o.image_origin = {12, -13};
    o.flag_b = true;
    o.flag_c = false;
    o.flag_d = true;
    o.value_a = 150;
    o.flag_e = true;
    o.flag_f = false;
    o.value_b = 0x00C0FFEE;
    o.flag_g = true;
    return o;
}

TEST(ObjectIo, HandLaidVersion27Record) {
    // With the writer's own kind word, the record is also what the writer produces; flag_d
    // is stored as 2, so that byte is compared separately.
    for (bool first_actions : {true, false}) {
        SCOPED_TRACE(first_actions ? "negative kind word" : "plain kind word");
        std::vector<std::uint8_t> bytes = HandLaidRecord(first_actions ? -1 : kKindTextButton, "");
        Object expected = HandLaidObject(first_actions);
        EXPECT_EQ(ReadBack(bytes, 27), expected);
        ByteWriter out;
        WriteObject(out, expected, 27);
        std::vector<std::uint8_t> written = out.Take();
        ASSERT_EQ(written.size(), bytes.size());
        const std::size_t flag_d = bytes.size() - 1 - 4 - 1 - 1 - 4 - 1;
        EXPECT_EQ(bytes[flag_d], 2);
        EXPECT_EQ(written[flag_d], 1);
        written[flag_d] = 2;
        EXPECT_EQ(written, bytes);
    }
    // Any negative kind word announces the lists; the discarded picture fields are skipped
    // whatever they hold.
    EXPECT_EQ(ReadBack(HandLaidRecord(-7, "ignored"), 27), HandLaidObject(true));
}

TEST(ObjectIo, KindWordAndActionListsByVersion) {
    Object object = FullObject();
    object.kind = kKindText;
    // Version 3: a negative kind word, but no stored lists.
    {
        ByteWriter out;
        WriteObject(out, object, 3);
        Object read = ReadBack(out.Data(), 3);
        EXPECT_TRUE(read.has_first_actions);
        EXPECT_EQ(read.kind, kKindText);
        EXPECT_TRUE(read.actions_down.empty());
        EXPECT_TRUE(read.actions_click.empty());
    }
    // Version 4 stores them; without the negative kind word they are absent.
    object.has_first_actions = false;
    for (std::int32_t version : {4, 27}) {
        ByteWriter with, without;
        Object with_lists = object;
        with_lists.has_first_actions = true;
        WriteObject(with, with_lists, version);
        WriteObject(without, object, version);
        // The kind word and three lists of one record each.
        EXPECT_GT(with.Size(), without.Size() + 4);
        Object read = ReadBack(without.Data(), version);
        EXPECT_FALSE(read.has_first_actions);
        EXPECT_TRUE(read.actions_down.empty());
        EXPECT_TRUE(read.actions_3.empty());
    }
}

TEST(ObjectIo, FaceNamesLongerThan31CharactersLeaveTheDefault) {
    for (std::size_t length : {31u, 32u, 40u}) {
        Object object;
        object.font.face_name = std::string(length, 'F');
        ByteWriter out;
        WriteObject(out, object, 27);
        Loader loader(27);
        loader.profile.WriteString("Font", "Name", "Verdana");
        ByteReader in(out.Data());
        Object read = ReadObject(in, loader.ctx);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(read.font.face_name, length <= 31 ? object.font.face_name : "Verdana") << length;
    }
}

TEST(ObjectIo, AliasStoresNoPictureBlock) {
    Object object;
    object.is_alias = 1;
    object.image1 = Picture{PictureCoding::kPlain, 1, 1, 0, {1, 2, 3}};
    object.colour1 = 0x123456;
    ByteWriter alias, normal;
    WriteObject(alias, object, 27);
    object.is_alias = 0;
    object.image1.reset();
    WriteObject(normal, object, 27);
    // Six words, three absent pictures, two offsets, three empty strings, six words and the
    // absent image 4.
    EXPECT_EQ(normal.Size() - alias.Size(), 6u * 4 + 3 * 4 + 4 * 4 + 3 + 6 * 4 + 4);
    Object read = ReadBack(alias.Data(), 27);
    EXPECT_FALSE(read.image1.has_value());
    EXPECT_EQ(read.colour1, 0xFFFFFFu);
}

TEST(ObjectIo, Version21HasNoSecondPointList) {
    Object object;
    object.kind = kKindPolygon;
    object.points_a = {{1, 1}};
    object.points_b = {{2, 2}};
    object.points_value1 = 3;
    ByteWriter v21, v22;
    WriteObject(v21, object, 21);
    WriteObject(v22, object, 22);
    EXPECT_EQ(v22.Size() - v21.Size(), 4u + 8u + 8u);
    Object read = ReadBack(v21.Data(), 21);
    EXPECT_EQ(read.points_a, object.points_a);
    EXPECT_TRUE(read.points_b.empty());
    EXPECT_EQ(read.points_value1, 0u);
}

TEST(ObjectIo, OversizedPlainPictureAbandonsTheLoad) {
    // A record up to image 1, which announces a plain 5000 x 5001 picture.
    ByteWriter b;
    for (int i = 0; i < 5; ++i) b.ArchiveString("");
    b.U32(0);
    b.I32(kKindImage);
    for (int i = 0; i < 4; ++i) b.I32(0);
    b.ArchiveString("Big");
    for (int i = 0; i < 5; ++i) b.U32(0);
    b.ArchiveString("");
    b.ArchiveString("");
    b.U32(0);
    b.U32(0);
    b.ArchiveString("");
    b.U32(0);
    b.U32(0);
    b.U32(0);  // is_alias
    for (int i = 0; i < 6; ++i) b.U32(0);
    b.U32(1);
    b.U32(5000);
    b.U32(5001);
    Loader loader(27);
    ByteReader in(b.Data());
    EXPECT_THROW(ReadObject(in, loader.ctx), ArchiveError);
    EXPECT_EQ(loader.ui.Texts(), std::vector<std::string>{"ERROR 0: This file cannot be loaded!"});
}

TEST(ObjectIo, TruncatedRecordsRaiseArchiveErrors) {
    ByteWriter out;
    WriteObject(out, FullObject(), 27);
    const auto& bytes = out.Data();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        Loader loader(27);
        ByteReader in(std::span(bytes.data(), n));
        EXPECT_THROW(ReadObject(in, loader.ctx), ArchiveError) << n;
    }
}

TEST(ObjectIo, Version22VideoMaskBecomesItsComplement) {
    // 10 x 2: the first 20 of the 60 bytes are the mask.
    Picture stored = Raw(PictureCoding::kPlain, 10, 2, 0);
    for (std::size_t i = 0; i < 20; ++i) stored.bytes[i] = static_cast<std::uint8_t>(i * 13);
    std::fill(stored.bytes.begin() + 20, stored.bytes.end(), 0x5A);
    std::vector<std::uint8_t> expected(60);
    for (std::size_t i = 0; i < 60; ++i) {
        expected[i] = static_cast<std::uint8_t>(255 - (i / 3) * 13);
    }

    // The mask may also be stored coded; it is kept expanded and plain afterwards.
    Picture zlib = stored;
    zlib.coding = PictureCoding::kZlib;
    zlib.size = 60;
    zlib.bytes = Deflate(stored.bytes);
    for (const Picture& mask : {stored, zlib}) {
        Object object;
        object.kind = kKindVideo;
        object.image3 = mask;
        ByteWriter out;
        WriteObject(out, object, 22);
        Object read = ReadBack(out.Data(), 22);
        ASSERT_TRUE(read.image3.has_value());
        EXPECT_EQ(read.image3->coding, PictureCoding::kPlain);
        EXPECT_EQ(read.image3->width, 10);
        EXPECT_EQ(read.image3->height, 2);
        EXPECT_EQ(read.image3->bytes, expected);
        EXPECT_EQ(read.image4, read.image3);
    }
    // From version 23 on image 3 is an ordinary picture.
    Object object;
    object.kind = kKindVideo;
    object.image3 = stored;
    ByteWriter out;
    WriteObject(out, object, 23);
    EXPECT_EQ(ReadBack(out.Data(), 23).image3, stored);
}

struct ConversionCase {
    const char* name;
    std::int32_t version;
    std::function<void(Object&)> setup;
    // Applied to the written object to give what the reader must produce.
    std::function<void(Object&)> expect;
};

TEST(ObjectIo, OlderVersionsAreConverted) {
    const Picture picture = Raw(PictureCoding::kPlain, 2, 2, 40);
    const Picture other = Raw(PictureCoding::kRaw, 1, 1, 90);
    auto video = [&](bool with_picture) {
        return [=](Object& o) {
            o.kind = kKindVideo;
            o.param1 = 1;
            o.param2 = 2;
            o.param4 = 4;
            o.transform = 7;
            o.actions_click = List(12, "ended");
            if (with_picture) o.image3 = picture;
        };
    };
    auto moved_video_fields = [](Object& o) {
        o.option6 = 4;
        o.option5 = 2;
        o.option4 = 1;
        o.option2 = 7;
        o.scale = 1.0;
        o.param1 = 0;
        o.actions_4 = o.actions_click;
        o.actions_click = ActionList{};
    };
    auto line = [](Rect rect) {
        return [=](Object& o) {
            o.kind = kKindLine;
            o.rect = rect;
        };
    };
    auto to_rect = [](Rect rect) { return [=](Object& o) { o.rect = rect; }; };
    auto unchanged = [](Object&) {};
    auto complement = [](Picture p) {
        for (std::size_t i = p.bytes.size() / 3; i-- > 0;) {
            std::uint8_t v = static_cast<std::uint8_t>(255 - p.bytes[i]);
            p.bytes[i * 3] = p.bytes[i * 3 + 1] = p.bytes[i * 3 + 2] = v;
        }
        return p;
    };

    const std::vector<ConversionCase> cases = {
        {"video 21 with picture", 21, video(true),
         [&](Object& o) {
             moved_video_fields(o);
             o.image3 = complement(picture);
             o.image4 = o.image3;
             o.transform = 1;
             o.image_view.refit_pending = true;  // the player fits it to the rectangle
         }},
        {"video 21 without picture", 21, video(false),
         [&](Object& o) {
             moved_video_fields(o);
             o.transform = 0;
         }},
        {"video 22", 22, video(true),
         [&](Object& o) {
             o.image3 = complement(picture);
             o.image4 = o.image3;
             o.transform = 1;
             o.image_view.refit_pending = true;
         }},
        {"video 26 replaces image 4", 26,
         [&](Object& o) {
             video(true)(o);
             o.image4 = other;
         },
         [&](Object& o) {
             o.image4 = picture;
             o.transform = 1;
             o.image_view.refit_pending = true;
         }},
        {"video 26 without picture", 26, video(false), unchanged},
        {"video 27", 27,
         [&](Object& o) {
             video(true)(o);
             o.image4 = other;
         },
         unchanged},
        {"image 20 copies image 3", 20,
         [&](Object& o) {
             o.kind = kKindImage;
             o.image3 = picture;
         },
         [&](Object& o) { o.image4 = picture; }},
        {"image 21 has its own image 4", 21,
         [&](Object& o) {
             o.kind = kKindImage;
             o.image3 = picture;
         },
         unchanged},
        {"text button 23", 23, [](Object& o) { o.kind = kKindTextButton; },
         [](Object& o) {
             o.colour3 = 0x800000;
             o.colour4 = 0xFFFFFF;
         }},
        {"text button 24", 24, [](Object& o) { o.kind = kKindTextButton; }, unchanged},
        {"list box 24", 24, [](Object& o) { o.kind = kKindListBox; },
         [](Object& o) { o.option6 = 1; }},
        {"list box 25", 25, [](Object& o) { o.kind = kKindListBox; }, unchanged},
        {"line 24", 24, line({10, 20, 110, 220}), to_rect({14, 24, 107, 217})},
        {"line 25", 25, line({10, 20, 110, 220}), to_rect({10, 20, 111, 221})},
        {"line 26", 26, line({10, 20, 110, 220}), unchanged},
        {"line 24 at the limits", 24, line({INT_MAX, INT_MAX, INT_MIN, INT_MIN}),
         to_rect({INT_MAX, INT_MAX, INT_MIN + 1, INT_MIN + 1})},
        {"shape 24", 24,
         [](Object& o) {
             o.kind = kKindShape;
             o.rect = {10, 20, 110, 220};
         },
         unchanged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Object written;
        c.setup(written);
        Object expected = AsStoredIn(written, c.version);
        c.expect(expected);
        EXPECT_EQ(WriteAndRead(written, c.version), expected);
    }
}

}  // namespace
}  // namespace velk
