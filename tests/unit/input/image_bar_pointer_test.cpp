// The pointer on an Image's scroll bars: arrows, trough and thumb pan the picture, the press
// is the bar's alone, a held arrow repeats with the scroll timer, and a covered bar is not
// there for the pointer.
#include <gtest/gtest.h>

#include "input/pointer_dispatch.h"
#include "input_test_owner.h"
#include "objects/paragraph/paragraph_scroll.h"
#include "objects/pictures/image_scroll.h"

namespace velk {
namespace {

using test::Active;
using test::FakeInputHost;

struct BarRig {
    FakeInputHost host;
    PointerDispatch pointer{host};

    // "Photo": a 400 x 100 picture in (10, 10, 110, 110): a horizontal bar along
    // (10, 110, 110, 126), no vertical one.
    Object& Photo() {
        Object image = Active("Photo", {10, 10, 110, 110});
        image.kind = kKindImage;
        image.flag_a = false;
        image.image1 = Picture{
            .width = 400, .height = 100, .bytes = std::vector<std::uint8_t>(400 * 100 * 3, 0x80)};
        host.current.objects = {image};
        Object& photo = host.current.objects[0];
        MakeScrollBars(photo);
        return photo;
    }
};

TEST(ImageBarPointer, ArrowsTroughAndThumbPanThePicture) {
    const struct {
        Point press;
        Point drag_to;  // where the pointer goes before the release
        std::int32_t pan_x;
    } cases[] = {
        {{105, 118}, {105, 118}, -1},   // right arrow: one pixel
        {{80, 118}, {80, 118}, -100},   // trough right of the thumb: a page
        {{30, 118}, {50, 118}, -118},   // thumb dragged 20 of its 51 pixels of play
        {{30, 118}, {500, 118}, -300},  // dragged past the end: the picture's right end
    };
    for (const auto& c : cases) {
        BarRig rig;
        Object& photo = rig.Photo();
        ASSERT_EQ(ScrollBarPartAt(photo, false, c.press) != ScrollBarPart::kNone, true);
        rig.pointer.Down(c.press);
        rig.pointer.Move(c.drag_to);
        rig.pointer.Up(c.drag_to);
        EXPECT_EQ(photo.image_origin.x, c.pan_x) << c.press.x << " to " << c.drag_to.x;
        EXPECT_EQ(photo.image_view.horizontal.held, ScrollBarPart::kNone);
        // The bar is not the page: no press or click list ran.
        EXPECT_TRUE(rig.host.log.empty()) << c.press.x;
    }
}

TEST(ImageBarPointer, AHeldArrowRepeatsWhileThePointerStaysOnIt) {
    BarRig rig;
    Object& photo = rig.Photo();
    rig.pointer.Down({105, 118});
    EXPECT_EQ(rig.host.page_host.timers[kScrollTimerId], kScrollFirstDelayMs);
    rig.pointer.RepeatScrollArrows();
    rig.pointer.RepeatScrollArrows();
    EXPECT_EQ(photo.image_origin.x, -3);
    EXPECT_EQ(rig.host.page_host.timers[kScrollTimerId], kScrollRepeatMs);
    rig.pointer.Move({60, 118});  // off the arrow: the bar holds on but does not scroll
    rig.pointer.RepeatScrollArrows();
    EXPECT_EQ(photo.image_origin.x, -3);
    rig.pointer.Up({60, 118});
    rig.pointer.RepeatScrollArrows();
    EXPECT_EQ(rig.host.page_host.timers.count(kScrollTimerId), 0u);
}

TEST(ImageBarPointer, ACoveredOrHiddenBarIsNotThere) {
    BarRig rig;
    Object& photo = rig.Photo();
    SetScrollBarCovering(photo, Region(Rect{90, 100, 200, 200}));
    rig.pointer.Down({105, 118});
    rig.pointer.Up({105, 118});
    EXPECT_EQ(photo.image_origin.x, 0);
    SetScrollBarCovering(photo, Region());
    photo.hidden = 1;
    rig.pointer.Down({105, 118});
    rig.pointer.Up({105, 118});
    EXPECT_EQ(photo.image_origin.x, 0);
}

}  // namespace
}  // namespace velk
