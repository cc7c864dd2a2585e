// Runs the velk binary on descriptions and projects made inside each test.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "codec/jpeg_codec.h"
#include "codec/png_codec.h"
#include "document/project_json.h"
#include "tool_test_fixture.h"

namespace velk {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, std::string_view text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    WriteText(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Every file under a folder, by relative path, with its contents.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).generic_string()] = ReadText(entry.path());
        }
    }
    return files;
}

RgbImage Gradient(std::int32_t width, std::int32_t height) {
    RgbImage image{width, height, {}};
    for (std::int32_t i = 0; i < width * height * 3; ++i) {
        image.pixels.push_back(static_cast<std::uint8_t>(i * 13));
    }
    return image;
}

class VelkTool : public ToolTest {
  protected:
    // A description that uses every kind of file: PNG and JPEG pictures, a shape mask, GIF data,
    // a metafile, a transition mask and embedded files.
    void WriteShowcase(const std::string& extra_top_level = "") {
        WriteBytes(work() / "src/photo.jpg", EncodeJpeg(Gradient(16, 8)));
        WriteBytes(work() / "src/button.png", EncodePng(Gradient(5, 4)));
        WriteText(work() / "src/mask.bin", std::string("\x00\xff\xff\x00", 4));
        WriteText(work() / "src/anim.bin", "\x01\x00\x00\x00GIF89a");
        WriteText(work() / "src/picture.emf", "EMF data");
        WriteText(work() / "src/readme.txt", "Read me\n");
        WriteText(work() / "src/project.json", R"({
  "version": 27,)" + extra_top_level + R"(
  "header": {"title": "Showcase \u00e9", "client_width": 320, "client_height": 240},
  "pages": [
    {"name": "Start", "background_image": "photo.jpg",
     "transition_mask": {"bytes": "mask.bin", "compressed": true},
     "entry_actions": [{"code": 99, "argument": "n=1"}],
     "objects": [
       {"kind": 5, "name": "Button", "rect": [10, 10, 15, 14], "image1": "button.png",
        "image2": {"file": "button.png", "coding": "raw"}, "image4": "photo.jpg",
        "actions_click": [{"code": 11, "target": "End", "argument_count": 1}]},
       {"kind": 16, "name": "Anim", "rect": [0, 0, 8, 8], "gif_data": "anim.bin"},
       {"kind": 14, "name": "Meta", "rect": [0, 0, 8, 8],
        "metafile": {"header": "000102030405060708090a0b0c0d0e0f1011121314151617",
                     "data": "picture.emf"}}]},
    {"name": "End", "objects": [{"kind": 1, "name": "Bye", "rect": [0, 0, 50, 20], "text": "Bye"}]}
  ],
  "shape": {"shape_mask_present": 1, "shape_mask_width": 2, "shape_mask_height": 2,
            "shape_mask": "mask.bin"},
  "embedded_files": [
    {"file_type": 10, "file_name": "readme.txt", "compressed": true, "data": "readme.txt"},
    {"file_type": 1, "file_name": "..\\..\\ding.wav", "data": "readme.txt"}
  ]
})");
    }
};

TEST_F(VelkTool, BuildDumpBuildIsAFixedPoint) {
    WriteShowcase();
    ToolRun built = Velk("build src/project.json -o show.vkd");
    ASSERT_EQ(built.exit_code, 0) << built.err;
    ToolRun dumped = Velk("dump show.vkd");
    ASSERT_EQ(dumped.exit_code, 0) << dumped.err;
    EXPECT_EQ(dumped.out, "2 pages, 4 objects, 2 embedded files\n");
    ASSERT_TRUE(fs::exists(work() / "show_dump/project.json"));

    ASSERT_EQ(Velk("build show_dump/project.json -o again.vkd").exit_code, 0);
    EXPECT_EQ(ReadText(work() / "show.vkd"), ReadText(work() / "again.vkd"));

    ASSERT_EQ(Velk("dump again.vkd -o second").exit_code, 0);
    EXPECT_EQ(Tree(work() / "show_dump"), Tree(work() / "second"));

    // The short form describes the same project.
    ASSERT_EQ(Velk("dump show.vkd -o short --omit-defaults").exit_code, 0);
    EXPECT_LT(ReadText(work() / "short/project.json").size(),
              ReadText(work() / "second/project.json").size());
    ASSERT_EQ(Velk("build short/project.json -o third.vkd").exit_code, 0);
    EXPECT_EQ(ReadText(work() / "show.vkd"), ReadText(work() / "third.vkd"));

    // A second dump into the same place replaces the first; no staging folder stays behind.
    ASSERT_EQ(Velk("dump again.vkd -o second").exit_code, 0);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(work())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"again.vkd", "second", "short", "show.vkd",
                                               "show_dump", "src", "third.vkd"}));
}

