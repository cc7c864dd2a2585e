#include "document/project_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "codec/jpeg_codec.h"
#include "codec/png_codec.h"
#include "codec/zlib_codec.h"
#include "document/object_io.h"
#include "hosts/headless/memory_profile_store.h"

namespace velk {
namespace {

RgbImage Gradient(std::int32_t width, std::int32_t height, int seed) {
    RgbImage image{width, height, {}};
    for (std::int32_t i = 0; i < width * height * 3; ++i) {
        image.pixels.push_back(static_cast<std::uint8_t>(seed + i * 7));
    }
    return image;
}

Picture RawPicture(PictureCoding coding, std::int32_t width, std::int32_t height, int seed) {
    Picture picture;
    picture.coding = coding;
    picture.width = width;
    picture.height = height;
    picture.bytes = Gradient(width, height, seed).pixels;
    if (coding == PictureCoding::kStored)
        picture.size = static_cast<std::uint32_t>(picture.bytes.size());
    return picture;
}

Picture ZlibPicture(std::int32_t width, std::int32_t height, int seed) {
    Picture picture = RawPicture(PictureCoding::kZlib, width, height, seed);
    picture.size = static_cast<std::uint32_t>(picture.bytes.size());
    picture.bytes = Deflate(picture.bytes);
    return picture;
}

Picture JpegPicture(std::int32_t stored_width, std::int32_t stored_height) {
    Picture picture;
    picture.coding = PictureCoding::kJpeg;
    picture.width = stored_width;
    picture.height = stored_height;
    picture.bytes = EncodeJpeg(Gradient(8, 8, 3));
    return picture;
}

ActionList Actions(std::int32_t code, std::string target, std::string argument) {
    ActionList list;
    ActionRecord record;
    record.code = code;
    record.target = std::move(target);
    record.argument = std::move(argument);
    record.argument_count = record.target.empty() ? 0 : 1;
    list.records.push_back(record);
    return list;
}

// An object in which every field differs from a fresh one.
Object FullObject(int seed) {
    Object o;
    o.kind = kKindTextButton;
    o.has_first_actions = false;
    o.name = "Button \xE9" + std::to_string(seed);  // "é" in the code page
    o.rect = {1, -2, 300, 400};
    o.text = "Caption \x80";  // the euro sign
    o.text_variable = "tv$";
    o.number_variable = "nv";
    o.extra_text1 = "e1";
    o.extra_text2 = "e2";
    o.extra_text3 = "e3";
    o.extra_value = 7;
    o.param1 = 1;
    o.param2 = 2;
    o.param3 = 3;
    o.param4 = 4;
    o.param5 = 0xFFFFFFFF;
    o.hover_object = "Hover";
    o.press_object = "Press";
    o.hover_mode = 4;
    o.option0 = 5;
    o.hint_text = "hint";
    o.hint_value = 6;
    o.extra_value2 = 8;
    o.is_alias = 1;
    o.transparent1 = 1;
    o.transparent2 = 1;
    o.transparent3 = 1;
    o.colour1 = 0x0000FF;
    o.colour2 = 0x00FF00;
    o.colour3 = 0xFF0000;
    o.colour4 = 0x808080;
    o.image1 = RawPicture(PictureCoding::kPlain, 4, 3, seed);
    o.image2 = ZlibPicture(2, 2, seed + 1);
    o.image3 = JpegPicture(10, 11);
    o.image4 = RawPicture(PictureCoding::kStored, 3, 1, seed + 2);
    o.image2_offset = {3, 4};
    o.image3_offset = {-5, 6};
    o.points_a = {{1, 2}, {3, 4}};
    o.points_b = {{-5, 6}};
    o.points_value1 = 21;
    o.points_value2 = 22;
    o.hidden = 1;
    o.initially_hidden = 1;
    o.visible = 0;
    o.option1 = 11;
    o.option2 = 12;
    o.option3 = 13;
    o.option4 = 14;
    o.option5 = 15;
    o.option6 = 16;
    o.scale = 1.0 / 3.0;
    o.transform = 1;
    o.lines = {"one", "",
               "thr\xEE"
               "e"};
    o.font.height = -13;
    o.font.width = 2;
    o.font.escapement = 3;
    o.font.orientation = 4;
    o.font.weight = 700;
    o.font.italic = 1;
    o.font.underline = 1;
    o.font.strike_out = 1;
    o.font.char_set = 2;
    o.font.out_precision = 3;
    o.font.clip_precision = 4;
    o.font.quality = 5;
    o.font.pitch_and_family = 34;
    o.font.face_name = "Times New Roman";
    StoredMetafile metafile;
    for (std::size_t i = 0; i < metafile.header.size(); ++i) {
        metafile.header[i] = static_cast<std::uint8_t>(i * 11);
    }
    metafile.data = {1, 2, 3, 4, 5};
    o.metafile = metafile;
    o.gif_timer_id = 99;
    o.gif_data = {0, 0, 0, 0, 'G', 'I', 'F', '8', '9', 'a'};
    o.link_flag = 1;
    o.link = "a tooltip";
    o.actions_down = Actions(11, "Second", "");
    o.actions_click = Actions(kCodeAssign, "", "x=1");
    o.actions_3 = Actions(kCodeFor, "", "i=1");
    o.actions_3.records[0].limit = "10";
    o.actions_4 = Actions(12345, "unknown", "kept");
    ActionRecord& odd = o.actions_4.records[0];
    odd.spare_text = "spare";
    odd.spare_number = -1;
    odd.spare_pair[0] = 5;
    odd.spare_pair[1] = -6;
    odd.end_marker = 0x12345678;
    odd.error_text = "Syntax error";
    o.actions_5 = Actions(kCodeComment, "", "* note");
    o.actions_5.end_marker = 0;
    o.actions_6 = Actions(kCodeEnd, "", "");
    o.flag_a = false;
    o.flag_b = false;
    o.flag_c = false;
    o.flag_d = false;
    o.flag_e = true;
    o.flag_f = true;
    o.flag_g = true;
    o.image_origin = {7, -8};
    o.value_a = 55;
    o.value_b = 0x101010;
    o.state = 2;
    return o;
}

Page FullPage(std::string name, int seed) {
    Page p;
    p.name = std::move(name);
    p.serial = 77;
    p.notes = "notes";
    p.page_option_a = 5;
    p.page_cursor = 3;
    p.background_image = JpegPicture(8, 8);
    p.use_first_page_background = 1;
    p.background_colour = 0x00FF00;
    p.tile_background = 1;
    p.page_option_c = 0x1234;
    p.objects = {FullObject(seed), FullObject(seed + 1)};
    p.transition_file = "<SrcDir>\\fx.dll";
    p.use_master_background = 1;
    p.page_value1 = 9;
    p.transition_effect = 4;
    p.transition_duration = 750;
    p.entry_actions = Actions(11, "Next", "");
    p.transition_mask_width = 4;
    p.transition_mask_height = 2;
    p.transition_mask.bytes = {0, 32, 64, 96, 128, 160, 192, 255};
    p.transition_mask.size = 8;
    p.transition_mask.compressed = true;
    p.mask_stretch = 0;
    p.mask_invert = 1;
    p.exit_actions = Actions(47, "x", "y");
    return p;
}

ProjectDescription FullDescription() {
    ProjectDescription d;
    Project& p = d.project;
    p.version = 25;
    ProjectHeader& h = p.header;
    h.drag_by_body = 0;
    h.backdrop_mode = 2;
    h.backdrop_enabled = 1;
    h.backdrop_colour = 0x123456;
    h.backdrop_width = 5;
    h.backdrop_height = 4;
    h.window_layer = 2;
    h.hide_taskbar = 1;
    h.lock_system_keys = 1;
    h.backdrop_image_present = 1;
    h.backdrop_image = RawPicture(PictureCoding::kPlain, 5, 4, 9);
    h.title = "Show \xE9t\xE9";
    h.has_caption = 1;
    h.border = 1;
    h.shaped_window = 1;
    h.client_width = 640;
    h.client_height = 480;
    h.low_colour_action = 2;
    h.low_colour_file = "<SrcDir>\\low.vkd";
    h.low_colour_page = "Low";
    h.top_most = 1;
    h.remember_position = 1;
    h.settings_section = "Section";
    h.ignore_palette = 0;
    h.no_background = 1;
    h.change_resolution = 1;
    h.resolution = 3;
    h.process_priority = 2;
    h.minimize_box = 0;
    h.flash_install_option = 7;
    h.desktop_mode = true;
    h.force_resolution = true;
    p.pages = {FullPage("First", 1), FullPage("Second", 10)};
    p.master_page = FullPage("Master", 20);
    p.master_layer = FullPage("Layer", 30);
    p.shape.shape_points = {{0, 0}, {640, 0}, {320, 480}};
    p.shape.shape_mask_present = 1;
    p.shape.shape_mask_width = 2;
    p.shape.shape_mask_height = 2;
    p.shape.shape_mask = {0, 255, 255, 0};
    EmbeddedFile text{10, "notes.txt", true, {'h', 'i', '\n'}, 3};
    EmbeddedFile sound{1, "..\\..\\sound.wav", false, {'R', 'I', 'F', 'F'}, 4};
    EmbeddedFile empty{11, "empty.bin", false, {}, 0};
    EmbeddedFile same_name{10, "NOTES.TXT", false, {'x'}, 1};
    p.embedded_files = {text, sound, empty, same_name};
    d.standalone = StandaloneSettings{true, "ShowMutex"};
    return d;
}

struct RoundTrip {
    std::string text;
    MemoryBlobs blobs;
    DescriptionResult result;
};

RoundTrip Through(const ProjectDescription& description, JsonWriteOptions options = {}) {
    RoundTrip trip;
    trip.text = FormatJson(ProjectToJson(description, trip.blobs, options));
    trip.result = ParseProjectJson(trip.text, trip.blobs);
    return trip;
}

TEST(ProjectJson, EveryFieldSurvivesWithAndWithoutDefaults) {
    const ProjectDescription original = FullDescription();
    for (bool omit : {false, true}) {
        RoundTrip trip = Through(original, {omit});
        ASSERT_TRUE(trip.result.description) << trip.result.error;
        EXPECT_EQ(*trip.result.description, original) << "omit_defaults=" << omit;
    }
}

TEST(ProjectJson, FreshRecordsSurviveAndLeaveOutTheirDefaults) {
    ProjectDescription original;
    headless::MemoryProfileStore profile;
    Page page;
    page.objects.push_back(MakeObject(profile));
    original.project.pages.push_back(page);

    for (bool omit : {false, true}) {
        RoundTrip trip = Through(original, {omit});
        ASSERT_TRUE(trip.result.description) << trip.result.error;
        EXPECT_EQ(*trip.result.description, original);
        EXPECT_TRUE(trip.blobs.Files().empty());
    }
    // Left out: everything but the identifying fields.
    MemoryBlobs blobs;
    Json json = ProjectToJson(original, blobs, {true});
    EXPECT_EQ(json["pages"][0]["objects"][0],
              Json::parse(R"({"kind":0,"name":"","rect":[0,0,0,0]})"));
    EXPECT_EQ(
        json["pages"][0],
        Json::parse(R"({"name":"Page 1","objects":[{"kind":0,"name":"","rect":[0,0,0,0]}]})"));
    EXPECT_FALSE(json.contains("master_page"));
    EXPECT_FALSE(json.contains("embedded_files"));
    // Written in full: every field of the record, absent pictures as null.
    Json full = ProjectToJson(original, blobs);
    const Json& object = full["pages"][0]["objects"][0];
    EXPECT_TRUE(object["image1"].is_null());
    EXPECT_EQ(object["visible"], 1);
    EXPECT_EQ(object["flag_a"], true);
    EXPECT_EQ(object["font"]["face_name"], "Arial");
    EXPECT_FALSE(object.contains("state"));  // run time, written only when set
}

TEST(ProjectJson, MissingFieldsTakeTheDefaultsOfFreshRecords) {
    MemoryBlobs blobs;
    DescriptionResult result = ParseProjectJson(
        R"({"pages": [{"objects": [{"kind": 1, "font": {"weight": 700}}]}],
            "master_page": {"background_colour": 0}})",
        blobs);
    ASSERT_TRUE(result.description) << result.error;
    const Project& project = result.description->project;
    EXPECT_EQ(project.version, kCurrentProjectVersion);
    EXPECT_EQ(project.header, ProjectHeader{});
    EXPECT_FALSE(result.description->standalone);

