// A Panorama in the running player: made at page entry, drawn over the page where nothing
// covers it, turned by dragging on its own 50 ms timer, its hot spot running another object's
// click actions, and gone with its page.
#include <gtest/gtest.h>

#include "document/command_vocabulary.h"
#include "image_test_writers.h"
#include "objects/panorama/panorama_view.h"
#include "player_test_host.h"
#include "script/variable_store.h"

namespace velk {
namespace {

using test::PlayerRig;

constexpr std::uint32_t kBackground = 0x0000FF;  // red

// 800 x 40, grey in bands 8 columns wide: band b is grey 2b. Flat 8 x 8 blocks come back from
// the JPEG coder exactly.
std::vector<std::uint8_t> BandedJpeg() {
    std::vector<std::uint8_t> grey;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 800; ++x) grey.push_back(std::uint8_t(x / 8 * 2));
    }
    return test::EncodeTestJpeg(800, 40, 1, grey, false, 100);
}

// The colour picture column `column` shows.
Bgrx Band(std::int32_t column) {
    const auto grey = std::uint8_t((column % 800) / 8 * 2);
    return MakeBgrx(grey, grey, grey);
}

Object MakeObject(std::int32_t kind, std::string name, Rect rect) {
    Object object;
    object.kind = kind;
    object.name = std::move(name);
    object.rect = rect;
    return object;
}

// A flat panorama (no field of view) of 80 x 40 at (10, 10): view column x shows picture
// column pan + x.
Object Panorama(std::string path = "<SrcDir>\\pano.jpg") {
    Object panorama = MakeObject(kKindPanorama, "Pano", {10, 10, 90, 50});
    panorama.text = std::move(path);
    return panorama;
}

ActionRecord Command(std::int32_t code, std::string target, std::string argument = {}) {
    ActionRecord record;
    record.code = code;
    record.target = std::move(target);
    record.argument = std::move(argument);
    record.argument_count = 1;
    return record;
}

// A clickable frame whose click runs `action`.
Object Button(std::string name, Rect rect, ActionRecord action) {
    Object button = MakeObject(kKindFrame, std::move(name), rect);
    button.extra_value2 = 1;
    button.actions_click.records = {std::move(action)};
    return button;
}

Project OnePage(std::vector<Object> objects) {
    Project project;
    project.header.client_width = 300;
    project.header.client_height = 100;
    Page page;
    page.name = "One";
    page.background_colour = kBackground;
    page.objects = std::move(objects);
    project.pages.push_back(std::move(page));
    Page second;
    second.name = "Two";
    second.background_colour = kBackground;
    project.pages.push_back(std::move(second));
    return project;
}

struct PanoramaRig : PlayerRig {
    bool Start(std::vector<Object> objects) {
        files.AddFile("Z:\\shows\\pano.jpg", BandedJpeg());
        return PlayerRig::Start(OnePage(std::move(objects)));
    }
    Bgrx At(std::int32_t x, std::int32_t y) {
        player.Paint();
        return player.BackBuffer().At(x, y);
    }
    void Click(Point point) {
        player.OnPointer({PointerAction::kDown, point});
        player.OnPointer({PointerAction::kUp, point});
    }
    std::int32_t Cursor() const { return window.cursor.resource; }
    // Whether the turning timer runs: the clock's own timer ticks only every 500 ms.
    bool Turning() const {
        const auto due = player.NextTimerDue();
        return due && *due - clock.TickCount() <= kPanoramaTurnIntervalMs;
    }
};

TEST(PanoramaPlayer, ADragTurnsByItsDistanceEveryFiftyMilliseconds) {
    PanoramaRig rig;
    ASSERT_TRUE(rig.Start({Panorama()}));
    EXPECT_EQ(rig.At(10, 20), Band(0));
    EXPECT_EQ(rig.At(89, 20), Band(79));
    rig.player.OnPointer({PointerAction::kDown, {50, 30}});
    EXPECT_EQ(rig.Cursor(), kPanoramaHeldCursor);
    rig.player.OnPointer({PointerAction::kMove, {90, 30}});
    EXPECT_EQ(rig.Cursor(), kPanoramaRightCursor);
    rig.Wait(50);
    EXPECT_EQ(rig.At(10, 20), Band(40));
    rig.Wait(100);
    EXPECT_EQ(rig.At(10, 20), Band(120));
    // The window keeps the pointer outside itself until the release.
    rig.player.OnPointer({PointerAction::kMove, {200, 30}});
    EXPECT_EQ(rig.Cursor(), kPanoramaRightCursor);
    rig.player.OnPointer({PointerAction::kUp, {200, 30}});
    rig.Wait(200);
    EXPECT_EQ(rig.At(10, 20), Band(120));
    EXPECT_EQ(rig.At(150, 20), BgrxFromColorRef(kBackground));
}