// Files of older versions are converted while they are read (lines shrink, buttons get new
// colours), so only current-version descriptions are held to the fixed point.
TEST_F(VelkTool, DescriptionsUnderTestDataBuildAndDump) {
    for (const auto& entry : fs::directory_iterator(fs::path(VELK_SOURCE_DIR) / "tests/data")) {
        if (entry.path().extension() != ".json") continue;
        SCOPED_TRACE(entry.path().string());
        ToolRun built = Velk("build '" + entry.path().string() + "' -o a.vkd");
        ASSERT_EQ(built.exit_code, 0) << built.err;
        ToolRun dumped = Velk("dump a.vkd -o dump");
        ASSERT_EQ(dumped.exit_code, 0) << dumped.err;
        auto version = Json::parse(ReadText(entry.path())).value("version", kCurrentProjectVersion);
        EXPECT_EQ(Json::parse(ReadText(work() / "dump/project.json"))["version"], version);
        if (version != kCurrentProjectVersion) continue;
        ASSERT_EQ(Velk("build dump/project.json -o b.vkd").exit_code, 0);
        EXPECT_EQ(ReadText(work() / "a.vkd"), ReadText(work() / "b.vkd"));
    }
}

TEST_F(VelkTool, StandaloneKeepsItsPlayerAndTrailer) {
    WriteShowcase(R"(
  "standalone": {"single_instance": true, "instance_name": "ShowcaseLock"},)");
    fs::copy_file("/bin/true", work() / "player");
    ToolRun built = Velk("build src/project.json -o show --standalone player");
    ASSERT_EQ(built.exit_code, 0) << built.err;

    std::string player = ReadText(work() / "player");
    std::string show = ReadText(work() / "show");
    ASSERT_GT(show.size(), player.size());
    EXPECT_EQ(show.substr(0, player.size()), player);
    EXPECT_EQ(show.substr(show.size() - 63, 11), "ONEINSTANCE");
    EXPECT_EQ(show.substr(show.size() - 14, 10), "STANDALONE");
    struct stat info {};
    ASSERT_EQ(::stat((work() / "show").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR);
    // The player still runs with the project appended.
    EXPECT_EQ(std::system(("'" + (work() / "show").string() + "'").c_str()), 0);

    ToolRun dumped = Velk("dump show -o dump");
    ASSERT_EQ(dumped.exit_code, 0) << dumped.err;
    auto json = Json::parse(ReadText(work() / "dump/project.json"));
    EXPECT_EQ(json["standalone"],
              Json::parse(R"({"single_instance": true, "instance_name": "ShowcaseLock"})"));
    ASSERT_EQ(Velk("build dump/project.json -o again --standalone player").exit_code, 0);
    EXPECT_EQ(ReadText(work() / "again"), show);

    // Without --standalone the same description gives a plain project file.
    ASSERT_EQ(Velk("build dump/project.json -o plain.vkd").exit_code, 0);
    EXPECT_EQ(ReadText(work() / "plain.vkd").substr(0, 12), "\x0bVellumkit27");
}

TEST_F(VelkTool, ExtractWritesEmbeddedFilesUnderSafeNames) {
    WriteShowcase();
    ASSERT_EQ(Velk("build src/project.json -o show.vkd").exit_code, 0);
    ToolRun run = Velk("extract show.vkd out/files");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "2 embedded files written to out/files\n");
    EXPECT_EQ(Tree(work() / "out"),
              (std::map<std::string, std::string>{{"files/readme.txt", "Read me\n"},
                                                  {"files/ding.wav", "Read me\n"}}));
}