    headless::MemoryProfileStore profile;
    Object expected = MakeObject(profile);
    expected.kind = 1;
    expected.font.weight = 700;
    ASSERT_EQ(project.pages.size(), 1u);
    EXPECT_EQ(project.pages[0].name, "Page 1");
    EXPECT_EQ(project.pages[0].objects, std::vector<Object>{expected});
    EXPECT_EQ(project.master_page.name, "Master Page 000");
    EXPECT_EQ(project.master_page.background_colour, 0u);
    EXPECT_EQ(project.master_layer, Project{}.master_layer);
}

TEST(ProjectJson, StringsAreUtf8InTheDescription) {
    ProjectDescription d;
    d.project.header.title = "\x80 caf\xE9 \x81";  // euro, é, and an unassigned position
    MemoryBlobs blobs;
    Json json = ProjectToJson(d, blobs);
    EXPECT_EQ(json["header"]["title"], "\xE2\x82\xAC caf\xC3\xA9 \xC2\x81");

    DescriptionResult result = ParseProjectJson(R"({"header": {"title": "\u20ac \u4e2d"}})", blobs);
    ASSERT_TRUE(result.description) << result.error;
    EXPECT_EQ(result.description->project.header.title, "\x80 ?");
}

TEST(ProjectJson, PicturesAreWrittenAsTheirOwnFiles) {
    ProjectDescription d;
    Page page;
    headless::MemoryProfileStore profile;
    Object o = MakeObject(profile);
    o.image1 = ZlibPicture(3, 2, 1);
    o.image2 = JpegPicture(40, 30);  // a stored size that differs from the stream's own
    Picture broken_jpeg = JpegPicture(4, 4);
    broken_jpeg.bytes = {1, 2, 3};
    d.project.header.backdrop_image = broken_jpeg;
    Picture damaged = ZlibPicture(3, 2, 1);
    damaged.bytes.resize(damaged.bytes.size() / 2);
    o.image3 = damaged;
    Picture odd_size = RawPicture(PictureCoding::kRaw, 2, 2, 0);
    odd_size.bytes.pop_back();
    o.image4 = odd_size;
    page.objects.push_back(o);
    d.project.pages.push_back(page);

    MemoryBlobs blobs;
    Json json = ProjectToJson(d, blobs, {true});
    const Json& object = json["pages"][0]["objects"][0];
    EXPECT_EQ(object["image1"],
              Json::parse(R"({"file": "blobs/page0_object0_image1.png", "coding": "zlib",
                              "width": 3, "height": 2})"));
    auto png = DecodePng(*blobs.Load("blobs/page0_object0_image1.png"));
    ASSERT_TRUE(png);
    EXPECT_EQ(*png, Gradient(3, 2, 1));

    EXPECT_EQ(object["image2"]["file"], "blobs/page0_object0_image2.jpg");
    EXPECT_EQ(*blobs.Load("blobs/page0_object0_image2.jpg"), o.image2->bytes);
    EXPECT_EQ(object["image2"]["width"], 40);

    // What no PNG can hold exactly is kept as stored.
    EXPECT_EQ(object["image3"]["file"], "blobs/page0_object0_image3.bin");
    EXPECT_EQ(object["image3"]["size"], 18);
    EXPECT_EQ(object["image4"]["file"], "blobs/page0_object0_image4.bin");

    DescriptionResult back = ProjectFromJson(json, blobs);
    ASSERT_TRUE(back.description) << back.error;
    EXPECT_EQ(back.description->project, d.project);
}

