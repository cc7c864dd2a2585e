// MCI objects: the command strings each verb sends, and when the device opens with a window.
#include <gtest/gtest.h>

#include "fake_playback.h"
#include "hosts/headless/virtual_clock.h"
#include "objects/mci/mci_object.h"

namespace velk {
namespace {

using testing::FakeMediaFiles;

class StringLog : public host::Observer {
  public:
    void MciCommand(std::string_view command, std::string_view reply) override {
        lines.push_back(std::string(command) + " -> " + std::string(reply));
    }
    std::vector<std::string> lines;
};

Object MciObject(std::string file, std::uint32_t opened) {
    Object object;
    object.kind = kKindMci;
    object.name = "Clip";
    object.text = std::move(file);
    object.rect = {10, 20, 110, 70};
    object.param2 = opened;
    return object;
}

TEST(MciObject, EachVerbSendsItsStrings) {
    using Lines = std::vector<std::string>;
    const Lines open_video = {
        "open Z:\\v.avi alias Clip style child parent 656932 -> 1",
        "put Clip window at 10 20 100 50 -> ",
        "window Clip state hide -> ",
    };
    const auto with = [](Lines lines, const Lines& more) {
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    };
    const struct {
        const char* file;
        std::uint32_t opened;
        const char* verb;
        Lines sent;
        std::uint32_t opened_after;
    } cases[] = {
        {"Z:\\v.avi", 0, "play", with(open_video, {"play Clip -> "}), 1},
        {"Z:\\v.avi", 0, "PAUSE", with(open_video, {"pause Clip -> "}), 1},
        {"Z:\\v.avi", 0, "Stop", with(open_video, {"stop Clip -> "}), 1},
        {"Z:\\v.avi", 0, "rewind", open_video, 1},  // any other verb only opens
        {"Z:\\v.avi", 0, "close", {}, 0},
        {"Z:\\s.wav", 0, "play", {"open Z:\\s.wav alias Clip -> 1", "play Clip -> "}, 1},
        // Opened before (the device is not there: its strings still go, replied to empty).
        {"Z:\\v.avi", 1, "play", {"play Clip -> "}, 1},
        {"Z:\\v.avi", 1, "close", {"stop Clip -> ", "close Clip -> "}, 0},
        {"", 0, "play", {}, 0},
        {"", 1, "close", {}, 1},
    };
    for (const auto& c : cases) {
        headless::VirtualClock clock;
        FakeMediaFiles files;
        files.Add("Z:\\v.avi", testing::VideoMedia());
        files.Add("Z:\\s.wav", testing::SoundMedia(1000));
        media::MciInterpreter mci(files.Opener(), clock);
        StringLog log;
        Object object = MciObject(c.file, c.opened);
        RunMciVerb(object, c.verb, object.text, {mci, log});
        EXPECT_EQ(log.lines, c.sent) << c.file << " " << c.verb;
        EXPECT_EQ(object.param2, c.opened_after) << c.file << " " << c.verb;
    }
}

TEST(MciObject, OnlyAWavFromTheThirdCharacterOpensWithoutAWindow) {
    const struct {
        const char* file;
        bool without_window;
    } cases[] = {
        {"ab.wav", true},     {"Z:\\Sounds\\Ding.WAV", true},
        {"xx.wav.avi", true}, {".wav", false},
        {"a.wav", false},     {"a.wave", false},
        {"song.mid", false},  {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpensWithoutWindow(c.file), c.without_window) << c.file;
    }
}

TEST(MciObject, ThePlayingDeviceStopsAndClosesWithItsObject) {
    headless::VirtualClock clock;
    FakeMediaFiles files;
    testing::FakeMedia& video = files.Add("Z:\\v.avi", testing::VideoMedia());
    media::MciInterpreter mci(files.Opener(), clock);
    StringLog log;
    Object object = MciObject("Z:\\v.avi", 0);
    RunMciVerb(object, "play", object.text, {mci, log});
    EXPECT_EQ(video.state, media::PlaybackState::kPlaying);
    ASSERT_EQ(mci.ShownWindows().size(), 1u);
    EXPECT_EQ(mci.ShownWindows()[0].rect, object.rect);
    RunMciVerb(object, "close", object.text, {mci, log});
    EXPECT_TRUE(mci.ShownWindows().empty());
    EXPECT_EQ(mci.Send("status Clip mode"), "");
}

}  // namespace
}  // namespace velk
