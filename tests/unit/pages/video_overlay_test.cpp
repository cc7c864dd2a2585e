// The picture of a video over the page: where it shows (its rectangle cut by its mask and by
// the objects above it, nothing while hidden, everything in full screen) and how its frame is
// scaled into it.
#include "pages/video_overlay.h"

#include <gtest/gtest.h>

#include "fake_video_playback.h"
#include "hosts/headless/recording_ui.h"
#include "hosts/headless/virtual_clock.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

// A still picture of one pixel.
Picture OneByOne() {
    Picture picture;
    picture.width = picture.height = 1;
    picture.bytes = {1, 2, 3};
    return picture;
}

// A 32 x 24 video at (10, 10) whose mask keeps its left half, under a text at (10, 10, 20, 20).
struct OverlayRig {
    OverlayRig() {
        Object video;
        video.kind = kKindVideo;
        video.name = "Clip";
        video.rect = {10, 10, 42, 34};
        Picture mask;
        mask.width = 32;
        mask.height = 24;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 32; ++x) {
                // The first byte decides; the others must not.
                const std::uint8_t inside = x < 16 ? 200 : 127;
                mask.bytes.insert(mask.bytes.end(), {inside, 255, 255});
            }
        }
        video.image3 = mask;
        Object cover;
        cover.kind = kKindText;
        cover.name = "Cover";
        cover.rect = {10, 10, 20, 20};
        Page page;
        page.name = "One";
        page.objects = {video, cover};
        project.pages.push_back(page);
        pages = std::make_unique<PageManager>(project);
        window.playback = std::make_unique<test::FakePlayback>(clock, test::FakeVideoInfo());
        window.state = VideoState::kPlaying;
        window.shown = true;
    }
    Page& OnePage() { return project.pages[0]; }
    Object& Video() { return OnePage().objects[0]; }
    Region Visible() {
        return VideoVisibleRegion(*pages, OnePage(), Video(), window, {100, 80}, pictures);
    }

    headless::RecordingUi ui;
    PictureCache pictures{ui};
    headless::VirtualClock clock;
    Project project;
    std::unique_ptr<PageManager> pages;
    VideoWindow window;
};

TEST(VideoOverlay, ShowsWithinItsMaskWhereNothingCoversIt) {
    OverlayRig rig;
    const Region visible = rig.Visible();
    const std::pair<Point, bool> cases[] = {
        {{21, 15}, true},   // beside the cover, inside the mask
        {{15, 15}, false},  // under the cover
        {{15, 25}, true},   // below the cover
        {{25, 33}, true},   // last row, last column kept by the mask
        {{26, 15}, false},  // outside the mask
        {{10, 34}, false},  // below the rectangle
        {{9, 25}, false},   // left of it
    };
    for (const auto& [point, shows] : cases) {
        EXPECT_EQ(visible.Contains(point), shows) << point.x << "," << point.y;
    }
}

TEST(VideoOverlay, HiddenShowsNothingFullScreenShowsEverywhere) {
    OverlayRig rig;
    rig.window.full_screen = true;
    EXPECT_EQ(rig.Visible(), Region(Rect{0, 0, 100, 80}));
    rig.Video().hidden = 1;
    EXPECT_TRUE(rig.Visible().IsEmpty());
}

TEST(VideoOverlay, PictureByState) {
    struct Case {
        VideoState state;
        bool shown;
        bool own_still;
        bool picture;
    };
    const Case cases[] = {
        {VideoState::kLoaded, false, false, true},  // the first frame stands for the still
        {VideoState::kLoaded, false, true, false},  // the object's still shows instead
        {VideoState::kPlaying, true, true, true},    {VideoState::kPaused, true, false, true},
        {VideoState::kEnded, false, false, false},  // hidden at its end
        {VideoState::kNoVideo, false, false, false},
    };
    for (const Case& c : cases) {
        OverlayRig rig;
        rig.window.state = c.state;
        rig.window.shown = c.shown;
        if (c.own_still) rig.Video().image1 = OneByOne();
        EXPECT_EQ(VideoPicture(rig.Video(), rig.window) != nullptr, c.picture)
            << static_cast<int>(c.state);
    }
}

TEST(VideoOverlay, FrameIsScaledToTheWindowWithinTheVisibleArea) {
    Surface frame(2, 1);
    frame.Set(0, 0, MakeBgrx(255, 0, 0));
    frame.Set(1, 0, MakeBgrx(0, 0, 255));
    Surface target(6, 3);
    Region visible(Rect{0, 0, 6, 3});
    visible = visible.Subtract(Region(Rect{3, 1, 4, 2}));
    PaintVideoFrame(target, frame, {0, 0, 4, 2}, visible);
    const Bgrx red = MakeBgrx(255, 0, 0), blue = MakeBgrx(0, 0, 255), none = 0;
    const Bgrx expected[3][6] = {{red, red, blue, blue, none, none},
                                 {red, red, blue, none, none, none},
                                 {none, none, none, none, none, none}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) EXPECT_EQ(target.At(x, y), expected[y][x]) << x << "," << y;
    }
}

}  // namespace
}  // namespace velk