TEST(ProjectJson, ImageFilesWithoutCodingTakeTheirNaturalForm) {
    MemoryBlobs blobs;
    RgbImage image = Gradient(5, 3, 2);
    std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(16, 8, 4));
    blobs.Put("a.png", EncodePng(image));
    blobs.Put("b.JPG", jpeg);
    DescriptionResult result = ParseProjectJson(
        R"({"pages": [{"background_image": "b.JPG",
                       "objects": [{"kind": 3, "image1": "a.png",
                                    "image2": {"file": "a.png", "coding": "raw"},
                                    "image3": {"file": "b.JPG", "coding": "plain"}}]}]})",
        blobs);
    ASSERT_TRUE(result.description) << result.error;
    const Page& page = result.description->project.pages[0];
    const Object& o = page.objects[0];

    ASSERT_TRUE(o.image1);
    EXPECT_EQ(o.image1->coding, PictureCoding::kZlib);
    EXPECT_EQ(o.image1->size, 45u);
    EXPECT_EQ(Inflate(o.image1->bytes, 45).bytes, image.pixels);
    EXPECT_EQ(o.image2->coding, PictureCoding::kRaw);
    EXPECT_EQ(o.image2->bytes, image.pixels);
    EXPECT_EQ(o.image3->coding, PictureCoding::kPlain);
    EXPECT_EQ(o.image3->width, 16);
    EXPECT_EQ(o.image3->bytes.size(), 16u * 8 * 3);

    ASSERT_TRUE(page.background_image);
    EXPECT_EQ(page.background_image->coding, PictureCoding::kJpeg);
    EXPECT_EQ(page.background_image->width, 16);
    EXPECT_EQ(page.background_image->height, 8);
    EXPECT_EQ(page.background_image->bytes, jpeg);
}