TEST(PanoramaPlayer, TheHotSpotRunsTheNamedObjectsClickActions) {
    Object panorama = Panorama();
    panorama.hover_object = "Door";
    panorama.option3 = 0;
    panorama.option4 = 30;
    // The door's click moves the panorama: the window goes with it.
    Object door = MakeObject(kKindScript, "Door", {});
    door.actions_click.records = {Command(kCmdMoveObject, "Pano", "150,10")};
    PanoramaRig rig;
    ASSERT_TRUE(rig.Start({panorama, door}));
    rig.player.OnPointer({PointerAction::kMove, {20, 30}});
    EXPECT_EQ(rig.Cursor(), kPanoramaHotSpotCursor);
    rig.player.OnPointer({PointerAction::kMove, {60, 30}});
    EXPECT_EQ(rig.window.cursor, host::Cursor{});
    rig.Click({20, 30});
    rig.Wait(100);
    EXPECT_EQ(rig.At(20, 20), BgrxFromColorRef(kBackground));
    EXPECT_EQ(rig.At(150, 20), Band(0));  // moved, not turned
    EXPECT_EQ(rig.At(229, 20), Band(79));
}

TEST(PanoramaPlayer, OnlyAShownAndUncoveredPanoramaShowsAndTakesThePointer) {
    Object hidden = Panorama();
    hidden.initially_hidden = 1;
    // A green frame over the panorama's right half.
    Object cover = MakeObject(kKindFrame, "Cover", {50, 0, 120, 100});
    cover.colour1 = 0x00FF00;
    cover.colour2 = 0x00FF00;
    // Shows the panorama and leaves the page half a second later.
    Object show = Button("ShowIt", {200, 60, 220, 80}, Command(kCmdShow, "Pano"));
    show.actions_click.records.push_back(Command(kCmdPageTimer, "500"));
    PanoramaRig rig;
    ASSERT_TRUE(rig.Start({hidden, cover, show}));
    EXPECT_EQ(rig.At(20, 20), BgrxFromColorRef(kBackground));
    rig.Click({210, 70});
    EXPECT_EQ(rig.At(20, 20), Band(10));
    const Bgrx covered = rig.At(60, 20);
    EXPECT_NE(covered, Band(50));
    // A press on the covered part is the frame's; a press on the rest turns the view.
    rig.player.OnPointer({PointerAction::kDown, {60, 20}});
    rig.player.OnPointer({PointerAction::kMove, {100, 20}});
    rig.Wait(100);
    rig.player.OnPointer({PointerAction::kUp, {100, 20}});
    EXPECT_EQ(rig.At(20, 20), Band(10));
    rig.player.OnPointer({PointerAction::kDown, {20, 20}});
    rig.player.OnPointer({PointerAction::kMove, {28, 20}});
    EXPECT_TRUE(rig.Turning());
    rig.Wait(50);
    EXPECT_EQ(rig.At(20, 20), Band(18));
    EXPECT_EQ(rig.At(60, 20), covered);
    // The page is left in the middle of the drag: the window goes, and its timer with it.
    rig.Wait(400);
    EXPECT_EQ(rig.player.CurrentPageName(), "Two");
    EXPECT_EQ(rig.At(20, 20), BgrxFromColorRef(kBackground));
    EXPECT_FALSE(rig.Turning());
}

TEST(PanoramaPlayer, APageHasOnePanoramaWindowAndBadPicturesSayWhy) {
    struct Case {
        const char* what;
        std::vector<Object> objects;
        std::vector<std::string> messages;
        Bgrx shown;  // at (20, 20)
        bool turns;  // a press there starts the turning timer
    };
    Object bmp = Panorama("<SrcDir>\\pano.bmp");
    Object missing = Panorama("<SrcDir>\\gone.JPG");
    Object empty = Panorama();
    empty.rect = {10, 10, 10, 50};
    Object huge = Panorama();
    huge.rect = {10, 10, 30000, 50};
    const Bgrx background = BgrxFromColorRef(kBackground);
    const Case cases[] = {
        {"picture", {Panorama()}, {}, Band(10), true},
        {"not .JPG", {bmp}, {"Cannot open image /shows/pano.bmp"}, background, false},
        {"missing", {missing}, {"Cannot open image /shows/gone.JPG"}, background, false},
        // The first panorama's window stays empty; the second gets none.
        {"first only", {bmp, Panorama()}, {"Cannot open image /shows/pano.bmp"}, background, false},
        {"no area", {empty}, {}, background, false},
        {"too large", {huge}, {"Memory error. /shows/pano.jpg"}, background, false},
    };
    for (const Case& c : cases) {
        PanoramaRig rig;
        ASSERT_TRUE(rig.Start(c.objects));
        EXPECT_EQ(rig.ui.Texts(), c.messages) << c.what;
        EXPECT_EQ(rig.At(20, 20), c.shown) << c.what;
        // An empty window leaves the pointer to the page: no drag, no timer.
        rig.player.OnPointer({PointerAction::kDown, {20, 20}});
        EXPECT_EQ(rig.Turning(), c.turns) << c.what;
    }
}

}  // namespace
}  // namespace velk
