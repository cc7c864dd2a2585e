// Video objects in the running player, with media files made by FFmpeg's own encoders: the
// frame due at each virtual time shows over the object's rectangle (scaled to it) where no
// object above covers it, the end reaches the object's list, and leaving the
// page closes the video.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/command_vocabulary.h"
#include "media_fixtures.h"
#include "player_test_host.h"

namespace velk {
namespace {

ActionRecord Command(std::int32_t code, std::string target, std::string argument = {}) {
    ActionRecord record;
    record.code = code;
    record.target = std::move(target);
    record.argument = std::move(argument);
    record.argument_count = argument.empty() ? 1 : 2;
    return record;
}

Object MakeObject(std::int32_t kind, std::string name, Rect rect) {
    Object object;
    object.kind = kind;
    object.name = std::move(name);
    object.rect = rect;
    return object;
}

// Ten frames of 100 ms, 32 x 24, shown at twice their size at (10, 10); it reports its events.
Object Clip() {
    Object clip = MakeObject(kKindVideo, "Clip", {10, 10, 74, 58});
    clip.text = "<SrcDir>\\clip.avi";
    clip.option3 = 4;
    clip.option6 = 1000;
    clip.actions_5.records = {Command(kCmdShow, "EndMark")};
    return clip;
}

struct VideoPlayerRig : test::PlayerRig {
    bool Start(std::vector<Object> objects) {
        files.AddFile(
            "Z:\\shows\\clip.avi",
            test::MakeTestVideo(
                {.width = 32, .height = 24, .fps = 10, .frames = 10, .with_audio = false}));
        Project project;
        project.header.client_width = 160;
        project.header.client_height = 80;
        Page page;
        page.name = "One";
        page.background_colour = 0xC0C0C0;
        page.objects = std::move(objects);
        page.entry_actions.records = {Command(kCmdVideoPlay, "Clip")};
        project.pages.push_back(std::move(page));
        Page second;
        second.name = "Two";
        project.pages.push_back(std::move(second));
        return PlayerRig::Start(std::move(project));
    }
    // The frame shown at (x, y); -1 for none.
    std::int32_t FrameAt(std::int32_t x, std::int32_t y) {
        player.Paint();
        return test::TestFrameIndex(player.BackBuffer().At(x, y));
    }
    Bgrx At(std::int32_t x, std::int32_t y) {
        player.Paint();
        return player.BackBuffer().At(x, y);
    }
};

TEST(VideoPlayer, ShowsTheFrameDueAtEachVirtualTime) {
    VideoPlayerRig rig;
    ASSERT_TRUE(rig.Start({Clip()}));
    // The entry actions run 10 ms after entry.
    rig.Wait(60);
    EXPECT_EQ(rig.FrameAt(40, 30), 0);
    rig.Wait(200);
    EXPECT_EQ(rig.FrameAt(40, 30), 2);
    // Scaled over the whole rectangle and no further.
    EXPECT_EQ(rig.FrameAt(10, 10), 2);
    EXPECT_EQ(rig.FrameAt(73, 57), 2);
    EXPECT_EQ(rig.At(74, 30), BgrxFromColorRef(0xC0C0C0));
    rig.Wait(400);
    EXPECT_EQ(rig.FrameAt(40, 30), 6);
}

TEST(VideoPlayer, EndHoldsTheLastFrameAndRunsTheEndList) {
    VideoPlayerRig rig;
    Object mark = MakeObject(kKindFrame, "EndMark", {100, 10, 120, 30});
    mark.initially_hidden = mark.hidden = 1;
    mark.colour1 = mark.colour2 = 0x0000FF;
    ASSERT_TRUE(rig.Start({Clip(), mark}));
    rig.Wait(900);
    EXPECT_EQ(rig.At(110, 20), BgrxFromColorRef(0xC0C0C0));
    // The end is heard at the next poll of timer 502 after it.
    rig.Wait(1100);
    EXPECT_EQ(rig.FrameAt(40, 30), 9);
    EXPECT_NE(rig.At(110, 20), BgrxFromColorRef(0xC0C0C0));
}

TEST(VideoPlayer, ObjectsAboveCoverIt) {
    VideoPlayerRig rig;
    Object cover = MakeObject(kKindFrame, "Cover", {50, 40, 90, 70});
    cover.colour1 = cover.colour2 = 0x00FF00;
    ASSERT_TRUE(rig.Start({Clip(), cover}));
    rig.Wait(160);
    EXPECT_EQ(rig.FrameAt(40, 30), 1);
    EXPECT_EQ(rig.FrameAt(49, 39), 1);
    EXPECT_NE(rig.At(60, 50), rig.At(40, 30));
}

// End mode 3: the end goes to the next page, which closes the video.
TEST(VideoPlayer, EndGoesToTheNextPageWhichClosesTheVideo) {
    VideoPlayerRig rig;
    Object clip = Clip();
    clip.option3 = 3;
    ASSERT_TRUE(rig.Start({clip}));
    rig.Wait(2000);
    EXPECT_EQ(rig.player.CurrentPageName(), "Two");
    const std::vector<std::string> expected = {
        "page One",         "video Clip load <SrcDir>\\clip.avi",
        "video Clip play",  "video Clip end",
        "video Clip close", "page Two"};
    EXPECT_EQ(rig.observer.log, expected);
}

}  // namespace
}  // namespace velk