TEST(ProjectJson, ActionListsAreRecordsWithUnusualFieldsOnlyWhenSet) {
    ProjectDescription d;
    Page page;
    page.entry_actions = Actions(11, "Second", "");
    page.exit_actions = Actions(99, "", "x=1");
    page.exit_actions.records[0].spare_number = 3;
    page.exit_actions.end_marker = 7;
    d.project.pages.push_back(page);
    for (bool omit : {false, true}) {
        MemoryBlobs blobs;
        Json json = ProjectToJson(d, blobs, {omit});
        const Json& p = json["pages"][0];
        EXPECT_EQ(p["entry_actions"][0],
                  Json::parse(omit ? R"({"code": 11, "target": "Second", "argument_count": 1})"
                                   : R"({"code": 11, "target": "Second", "argument": "",
                                         "limit": "", "argument_count": 1})"));
        EXPECT_EQ(p["exit_actions"]["end_marker"], 7);
        EXPECT_EQ(p["exit_actions"]["records"][0]["spare_number"], 3);
    }
}

TEST(ProjectJson, NonFiniteNumbersKeepTheirBits) {
    ProjectDescription d;
    headless::MemoryProfileStore profile;
    Page page;
    for (double scale : {std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::quiet_NaN(), -0.0, 1e-310}) {
        Object o = MakeObject(profile);
        o.scale = scale;
        page.objects.push_back(o);
    }
    d.project.pages.push_back(page);
    RoundTrip trip = Through(d);
    ASSERT_TRUE(trip.result.description) << trip.result.error;
    const auto& objects = trip.result.description->project.pages[0].objects;
    ASSERT_EQ(objects.size(), page.objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(objects[i].scale),
                  std::bit_cast<std::uint64_t>(page.objects[i].scale));
    }
}