TEST_F(VelkTool, OtherVersionsAreWrittenInTheirOwnLayout) {
    // Up to version 12 the magic string opens the file; later ones sit inside the compressed
    // layer, and versions above the current one are read with the current layout.
    const std::pair<int, std::string> cases[] = {{2, "\x0aVellumkit2"},
                                                 {10, "\x0bVellumkit10"},
                                                 {12, "\x0bVellumkit12"},
                                                 {13, "\x0bVellumkit27"},
                                                 {30, "\x0bVellumkit27"}};
    for (const auto& [version, start] : cases) {
        SCOPED_TRACE(version);
        WriteText(work() / "old.json", R"({"version": )" + std::to_string(version) +
                                           R"(, "pages": [{"name": "Only",
                   "objects": [{"kind": 1, "name": "T", "rect": [0, 0, 9, 9]}]}]})");
        ASSERT_EQ(Velk("build old.json -o old.vkd").exit_code, 0);
        EXPECT_EQ(ReadText(work() / "old.vkd").substr(0, start.size()), start);
        ASSERT_EQ(Velk("dump old.vkd -o dump").exit_code, 0);
        auto json = Json::parse(ReadText(work() / "dump/project.json"));
        EXPECT_EQ(json["version"], version);
        EXPECT_EQ(json["pages"][0]["objects"][0]["name"], "T");
    }
}

TEST_F(VelkTool, BadInputFailsWithTheReadersMessageAndWritesNothing) {
    WriteText(work() / "x.vkd", "this is not a project at all");
    // A trailer whose payload does not start with the project magic.
    WriteText(work() / "fake.exe",
              std::string(80, '.') + "STANDALONE" + std::string("\x40\0\0\0", 4));
    WriteText(work() / "bad.json", R"({"pages": [{"objects": [{"rect": [1, 2]}]}]})");
    WriteText(work() / "odd.json", "{\n  \"pages\": [\n}");
    WriteText(work() / "dump/notes.txt", "mine");
    const auto before = Tree(work());

    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"dump x.vkd", "The file x.vkd is not a VKD file!\n"},
        {"dump x.vkd -o out", "The file x.vkd is not a VKD file!\n"},
        {"extract x.vkd out", "The file x.vkd is not a VKD file!\n"},
        {"dump missing.vkd", "Cannot find the file\nmissing.vkd\n"},
        {"dump fake.exe", "Corrupted Stand Alone file (2)\n"},
        {"build bad.json -o out.vkd",
         "velk: bad.json: pages[0].objects[0].rect: expected 4 integers\n"},
        {"build missing.json -o out.vkd", "velk: cannot read missing.json\n"},
        {"build bad.json -o out.vkd --standalone missing-player",
         "velk: bad.json: pages[0].objects[0].rect: expected 4 integers\n"},
    };
    for (const Case& c : cases) {
        ToolRun run = Velk(c.args);
        EXPECT_EQ(run.exit_code, 1) << c.args;
        EXPECT_EQ(run.err, c.message) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
    }
    ToolRun syntax = Velk("build odd.json -o out.vkd");
    EXPECT_EQ(syntax.exit_code, 1);
    EXPECT_NE(syntax.err.find("line 3"), std::string::npos) << syntax.err;

    // A folder that holds something else is never replaced by a dump.
    WriteShowcase();
    ASSERT_EQ(Velk("build src/project.json -o good.vkd").exit_code, 0);
    ToolRun refused = Velk("dump good.vkd -o dump");
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_EQ(refused.err, "velk: dump holds more than an earlier dump; not replacing it\n");
    EXPECT_EQ(ReadText(work() / "dump/notes.txt"), "mine");

    fs::remove(work() / "good.vkd");
    fs::remove_all(work() / "src");
    EXPECT_EQ(Tree(work()), before);
}

}  // namespace
}  // namespace velk
