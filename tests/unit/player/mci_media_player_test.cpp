// MCI objects and MCICommand over real media made at test time: the device window's frames
// drawn over the page at their virtual times, the replies of a real device, and a sound that
// opens without a window.
#include <gtest/gtest.h>

#include "document/command_vocabulary.h"
#include "media_fixtures.h"
#include "player_test_host.h"
#include "script/variable_store.h"

namespace velk {
namespace {

using test::PlayerRig;
using test::TestFrameIndex;

constexpr Bgrx kBackground = 0x00FF00;

Object MciObject(std::string file, Rect rect) {
    Object object;
    object.kind = kKindMci;
    object.name = "Clip";
    object.text = std::move(file);
    object.rect = rect;
    return object;
}

ActionRecord MciCommand(std::string command) {
    ActionRecord record;
    record.code = kCmdMciCommand;
    record.target = std::move(command);
    record.argument_count = 1;
    return record;
}

// A page with the object; clicking the frame at (150, 0, 200, 20) runs `script`.
Project OnePage(Object mci, std::vector<ActionRecord> script = {}) {
    Project project;
    project.header.client_width = 200;
    project.header.client_height = 120;
    Page page;
    page.name = "One";
    page.background_colour = kBackground;
    page.objects.push_back(std::move(mci));
    Object button;
    button.kind = kKindFrame;
    button.name = "Ask";
    button.rect = {150, 0, 200, 20};
    button.extra_value2 = 1;
    button.actions_click.records = std::move(script);
    page.objects.push_back(std::move(button));
    project.pages.push_back(std::move(page));
    return project;
}

struct MediaRig : PlayerRig {
    // The frame shown at `point` now; -1 for none (the page's own colour).
    std::int32_t FrameAt(Point point) {
        player.Paint({0, 0, 200, 120});
        return TestFrameIndex(player.BackBuffer().At(point.x, point.y));
    }
    void Click(Point point) {
        player.OnPointer({PointerAction::kDown, point});
        player.OnPointer({PointerAction::kUp, point});
    }
};

TEST(MciMediaPlayer, TheDeviceWindowShowsEachFrameAtItsTimeOverTheObject) {
    MediaRig rig;
    rig.files.AddFile("Z:\\shows\\clip.avi",
                      test::MakeTestVideo({.width = 64, .height = 48, .fps = 10, .frames = 20}));
    // Twice the video's size: the frames are stretched to the window.
    ASSERT_TRUE(rig.Start(OnePage(MciObject("<SrcDir>\\clip.avi", {10, 20, 138, 116}))));
    EXPECT_EQ(rig.observer.log.front(),
              "mci open Z:\\shows\\clip.avi alias Clip style child parent 656932 -> 1");
    const struct {
        std::uint32_t at_ms;
        std::int32_t frame;
    } times[] = {{0, 0}, {350, 3}, {1250, 12}, {1950, 19}, {2600, 19}};  // the last one stays
    std::uint32_t now = 0;
    for (const auto& t : times) {
        rig.Wait(t.at_ms - now);
        now = t.at_ms;
        EXPECT_EQ(rig.FrameAt({12, 22}), t.frame) << t.at_ms;
        EXPECT_EQ(rig.FrameAt({136, 114}), t.frame) << t.at_ms;
        EXPECT_EQ(rig.player.BackBuffer().At(9, 22), kBackground) << t.at_ms;
        EXPECT_EQ(rig.player.BackBuffer().At(138, 114), kBackground) << t.at_ms;
    }
}

TEST(MciMediaPlayer, MciResultHoldsTheRealDevicesReplies) {
    const struct {
        const char* command;
        double result;
    } steps[] = {
        {"open <SrcDir>\\clip.avi alias V", 1},  // the device number
        {"status V length", 2000},
        {"set V time format frames", 0},
        {"status V length", 20},
        {"play V", 0},
        {"status V mode", -2},
        {"stop V", 0},
        {"status V mode", -1},
        {"status V position", 2},  // played 200 ms at ten frames a second, held by stop
        {"close V", 0},
        {"status V mode", 0},
    };
    MediaRig rig;
    rig.files.AddFile(
        "Z:\\shows\\clip.avi",
        test::MakeTestVideo(
            {.width = 64, .height = 48, .fps = 10, .frames = 20, .with_audio = false}));
    // A button a step, ten pixels high, down the page's right side.
    Project project = OnePage(MciObject("", {0, 0, 0, 0}));
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        Object button;
        button.kind = kKindFrame;
        button.name = "Step" + std::to_string(i);
        button.rect = {150, std::int32_t(i * 10), 200, std::int32_t(i * 10 + 10)};
        button.extra_value2 = 1;
        button.actions_click.records = {MciCommand(steps[i].command)};
        project.pages[0].objects.push_back(std::move(button));
    }
    ASSERT_TRUE(rig.Start(std::move(project)));
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        rig.Click({160, std::int32_t(i * 10 + 5)});
        rig.Wait(100);
        EXPECT_EQ(rig.player.Variables().GetNumber("MCIResult"), steps[i].result)
            << steps[i].command;
    }
}

TEST(MciMediaPlayer, AWavObjectPlaysWithoutAWindow) {
    MediaRig rig;
    rig.files.AddFile("Z:\\shows\\ding.wav", test::MakeTestWav(500));
    ASSERT_TRUE(rig.Start(OnePage(MciObject("<SrcDir>\\ding.wav", {10, 20, 74, 68}),
                                  {MciCommand("status Clip mode")})));
    EXPECT_EQ(rig.observer.log.front(), "mci open Z:\\shows\\ding.wav alias Clip -> 1");
    rig.Click({160, 10});
    EXPECT_EQ(rig.player.Variables().GetNumber("MCIResult"), -2);
    EXPECT_EQ(rig.FrameAt({40, 40}), -1);
    rig.Wait(800);
    rig.Click({160, 10});
    EXPECT_EQ(rig.player.Variables().GetNumber("MCIResult"), -1);
}

TEST(MciMediaPlayer, PlayWaitReturnsWhenPlayingEnded) {
    MediaRig rig;
    rig.files.AddFile("Z:\\shows\\clip.avi",
                      test::MakeTestVideo({.width = 64, .height = 48, .fps = 10, .frames = 20}));
    ASSERT_TRUE(rig.Start(
        OnePage(MciObject("", {0, 0, 0, 0}),
                {MciCommand("open <SrcDir>\\clip.avi alias V"),
                 MciCommand("play V from 500 to 1500 wait"), MciCommand("status V position")})));
    const std::uint32_t before = rig.clock.TickCount();
    rig.Click({160, 10});
    EXPECT_GE(rig.clock.TickCount() - before, 1000u);
    EXPECT_EQ(rig.player.Variables().GetNumber("MCIResult"), 1500);
    EXPECT_EQ(rig.FrameAt({5, 5}), 15);
}

}  // namespace
}  // namespace velk