TEST(ProjectJson, OutputIsStableAndCompact) {
    const ProjectDescription original = FullDescription();
    RoundTrip first = Through(original);
    ASSERT_TRUE(first.result.description);
    RoundTrip second = Through(*first.result.description);
    EXPECT_EQ(first.text, second.text);
    EXPECT_EQ(first.blobs.Files(), second.blobs.Files());
    EXPECT_NE(first.text.find("\"rect\": [1, -2, 300, 400],\n"), std::string::npos);
    // Embedded names become harmless file names; equal names are told apart.
    EXPECT_TRUE(first.blobs.Load("embedded/notes.txt"));
    EXPECT_TRUE(first.blobs.Load("embedded/sound.wav"));
    EXPECT_TRUE(first.blobs.Load("embedded/NOTES_2.TXT"));
}

TEST(ProjectJson, UniqueBlobNamesIgnoreCase) {
    std::vector<std::string> taken;
    EXPECT_EQ(UniqueBlobName("blobs/a.png", taken), "blobs/a.png");
    EXPECT_EQ(UniqueBlobName("blobs/A.PNG", taken), "blobs/A_2.PNG");
    EXPECT_EQ(UniqueBlobName("blobs/a.png", taken), "blobs/a_3.png");
    EXPECT_EQ(UniqueBlobName("x.d/noext", taken), "x.d/noext");
    EXPECT_EQ(UniqueBlobName("x.d/noext", taken), "x.d/noext_2");
}

