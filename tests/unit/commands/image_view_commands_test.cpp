// The image view commands and ReplaceImage: how arguments are cut and evaluated, what each
// does to its target, and what is repainted.
#include <gtest/gtest.h>

#include "command_test_fixture.h"
#include "document/command_vocabulary.h"
#include "objects/pictures/image_scroll.h"

namespace velk {
namespace {

using testing::FakeCommandHost;
using testing::List;
using testing::MakeObject;
using testing::Record;

Picture Solid(std::int32_t w, std::int32_t h) {
    return Picture{.width = w, .height = h, .bytes = std::vector<std::uint8_t>(w * h * 3, 90)};
}

// "P": a 200 x 100 picture in (0, 0, 100, 100), panned, scroll bars allowed.
Object& AddPhoto(FakeCommandHost& host) {
    Object photo = MakeObject("P", {0, 0, 100, 100}, kKindImage);
    photo.image1 = Solid(200, 100);
    photo.flag_a = false;
    host.current->objects.push_back(photo);
    return host.current->objects.back();
}

TEST(ImageViewCommands, ArgumentsAreCutAtCommasAndEvaluated) {
    const struct {
        std::int32_t code;
        const char* argument;
        std::uint32_t value_b;
        bool flag_f;
    } cases[] = {
        {kCmdSetImageBkgColor, "255,0,0", 0x0000FF, false},
        {kCmdSetImageBkgColor, "1,,2,,,3", 0x030201, false},  // runs of commas count as one
        {kCmdSetImageBkgColor, "ZIZ_SelColor", 0xFF8000, false},
        {kCmdSetImageBkgColor, "256+7,two,-1", 0xFF0207, false},  // low bytes of the values
        {kCmdSetImageBkgColor, "1,2", 0xC0C0C0, false},           // two parts: nothing
        {kCmdUseImageBkgColor, "two", 0xC0C0C0, true},
        {kCmdUseImageBkgColor, "0", 0xC0C0C0, false},
        {kCmdUseImageBkgColor, "1,1", 0xC0C0C0, false},
    };
    for (const auto& c : cases) {
        FakeCommandHost host;
        host.variables.SetString("ZIZ_SelColor", "0,128,255");
        host.expressions = {{"two", 2}, {"256+7", 263}};
        Object& photo = AddPhoto(host);
        host.dispatcher.RunActions(List({Record(c.code, "P", c.argument)}));
        EXPECT_EQ(photo.value_b, c.value_b) << c.argument;
        EXPECT_EQ(photo.flag_f, c.flag_f) << c.argument;
    }
}

TEST(ImageViewCommands, ViewCommandsChangeTheViewAndRepaintBothPlaces) {
    const struct {
        std::vector<ActionRecord> records;
        Rect rect;
        Point origin;
        Size view_size;
        double angle;
        // How far each edge may stray after an odd turn and back (rounding of the turned box).
        std::int32_t slack = 0;
    } cases[] = {
        // The pivot (the picture's centre, at (50, 50) on the screen) keeps its place.
        {{Record(kCmdRotateImageTo, "P", "90")}, {1, -50, 101, 150}, {0, 0}, {200, 100}, 90},
        {{Record(kCmdRotateImageRel, "P", "45"), Record(kCmdRotateImageRel, "P", "-45")},
         {-50, 0, 150, 100},
         {0, 0},
         {200, 100},
         0,
         1},
        {{Record(kCmdZoomImageView, "P", "50")}, {0, 0, 100, 100}, {0, 0}, {100, 50}, 0},
        {{Record(kCmdScrollImageView, "P", "-1000,-1000")}, {0, 0, 100, 100}, {-100, 0}, {}, 0},
        // Outside fit mode only the rectangle changes, about the pivot.
        {{Record(kCmdResizeImage, "P", "150,120")}, {-25, -10, 125, 110}, {0, 0}, {200, 100}, 0},
        // SetImageOrigin moves the pivot: turning then keeps the top-left corner in place.
        {{Record(kCmdSetImageOrigin, "P", "0,0"), Record(kCmdRotateImageTo, "P", "180")},
         {-199, -99, 1, 1},
         {0, 0},
         {200, 100},
         180},
        // Restored, the rectangle takes the picture's size about the pivot.
        {{Record(kCmdRotateImageTo, "P", "90"), Record(kCmdRestoreImage, "P", "")},
         {-50, 0, 150, 100},
         {0, 0},
         {200, 100},
         0},
    };
    for (const auto& c : cases) {
        FakeCommandHost host;
        Object& photo = AddPhoto(host);
        host.dispatcher.RunActions(List(c.records));
        const std::string label = c.records[0].argument;
        EXPECT_NEAR(photo.rect.left, c.rect.left, c.slack) << label;
        EXPECT_NEAR(photo.rect.top, c.rect.top, c.slack) << label;
        EXPECT_NEAR(photo.rect.right, c.rect.right, c.slack) << label;
        EXPECT_NEAR(photo.rect.bottom, c.rect.bottom, c.slack) << label;
        EXPECT_EQ(photo.image_origin, c.origin) << label;
        EXPECT_EQ(photo.image_view.size, c.view_size) << label;
        EXPECT_NEAR(photo.image_view.angle, c.angle, 1e-9) << label;
        // The outer rectangle before and after the change, bars and all.
        ASSERT_EQ(host.invalidated.size(), 1u) << label;
        const Rect repainted = host.invalidated[0];
        for (const Rect& place : {Rect{0, 0, 100, 100}, OuterRect(photo)}) {
            EXPECT_EQ(repainted.Intersect(place), place) << label;
        }
    }
}

TEST(ImageViewCommands, ScrollingIsIgnoredInFitModeAndFitModeFollowsAResize) {
    FakeCommandHost host;
    Object& photo = AddPhoto(host);
    photo.flag_a = true;
    host.dispatcher.RunActions(List({Record(kCmdScrollImageView, "P", "-50,0")}));
    EXPECT_EQ(photo.image_origin, (Point{0, 0}));
    // MoveObject with a new size refits an Image in fit mode.
    host.dispatcher.RunActions(List({Record(kCmdMoveObject, "P", "10,10,60,30")}));
    EXPECT_EQ(photo.rect, (Rect{10, 10, 70, 40}));
    ASSERT_TRUE(photo.image2);
    EXPECT_EQ(photo.image2->width, 60);
    EXPECT_EQ(photo.image2->height, 30);
}

TEST(ImageViewCommands, ReplaceImageWithNoPathLeavesAPicturelessImage) {
    for (const bool outlined : {false, true}) {
        FakeCommandHost host;
        Object& photo = AddPhoto(host);
        photo.image4 = Solid(200, 100);
        if (outlined) photo.points_b = {{0, 0}, {10, 0}, {0, 10}};
        MakeScrollBars(photo);
        ASSERT_NE(OuterRect(photo), photo.rect);
        host.dispatcher.RunActions(List({Record(kCmdReplaceImage, "P", "")}));
        EXPECT_EQ(OuterRect(photo), photo.rect);  // no bars without a picture
        EXPECT_EQ(photo.kind,
                  outlined ? kKindImageWithoutPictureOutlined : kKindImageWithoutPicture);
        EXPECT_FALSE(photo.image1 || photo.image2 || photo.image3 || photo.image4);
        EXPECT_FALSE(host.invalidated.empty());
    }
    // Not an Image: nothing happens.
    FakeCommandHost host;
    host.Get("A").image1 = Solid(2, 2);
    host.dispatcher.RunActions(List({Record(kCmdReplaceImage, "A", "")}));
    EXPECT_TRUE(host.Get("A").image1);
}

}  // namespace
}  // namespace velk
