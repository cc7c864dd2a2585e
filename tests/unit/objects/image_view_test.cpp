// The image view: angles and boxes, the view operations on an Image (scale, turn, fit, zoom,
// restore, pan), the outline carried along, the scroll bars' ranges and messages, and the
// refit of old Videos.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "draw_test_fixture.h"
#include "objects/picture_cache.h"
#include "objects/pictures/image_geometry.h"
#include "objects/pictures/image_pan.h"
#include "objects/pictures/image_scroll.h"
#include "objects/pictures/image_view.h"

namespace velk {
namespace {

using test::DrawFixture;
using test::MakeObject;
using test::SolidPicture;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Rig {
    headless::RecordingUi ui;
    PictureCache pictures{ui};
};

// An Image of a w x h picture in `rect`, panned rather than fitted, with scroll bars allowed.
Object Photo(std::int32_t w, std::int32_t h, Rect rect) {
    Object image = MakeObject(kKindImage, rect);
    image.image1 = SolidPicture(w, h, 200, 100, 50);
    image.flag_a = false;
    image.flag_b = true;
    return image;
}

Size SizeOf(const std::optional<Picture>& picture) {
    return picture ? Size{picture->width, picture->height} : Size{};
}

std::uint8_t MaskAt(const Object& image, std::int32_t x, std::int32_t y) {
    return image.image3->bytes[(std::size_t(y) * std::size_t(image.image3->width) + x) * 3];
}

TEST(ImageGeometry, AnglesAreBroughtIntoOneTurn) {
    const struct {
        double in;
        std::optional<double> out;
    } cases[] = {{0, 0},
                 {45.5, 45.5},
                 {-90, 270},
                 {725, 5},
                 {360, 0},
                 {-360, 0},
                 {-720, 0},
                 {-0.25, 359.75},
                 {std::numeric_limits<double>::infinity(), std::nullopt},
                 {kNaN, std::nullopt}};
    for (const auto& c : cases) {
        const std::optional<double> got = NormalisedAngle(c.in);
        ASSERT_EQ(got.has_value(), c.out.has_value()) << c.in;
        if (got) {
            EXPECT_NEAR(*got, *c.out, 1e-9) << c.in;
        }
    }
    // Quarter turns are exact; other angles use 3.14159 / 180.
    EXPECT_EQ(TurnOf(90).sin, 1.0);
    EXPECT_EQ(TurnOf(90).cos, 0.0);
    EXPECT_EQ(TurnOf(180).cos, -1.0);
    EXPECT_EQ(TurnOf(270).sin, -1.0);
    EXPECT_EQ(TurnOf(30).sin, std::sin(30 * 3.14159 / 180.0));
    EXPECT_NE(TurnOf(30).sin, std::sin(30 * M_PI / 180.0));
    // 200 x 100 about its centre turned a quarter: the box is 100 x 200, one pixel off centre
    // as the half-pixel turn puts it.
    EXPECT_EQ(RotatedBox(200, 100, 0.5, 0.5, TurnOf(90)), (Rect{-49, -100, 51, 100}));
    EXPECT_EQ(RotatedBox(200, 100, 0.5, 0.5, TurnOf(0)), (Rect{-100, -50, 100, 50}));
    // Half-pixel edges: unturned, the box keeps the picture's size.
    EXPECT_EQ(RotatedBox(21, 15, 0.5, 0.5, TurnOf(0)), (Rect{-10, -7, 11, 8}));
}

// Command sequences on a 200 x 100 picture in (10, 20, 210, 120), outside fit mode.
TEST(ImageView, TurnsZoomsAndRestoresAboutThePivot) {
    struct Step {
        enum { kTo, kBy, kZoom, kRestore } op;
        double value;
    };
    const struct {
        std::vector<Step> steps;
        double angle;
        Size view_size;
        Rect rect;
        Size shown;  // image2's size; 0 x 0 when image1 itself is shown
    } cases[] = {
        // The pivot (110, 70) on the screen keeps its place.
        {{{Step::kTo, 90}}, 90, {200, 100}, {61, -30, 161, 170}, {100, 200}},
        {{{Step::kTo, -90}}, 270, {200, 100}, {60, -29, 160, 171}, {100, 200}},
        {{{Step::kTo, 725}}, 5, {200, 100}, {}, {}},
        {{{Step::kTo, 90}, {Step::kBy, -90}}, 0, {200, 100}, {10, 20, 210, 120}, {}},
        {{{Step::kTo, 180}}, 180, {200, 100}, {11, 21, 211, 121}, {200, 100}},
        // Zooming outside fit mode keeps the rectangle.
        {{{Step::kZoom, 50}}, 0, {100, 50}, {10, 20, 210, 120}, {100, 50}},
        {{{Step::kZoom, 0}}, 0, {}, {10, 20, 210, 120}, {}},
        {{{Step::kZoom, 150}, {Step::kTo, 33}, {Step::kRestore, 0}},
         0,
         {200, 100},
         {10, 20, 210, 120},
         {}},
    };
    for (const auto& c : cases) {
        Rig rig;
        Object image = Photo(200, 100, {10, 20, 210, 120});
        for (const Step& step : c.steps) {
            switch (step.op) {
                case Step::kTo:
                    RotateView(image, rig.pictures, step.value, false);
                    break;
                case Step::kBy:
                    RotateView(image, rig.pictures, step.value, true);
                    break;
                case Step::kZoom:
                    ZoomView(image, rig.pictures, step.value);
                    break;
                case Step::kRestore:
                    RestoreView(image, rig.pictures);
                    break;
            }
        }
        const std::string label =
            std::to_string(c.steps.size()) + " steps to " + std::to_string(c.angle);
        EXPECT_NEAR(image.image_view.angle, c.angle, 1e-9) << label;
        EXPECT_EQ(image.image_view.size, c.view_size) << label;
        if (!c.rect.IsEmpty()) {
            EXPECT_EQ(image.rect, c.rect) << label;
        }
        if (c.angle == 0 || c.angle == 90 || c.angle == 180 || c.angle == 270) {
            EXPECT_EQ(SizeOf(image.image2), c.shown) << label;
            EXPECT_EQ(image.param1, image.image2 ? 1u : 0u) << label;
        }
    }
}

TEST(ImageView, AnOddTurnGetsAMaskWithSoftEdgesAndIsBlended) {
    Rig rig;
    Object image = Photo(100, 100, {0, 0, 100, 100});
    ASSERT_EQ(image.transform, 0u);
    RotateView(image, rig.pictures, 45, false);
    ASSERT_TRUE(image.image2 && image.image3);
    EXPECT_EQ(image.transform, 1u);
    EXPECT_EQ(image.scale, 1.0);
    const Size n = SizeOf(image.image3);
    EXPECT_EQ(n, SizeOf(image.image2));
    EXPECT_EQ(n, (Size{image.rect.Width(), image.rect.Height()}));
    EXPECT_NEAR(n.width, 100 * std::sqrt(2.0), 2);
    // Corners transparent, the middle solid, and the edge between fades.
    EXPECT_EQ(MaskAt(image, 0, 0), 0);
    EXPECT_EQ(MaskAt(image, n.width - 1, n.height - 1), 0);
    EXPECT_EQ(MaskAt(image, n.width / 2, n.height / 2), 255);
    int soft = 0;
    for (std::int32_t x = 0; x < n.width; ++x) {
        const std::uint8_t m = MaskAt(image, x, n.height / 4);
        if (m > 0 && m < 255) ++soft;
    }
    EXPECT_GE(soft, 1);
    EXPECT_LE(soft, 4);  // one pixel wide where the row crosses each edge
    // Turned back: no turn, no scaling, so image1 is shown again; the blending stays on.
    RotateView(image, rig.pictures, 0, false);
    EXPECT_FALSE(image.image2);
    EXPECT_EQ(image.transform, 1u);
}

// A turn is made in the memory of the picture and mask it replaces: a larger earlier picture
// full of other bytes leaves nothing behind in the new one.
TEST(ImageView, ATurnMadeOverAnEarlierPictureIsTheSame) {
    std::vector<std::uint8_t> bytes(90 * 70 * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 % 251);
    Rig rig;
    Object fresh = Photo(90, 70, {0, 0, 90, 70});
    fresh.image1 = Picture{.width = 90, .height = 70, .bytes = bytes};
    Object again = fresh;
    again.image2 =
        Picture{.width = 200, .height = 200, .bytes = std::vector<std::uint8_t>(120000, 0xA5)};
    again.image3 =
        Picture{.width = 200, .height = 200, .bytes = std::vector<std::uint8_t>(120000, 0x5A)};
    RotateView(fresh, rig.pictures, 23, false);
    RotateView(again, rig.pictures, 23, false);
    ASSERT_TRUE(fresh.image2 && fresh.image3 && again.image2 && again.image3);
    EXPECT_EQ(*again.image2, *fresh.image2);
    EXPECT_EQ(*again.image3, *fresh.image3);
}

TEST(ImageView, ZoomScalesThePanOffsetAndPanningIsClamped) {
    Rig rig;
    Object image = Photo(300, 200, {0, 0, 100, 50});
    SetPan(image, {-40, -20});
    ZoomView(image, rig.pictures, 50);
    EXPECT_EQ(SizeOf(image.image2), (Size{150, 100}));
    EXPECT_EQ(image.image_origin, (Point{-20, -10}));

    const struct {
        Size picture;
        Point asked, got;
    } cases[] = {
        {{400, 300}, {-1000, -1000}, {-300, -200}},
        {{400, 300}, {5, 5}, {0, 0}},
        {{50, 50}, {-5, -5}, {0, 0}},
        {{50, 50}, {80, 80}, {50, 50}},
        {{50, 50}, {20, 30}, {20, 30}},
    };
    for (const auto& c : cases) {
        Object photo = Photo(c.picture.width, c.picture.height, {0, 0, 100, 100});
        SetPan(photo, c.asked);
        EXPECT_EQ(photo.image_origin, c.got) << c.picture.width << " " << c.asked.x;
    }
}

TEST(ImageView, ResizeFollowsThePictureOnlyInFitMode) {
    Rig rig;
    Object fitted = Photo(200, 100, {0, 0, 200, 100});
    fitted.flag_a = true;
    ResizeView(fitted, rig.pictures, {50, 40});
    // The new size lies about the pivot, the picture's centre (100, 50).
    EXPECT_EQ(fitted.rect, (Rect{75, 30, 125, 70}));
    EXPECT_EQ(SizeOf(fitted.image2), (Size{50, 40}));

    Object panned = Photo(200, 100, {0, 0, 200, 100});
    ResizeView(panned, rig.pictures, {50, 40});
    EXPECT_EQ(panned.rect, (Rect{75, 30, 125, 70}));
    EXPECT_FALSE(panned.image2);  // the picture keeps its scale
    EXPECT_TRUE(panned.image_view.horizontal.shown);

    // Fit mode keeping the aspect: as large as fits, centred.
    Object kept = Photo(200, 100, {0, 0, 200, 100});
    kept.flag_a = true;
    kept.flag_e = true;
    FitView(kept, rig.pictures, {30, 40, 130, 140});
    EXPECT_EQ(kept.rect, (Rect{30, 40, 130, 140}));
    EXPECT_EQ(SizeOf(kept.image2), (Size{100, 50}));
    EXPECT_EQ(kept.image_origin, (Point{0, 25}));
}

TEST(ImageView, TheOutlineIsCarriedAndCutsTheMask) {
    Rig rig;
    Object image = Photo(10, 10, {0, 0, 10, 10});
    image.flag_a = true;
    // The left half of the picture, given in a 10 x 10 frame.
    image.points_b = {{0, 0}, {5, 0}, {5, 10}, {0, 10}};
    image.points_value1 = image.points_value2 = 10;
    FitView(image, rig.pictures, {0, 0, 20, 20});
    EXPECT_EQ(image.points_a, (std::vector<Point>{{0, 0}, {10, 0}, {10, 20}, {0, 20}}));
    ASSERT_TRUE(image.image3);
    EXPECT_EQ(image.transform, 1u);  // an outline makes the mask count
    for (std::int32_t x : {0, 5, 9}) EXPECT_EQ(MaskAt(image, x, 10), 255) << x;
    for (std::int32_t x : {12, 19}) EXPECT_EQ(MaskAt(image, x, 10), 0) << x;
}

TEST(ImageView, NothingHappensWithoutASourceOrForOtherKinds) {
    Rig rig;
    Object empty = MakeObject(kKindImageWithoutPicture, {0, 0, 50, 50});
    RotateView(empty, rig.pictures, 90, false);
    EXPECT_EQ(empty.rect, (Rect{0, 0, 50, 50}));
    Object text = Photo(20, 20, {0, 0, 20, 20});
    text.kind = kKindText;
    ZoomView(text, rig.pictures, 200);
    EXPECT_FALSE(text.image2);
    // A zoom far beyond what a picture may hold allocates nothing and changes nothing.
    Object huge = Photo(100, 100, {0, 0, 100, 100});
    ZoomView(huge, rig.pictures, 1e9);
    EXPECT_FALSE(huge.image2);
    EXPECT_EQ(huge.image_view.size, (Size{100, 100}));
}

TEST(ImageScrollBars, RangesFollowThePictureAndMessagesPan) {
    Object image = Photo(400, 300, {0, 0, 100, 100});
    MakeScrollBars(image);
    const ImageScrollBar& h = image.image_view.horizontal;
    ASSERT_TRUE(h.shown && image.image_view.vertical.shown);
    EXPECT_EQ((std::vector<std::int32_t>{h.min, h.max, h.page, h.pos}),
              (std::vector<std::int32_t>{-300, 99, 100, -300}));
    EXPECT_EQ(OuterRect(image), (Rect{0, 0, 116, 116}));
    EXPECT_EQ(ScrollBarRect(image, false), (Rect{0, 100, 100, 116}));
    EXPECT_EQ(ScrollBarRect(image, true), (Rect{100, 0, 116, 100}));

    const struct {
        ScrollCode code;
        std::int32_t pan_x;
    } steps[] = {
        {ScrollCode::kLineAhead, -1}, {ScrollCode::kPageAhead, -101}, {ScrollCode::kLineBack, -100},
        {ScrollCode::kBottom, -300},  {ScrollCode::kLineAhead, -300}, {ScrollCode::kTop, 0},
        {ScrollCode::kPageBack, 0},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(ScrollMessage(image, false, s.code));
        EXPECT_EQ(image.image_origin.x, s.pan_x) << static_cast<int>(s.code);
        EXPECT_EQ(h.pos, -300 - s.pan_x);  // the thumb follows
    }
    // The thumb dragged to the far end of the track shows the picture's right end.
    image.image_view.horizontal.track_pos = ScrollBarTrackValue(image, false, 1000);
    ScrollMessage(image, false, ScrollCode::kThumbTrack);
    EXPECT_EQ(image.image_origin.x, -300);

    // A smaller picture: the range is the rectangle, the page the picture.
    Object small = Photo(50, 100, {0, 0, 100, 100});
    SetPan(small, {30, 0});
    MakeScrollBars(small);
    EXPECT_TRUE(small.image_view.horizontal.shown);
    EXPECT_FALSE(small.image_view.vertical.shown);
    EXPECT_EQ(small.image_view.horizontal.page, 50);
    EXPECT_EQ(small.image_view.horizontal.pos, 30);
    ScrollMessage(small, false, ScrollCode::kBottom);
    EXPECT_EQ(small.image_origin.x, 50);

    // No bars in fit mode, for an alias, without permission, or centred.
    for (auto change :
         {+[](Object& o) { o.flag_a = true; }, +[](Object& o) { o.is_alias = 1; },
          +[](Object& o) { o.flag_b = false; }, +[](Object& o) { o.flag_g = true; }}) {
        Object other = Photo(400, 300, {0, 0, 100, 100});
        change(other);
        MakeScrollBars(other);
        EXPECT_EQ(OuterRect(other), other.rect);
    }
}

TEST(ImageScrollBars, OnlyTheUncoveredPartIsDrawnAndTheFillReachesUnder) {
    DrawFixture page(140, 140, MakeBgrx(1, 2, 3));
    Object image = Photo(400, 300, {0, 0, 100, 100});
    image.flag_f = true;
    image.value_b = 0x0000FF;
    MakeScrollBars(image);
    // The fill reaches under the bars, so it shows in the corner square between them.
    page.Draw(image);
    EXPECT_EQ(page.At(108, 108), MakeBgrx(255, 0, 0));
    SetScrollBarCovering(image, Region(Rect{50, 90, 140, 140}));
    DrawScrollBars(page.canvas, image);
    EXPECT_EQ(page.At(60, 110), MakeBgrx(255, 0, 0));  // covered: the bar leaves it
    EXPECT_EQ(page.At(15, 115), MakeBgrx(0, 0, 0));    // the left arrow's dark outer edge
    EXPECT_NE(page.At(30, 108), MakeBgrx(255, 0, 0));  // the trough
    EXPECT_EQ(ScrollBarPartAt(image, false, {60, 110}), ScrollBarPart::kNone);
    EXPECT_EQ(ScrollBarPartAt(image, false, {5, 110}), ScrollBarPart::kLineBack);
}

TEST(ImageView, OldVideosAreFittedWithTheirMask) {
    Rig rig;
    Project project;
    Object video = MakeObject(kKindVideo, {0, 0, 40, 30});
    video.image1 = SolidPicture(80, 60, 9, 9, 9);
    video.image4 = SolidPicture(80, 60, 255, 255, 255);
    video.flag_a = true;
    video.image_view.refit_pending = true;
    Object zoomed = video;
    zoomed.flag_a = false;
    zoomed.value_a = 25;
    project.pages.resize(1);
    project.pages[0].objects = {video, zoomed};
    RefitConvertedVideos(project, rig.pictures);
    for (const Object& o : project.pages[0].objects) {
        EXPECT_FALSE(o.image_view.refit_pending);
        EXPECT_EQ(o.transform, 1u);
    }
    EXPECT_EQ(SizeOf(project.pages[0].objects[0].image2), (Size{40, 30}));
    EXPECT_EQ(SizeOf(project.pages[0].objects[0].image3), (Size{40, 30}));
    EXPECT_EQ(SizeOf(project.pages[0].objects[1].image2), (Size{20, 15}));
}

}  // namespace
}  // namespace velk