TEST(ProjectJson, ErrorsNameTheJsonPath) {
    struct Case {
        const char* json;
        const char* error;
    };
    const Case cases[] = {
        {R"([])", "(top): expected an object"},
        {R"({"pages": {}})", "pages: expected a list of pages"},
        {R"({"colour": 1})", "colour: unknown key"},
        {R"({"version": 0})", "version: expected a version other than 0"},
        {R"({"version": "27"})", "version: expected an integer from -2147483648 to 2147483647"},
        {R"({"header": {"client_width": -1}})",
         "header.client_width: expected an integer from 0 to 4294967295"},
        {R"({"header": {"client_width": 4294967296}})",
         "header.client_width: expected an integer from 0 to 4294967295"},
        {R"({"header": {"client_width": 1.5}})",
         "header.client_width: expected an integer from 0 to 4294967295"},
        {R"({"header": {"title": 5}})", "header.title: expected a string"},
        {R"({"header": {"desktop_mode": 1}})", "header.desktop_mode: expected true or false"},
        {R"({"pages": [{}, {"objects": [{}, {}, {}, {"rect": [1, 2, 3]}]}]})",
         "pages[1].objects[3].rect: expected 4 integers"},
        {R"({"pages": [{"objects": [{"rect": [1, 2, 3, "4"]}]}]})",
         "pages[0].objects[0].rect: expected 4 integers"},
        {R"({"pages": [{"objects": [{"kind": 2147483648}]}]})",
         "pages[0].objects[0].kind: expected an integer from -2147483648 to 2147483647"},
        {R"({"pages": [{"objects": [{"colr": 1}]}]})", "pages[0].objects[0].colr: unknown key"},
        {R"({"pages": [{"objects": [{"points_a": [[1, 2], [3]]}]}]})",
         "pages[0].objects[0].points_a[1]: expected 2 integers"},
        {R"({"pages": [{"objects": [{"lines": ["a", 2]}]}]})",
         "pages[0].objects[0].lines[1]: expected a string"},
        {R"({"pages": [{"objects": [{"font": {"italic": 256}}]}]})",
         "pages[0].objects[0].font.italic: expected an integer from 0 to 255"},
        {R"({"pages": [{"objects": [{"font": {"face": "Arial"}}]}]})",
         "pages[0].objects[0].font.face: unknown key"},
        {R"({"pages": [{"objects": [{"scale": "big"}]}]})",
         "pages[0].objects[0].scale: expected a number"},
        {R"({"pages": [{"objects": [{"image1": "missing.png"}]}]})",
         "pages[0].objects[0].image1.file: cannot read the file \"missing.png\""},
        {R"({"pages": [{"objects": [{"image1": {"coding": "zlib"}}]}]})",
         "pages[0].objects[0].image1.file: required"},
        {R"({"pages": [{"objects": [{"image1": {"file": "p.png", "coding": "lzw"}}]}]})",
         "pages[0].objects[0].image1.coding: expected one of \"plain\", \"stored\", \"zlib\", "
         "\"jpeg_raw\", \"jpeg\", \"raw\""},
        {R"({"pages": [{"objects": [{"image1": {"file": "p.png", "coding": "jpeg"}}]}]})",
         "pages[0].objects[0].image1.coding: a \"jpeg\" picture needs a .jpg file"},
        {R"({"pages": [{"objects": [{"image1": {"file": "p.png", "width": 3}}]}]})",
         "pages[0].objects[0].image1: width and height differ from the size of \"p.png\" (2x2)"},
        {R"({"pages": [{"objects": [{"image1": "p.txt"}]}]})",
         "pages[0].objects[0].image1.file: expected a .png, .jpg or .bin file"},
        {R"({"pages": [{"objects": [{"image1": "not_png.png"}]}]})",
         "pages[0].objects[0].image1.file: \"not_png.png\" is not a PNG file"},
        {R"({"pages": [{"objects": [{"image1": "not_png.jpg"}]}]})",
         "pages[0].objects[0].image1.file: \"not_png.jpg\" is not a JPEG file"},
        {R"({"pages": [{"objects": [{"image1": "raw.bin"}]}]})",
         "pages[0].objects[0].image1.coding: required for a .bin picture"},
        {R"({"pages": [{"objects": [{"image1": {"file": "raw.bin", "coding": "raw"}}]}]})",
         "pages[0].objects[0].image1: width and height are required for a .bin picture"},
        {R"({"pages": [{"objects": [{"metafile": {"header": "00"}}]}]})",
         "pages[0].objects[0].metafile.header: expected 48 hex digits"},
        {R"({"pages": [{"entry_actions": [{"code": 11, "target": 3}]}]})",
         "pages[0].entry_actions[0].target: expected a string"},
        {R"({"pages": [{"entry_actions": [{"code": 11, "spare_pair": [1]}]}]})",
         "pages[0].entry_actions[0].spare_pair: expected 2 integers"},
        {R"({"pages": [{"entry_actions": {"records": [], "marker": 1}}]})",
         "pages[0].entry_actions.marker: unknown key"},
        {R"({"pages": [{"exit_actions": "Page 2"}]})",
         "pages[0].exit_actions: expected a list of action records"},
        {R"({"pages": [{"transition_mask": {"bytes": 1}}]})",
         "pages[0].transition_mask.bytes: expected a string"},
        {R"({"master_layer": {"objects": [1]}})", "master_layer.objects[0]: expected an object"},
        {R"({"shape": {"shape_mask": "missing.bin"}})",
         "shape.shape_mask: cannot read the file \"missing.bin\""},
        {R"({"embedded_files": [{"file_type": 10, "path": "x"}]})",
         "embedded_files[0].path: unknown key"},
        {R"({"standalone": {"instance_name": "0123456789012345678901234567890123456789"}})",
         "standalone.instance_name: at most 38 characters"},
        {R"({"standalone": {"single_instance": "yes"}})",
         "standalone.single_instance: expected true or false"},
    };
    MemoryBlobs blobs;
    blobs.Put("p.png", EncodePng(Gradient(2, 2, 0)));
    blobs.Put("p.txt", {'x'});
    blobs.Put("not_png.png", {'x'});
    blobs.Put("not_png.jpg", {'x'});
    blobs.Put("raw.bin", {1, 2, 3});
    for (const Case& c : cases) {
        DescriptionResult result = ParseProjectJson(c.json, blobs);
        EXPECT_FALSE(result.description) << c.json;
        EXPECT_EQ(result.error, c.error) << c.json;
    }
}

TEST(ProjectJson, SyntaxErrorsNameTheLine) {
    MemoryBlobs blobs;
    DescriptionResult result = ParseProjectJson("{\n  \"pages\": [\n}", blobs);
    EXPECT_FALSE(result.description);
    EXPECT_NE(result.error.find("line 3"), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find("[json.exception"), std::string::npos) << result.error;
}

}  // namespace
}  // namespace velk
