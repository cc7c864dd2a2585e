// `velk run`: the failures a user meets first, by exit code and message. Playing itself is
// covered by the scenarios of tests/scenarios.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "codec/png_codec.h"
#include "image_test_writers.h"
#include "tool_test_fixture.h"

namespace velk {
namespace {

class VelkRun : public ToolTest {
  protected:
    void BuildProject() {
        std::ofstream(work() / "project.json") << R"({
  "header": {"client_width": 20, "client_height": 10},
  "pages": [{"name": "Only", "entry_actions": [{"code": 27, "target": "100"}]}]
})";
        ToolRun built = Velk("build project.json -o show.vkd");
        ASSERT_EQ(built.exit_code, 0) << built.err;
    }
};

TEST_F(VelkRun, ABadEventLineStopsBeforePlayingWithItsNumber) {
    BuildProject();
    std::ofstream(work() / "events.txt") << "# fine\nwait 10\nclick 1\n";
    ToolRun run = Velk("run show.vkd --events events.txt");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("events.txt: line 3: \"click\" takes X and Y"), std::string::npos)
        << run.err;
}

TEST_F(VelkRun, AFileThatIsNoProjectFailsWithTheReadersMessageInTheLog) {
    std::ofstream(work() / "junk.vkd") << "not a project";
    ToolRun run = Velk("run junk.vkd");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.out.find("t=0 msgbox \"Velk Player\" \"The file "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("junk.vkd is not a VKD file!\" -> ok\n"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("cannot play junk.vkd"), std::string::npos) << run.err;
}

TEST_F(VelkRun, WithoutEventsThePresentationPlaysToItsEndIntoTheLogFile) {
    BuildProject();
    ToolRun run = Velk("run show.vkd --log logs/run.log");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(ReadText(work() / "logs/run.log"), "t=0 page \"Only\"\nt=100 end\n");
}

// A project in a folder whose name the code page cannot hold (Cyrillic, CJK, an emoji): it
// plays, its pictures beside it are found, and messages name its files as they are on the disk.
TEST_F(VelkRun, AProjectInAFolderNamedOutsideTheCodePagePlaysWithItsPictures) {
    const std::string folder = "\u0428\u043e\u0443 \u5317\u4eac \U0001F600";
    std::filesystem::create_directories(work() / folder / "Images");
    test::TestBmp red(4, 4, 24);
    for (int i = 0; i < 16; ++i) red.data.insert(red.data.end(), {0, 0, 255});
    std::ofstream(work() / folder / "Images/pic.bmp", std::ios::binary) << [&] {
        const auto bytes = test::WriteTestBmp(red);
        return std::string(bytes.begin(), bytes.end());
    }();
    std::ofstream(work() / "project.json") << R"({
  "header": {"client_width": 20, "client_height": 10},
  "pages": [{"name": "Only", "objects": [
    {"kind": 3, "name": "Pic", "rect": [4, 2, 8, 6], "param2": 1, "text": "PIC.bmp"}]}]
})";
    ToolRun built = Velk("build project.json -o '" + folder + "/show.vkd'");
    ASSERT_EQ(built.exit_code, 0) << built.err;
    std::ofstream(work() / "events.txt") << "shot first\nquit\n";

    ToolRun run = Velk("run '" + folder + "/show.vkd' --events events.txt --shots shots");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "t=0 page \"Only\"\n") << run.out;
    const std::string png = ReadText(work() / "shots/first.png");
    const auto shot =
        DecodePng(std::span(reinterpret_cast<const std::uint8_t*>(png.data()), png.size()));
    ASSERT_TRUE(shot);
    const auto pixel = [&](int x, int y) {
        const auto at = static_cast<std::size_t>((y * shot->width + x) * 3);
        return std::vector<int>{shot->pixels[at], shot->pixels[at + 1], shot->pixels[at + 2]};
    };
    EXPECT_EQ(pixel(5, 3), (std::vector<int>{255, 0, 0}));

    std::ofstream(work() / folder / "junk.vkd") << "not a project";
    run = Velk("run '" + folder + "/junk.vkd'");
    EXPECT_EQ(run.exit_code, 1);
    const std::string shown = (work() / folder / "junk.vkd").string();
    EXPECT_NE(run.out.find("\"The file " + shown + " is not a VKD file!\""), std::string::npos)
        << run.out;
}

// What a run sounded goes to a WAV file: exactly the frames of its virtual time, with the
// greeting in them, and the same bytes every time.
TEST_F(VelkRun, TheSoundOfARunGoesToAWavFileByTheVirtualClock) {
    std::ofstream(work() / "project.json") << R"json({
  "header": {"client_width": 20, "client_height": 10},
  "pages": [{"name": "Only", "entry_actions": "InitTTS()\nSay(\"Hello there\")"}]
})json";
    ToolRun built = Velk("build project.json -o show.vkd");
    ASSERT_EQ(built.exit_code, 0) << built.err;
    std::ofstream(work() / "events.txt") << "wait 2500\nquit\n";
    for (const char* name : {"one.wav", "two.wav"}) {
        ToolRun run = Velk(std::string("run show.vkd --events events.txt --audio sound/") + name);
        ASSERT_EQ(run.exit_code, 0) << run.err;
        EXPECT_NE(run.out.find("speak \"Hello there\""), std::string::npos) << run.out;
    }
    const std::string one = ReadText(work() / "sound/one.wav");
    ASSERT_EQ(one.size(), 44u + 2500 * 441 / 10 * 4);
    EXPECT_EQ(one, ReadText(work() / "sound/two.wav"));
    std::size_t sounding = 0;
    for (std::size_t i = 44; i + 1 < one.size(); i += 2) sounding += one[i] != 0 || one[i + 1] != 0;
    EXPECT_GT(sounding, 44100u / 2) << "half a second of the greeting at least";
}

}  // namespace
}  // namespace velk
