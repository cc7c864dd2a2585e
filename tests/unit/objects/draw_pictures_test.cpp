// Image, Video still and Matrix drawers, and the picture hit tests.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "draw_test_fixture.h"
#include "objects/hit_test.h"
#include "objects/pictures/matrix.h"
#include "objects/pictures/picture_kind.h"

namespace velk {
namespace {

using test::DrawFixture;
using test::MakeObject;
using test::PlainPicture;
using test::SolidPicture;

constexpr Bgrx kPage = MakeBgrx(1, 2, 3);
constexpr Bgrx kWhite = MakeBgrx(255, 255, 255);

// A w x h picture whose pixel (x, y) is (x, y, 7), so that every drawn pixel tells where in
// the picture it came from.
Picture CoordinatePicture(int w, int h) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            rgb.insert(rgb.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7});
        }
    }
    return PlainPicture(w, h, rgb);
}

Bgrx FromPicture(int x, int y) {
    return MakeBgrx(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7);
}

TEST(DrawPictures, ImageIsDrawnOneToOneAtItsOriginAndClippedToRect) {
    const struct {
        Point origin;
        Rect rect;
    } cases[] = {
        {{0, 0}, {5, 5, 25, 20}},
        {{-20, -10}, {5, 5, 15, 15}},  // shows the part from 20 right and 10 down
        {{3, 4}, {5, 5, 30, 30}},      // leaves the top-left strip of rect empty
    };
    for (const auto& c : cases) {
        DrawFixture page(60, 60, kPage);
        Object image = MakeObject(kKindImage, c.rect);
        image.image1 = CoordinatePicture(40, 30);
        image.image_origin = c.origin;
        page.Draw(image);
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                const int px = x - c.rect.left - c.origin.x, py = y - c.rect.top - c.origin.y;
                const bool shown =
                    c.rect.Contains({x, y}) && px >= 0 && py >= 0 && px < 40 && py < 30;
                ASSERT_EQ(page.At(x, y), shown ? FromPicture(px, py) : kPage)
                    << "origin " << c.origin.x << "," << c.origin.y << " at " << x << "," << y;
            }
        }
    }
}

TEST(DrawPictures, TheShownPictureFollowsParam1AndNeedsImage1) {
    const Bgrx red = MakeBgrx(255, 0, 0), green = MakeBgrx(0, 255, 0);
    const struct {
        bool image1, image2;
        std::uint32_t param1;
        Bgrx expected;
    } cases[] = {
        {true, true, 1, green},
        {true, true, 0, red},
        {true, false, 1, red},
        {false, true, 1, kPage},  // without image1 nothing, even with image2 chosen
    };
    for (const auto& c : cases) {
        for (std::int32_t kind : {kKindImage, kKindVideo}) {
            DrawFixture page(20, 20, kPage);
            Object image = MakeObject(kind, {2, 2, 10, 10});
            if (c.image1) image.image1 = SolidPicture(4, 4, 255, 0, 0);
            if (c.image2) image.image2 = SolidPicture(4, 4, 0, 255, 0);
            image.param1 = c.param1;
            page.Draw(image);
            EXPECT_EQ(page.At(3, 3), c.expected) << "kind " << kind << " param1 " << c.param1;
        }
    }
}

TEST(DrawPictures, KeyedPicturesLeaveKeyPixelsUntouched) {
    // colour1 is a COLORREF; the picture's key pixels hold the same colour as R, G, B.
    const struct {
        std::uint32_t key;
        std::uint8_t r, g, b;
    } keys[] = {{0x000000, 0, 0, 0},
                {0x0000FF, 255, 0, 0},
                {0x00FF00, 0, 255, 0},
                {0x123456, 0x56, 0x34, 0x12}};
    for (const auto& k : keys) {
        for (std::int32_t kind : {kKindImage, kKindVideo}) {
            DrawFixture page(10, 10, kPage);
            // A 3 x 1 picture: key, grey, key.
            Object image = MakeObject(kind, {2, 2, 8, 8});
            image.image1 = PlainPicture(3, 1, {k.r, k.g, k.b, 90, 90, 90, k.r, k.g, k.b});
            image.transparent1 = 1;
            image.colour1 = k.key;
            page.Draw(image);
            EXPECT_EQ(page.At(2, 2), kPage) << std::hex << k.key;
            EXPECT_EQ(page.At(3, 2), MakeBgrx(90, 90, 90));
            EXPECT_EQ(page.At(4, 2), kPage);
        }
    }
}

TEST(DrawPictures, BlendedPicturesMixWithThePageByScale) {
    // A black picture with one key pixel (pure blue) over a white page; colour1 = blue.
    const struct {
        double scale;
        bool keyed;
        std::uint8_t mixed;  // each channel of a black pixel after mixing
        Bgrx key_pixel;
    } cases[] = {
        {0.5, false, 127, MakeBgrx(127, 127, 255)},  // truncation: 127.5 gives 127
        {1.0, false, 0, MakeBgrx(0, 0, 255)},
        {1.5, false, 0, MakeBgrx(0, 0, 255)},  // opacity at most 1
        {-2.0, false, 255, kWhite},            // at least 0
        {0.5, true, 127, kWhite},              // key pixels keep the page
    };
    for (const auto& c : cases) {
        DrawFixture page(12, 12, kWhite);
        Object image = MakeObject(kKindImage, {2, 2, 10, 10});
        image.image1 = PlainPicture(2, 1, {0, 0, 0, 0, 0, 255});
        image.transform = 1;
        image.scale = c.scale;
        image.transparent1 = c.keyed ? 1 : 0;
        image.colour1 = 0xFF0000;
        page.Draw(image);
        EXPECT_EQ(page.At(2, 2), MakeBgrx(c.mixed, c.mixed, c.mixed)) << c.scale;
        EXPECT_EQ(page.At(3, 2), c.key_pixel) << c.scale;
        EXPECT_EQ(page.At(4, 2), kWhite);
        EXPECT_EQ(page.At(2, 3), kWhite);
    }
}

TEST(DrawPictures, BlendedPictureRepeatsItsAlphaMask) {
    // A 4 x 4 picture of grey 100 over a page of 200, scale 1, with a 2 x 2 mask (half the
    // picture's size): opaque on one diagonal, clear on the other.
    DrawFixture page(10, 10, MakeBgrx(200, 200, 200));
    Object image = MakeObject(kKindImage, {1, 1, 9, 9});
    image.image1 = SolidPicture(4, 4, 100, 100, 100);
    image.image3 = PlainPicture(2, 2, {255, 0, 0, 0, 9, 9, 0, 9, 9, 255, 0, 0});
    image.transform = 1;
    image.scale = 1.0;
    page.Draw(image);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint8_t v = (x % 2) == (y % 2) ? 100 : 200;
            EXPECT_EQ(page.At(1 + x, 1 + y), MakeBgrx(v, v, v)) << x << "," << y;
        }
    }
    // Half opacity: (1 - 0.5) x 200 + 0.5 x 100.
    DrawFixture half(10, 10, MakeBgrx(200, 200, 200));
    image.scale = 0.5;
    half.Draw(image);
    EXPECT_EQ(half.At(1, 1), MakeBgrx(150, 150, 150));
    EXPECT_EQ(half.At(2, 1), MakeBgrx(200, 200, 200));
}

TEST(DrawPictures, BlendedPictureAtAnOriginIsClippedToRect) {
    DrawFixture page(30, 30, kWhite);
    Object image = MakeObject(kKindImage, {5, 5, 10, 10});
    image.image1 = SolidPicture(20, 20, 0, 0, 0);
    image.image_origin = {-3, -3};
    image.transform = 1;
    image.scale = 0.5;
    page.Draw(image);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 5 && x < 10 && y >= 5 && y < 10;
            ASSERT_EQ(page.At(x, y), inside ? MakeBgrx(127, 127, 127) : kWhite) << x << "," << y;
        }
    }
}

TEST(DrawPictures, BackgroundFillIsForImagesOnly) {
    const Bgrx red = MakeBgrx(255, 0, 0);
    for (std::int32_t kind : {kKindImage, kKindVideo}) {
        DrawFixture page(20, 20, kPage);
        Object image = MakeObject(kind, {2, 2, 12, 12});
        image.image1 = SolidPicture(3, 3, 0, 0, 255);
        image.flag_f = true;
        image.value_b = 0x0000FF;  // red
        page.Draw(image);
        EXPECT_EQ(page.At(2, 2), MakeBgrx(0, 0, 255));
        EXPECT_EQ(page.At(11, 11), kind == kKindImage ? red : kPage);
        EXPECT_EQ(page.At(12, 12), kPage);
    }
    DrawFixture page(20, 20, kPage);  // the fill needs no picture
    Object empty = MakeObject(kKindImage, {2, 2, 12, 12});
    empty.flag_f = true;
    empty.value_b = 0x0000FF;
    page.Draw(empty);
    EXPECT_EQ(page.At(5, 5), red);
}

TEST(DrawPictures, DrawOffsetMovesPictures) {
    DrawFixture page(30, 30, kPage);
    Object image = MakeObject(kKindImage, {2, 2, 12, 12});
    image.image1 = CoordinatePicture(4, 4);
    page.Draw(image, {5, 6});
    EXPECT_EQ(page.At(7, 8), FromPicture(0, 0));
    EXPECT_EQ(page.At(10, 11), FromPicture(3, 3));
    EXPECT_EQ(page.At(6, 8), kPage);
}

TEST(DrawPictures, MatrixCellsShowTheirPicturesAtImage1Spacing) {
    // image1 is 3 x 2, so cells are 3 apart horizontally and 2 vertically; image2 is 2 x 2.
    DrawFixture page(30, 30, kPage);
    Object matrix = MakeObject(kKindMatrix, {4, 5, 13, 9});
    matrix.param1 = 3;
    matrix.param2 = 2;
    matrix.param4 = 2;
    matrix.image1 = SolidPicture(3, 2, 255, 0, 0);
    matrix.image2 = SolidPicture(2, 2, 0, 0, 255);
    page.Draw(matrix);
    const Bgrx blue = MakeBgrx(0, 0, 255);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int x = 4 + column * 3, y = 5 + row * 2;
            EXPECT_EQ(page.At(x, y), blue);
            EXPECT_EQ(page.At(x + 1, y + 1), blue);
            EXPECT_EQ(page.At(x + 2, y), kPage);  // image2 is narrower than a cell
        }
    }
    EXPECT_EQ(page.At(4, 9), kPage);
}

TEST(DrawPictures, MatrixCellValuesChooseImageAndKey) {
    // One row of five cells: 1, 2, 3 (image3 absent), 0 and 4.
    DrawFixture page(30, 10, kPage);
    Object matrix = MakeObject(kKindMatrix, {0, 0, 10, 2});
    matrix.param1 = 5;
    matrix.param2 = 1;
    matrix.image1 = PlainPicture(2, 1, {255, 0, 0, 0, 0, 0});  // red, then the black key
    matrix.image2 = PlainPicture(2, 1, {0, 255, 0, 0, 0, 0});  // green, then black (no key)
    matrix.transparent1 = 1;
    matrix.colour1 = 0;
    const std::int64_t values[] = {1, 2, 3, 0, 4};
    for (int column = 0; column < 5; ++column) MatrixSet(matrix, column + 1, 1, values[column]);
    page.Draw(matrix);
    EXPECT_EQ(page.At(0, 0), MakeBgrx(255, 0, 0));
    EXPECT_EQ(page.At(1, 0), kPage);  // key pixel left out
    EXPECT_EQ(page.At(2, 0), MakeBgrx(0, 255, 0));
    EXPECT_EQ(page.At(3, 0), MakeBgrx(0, 0, 0));
    for (int x = 4; x < 30; ++x) EXPECT_EQ(page.At(x, 0), kPage) << x;
}

TEST(DrawPictures, FarCoordinatesAreClippedNotWrapped) {
    // The picture's corner is rect's corner plus the origin, summed without wrapping: from
    // (0, 0) an origin of (max, max) lies far off the page (a wrapped sum would be (-2, -2)),
    // from (min, min) it is (-1, -1).
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const struct {
        Rect rect;
        int drawn;  // the picture covers columns and rows 0 ... drawn - 1
    } cases[] = {{{0, 0, kMax, kMax}, 0}, {{kMin, kMin, kMax, kMax}, 2}};
    for (const auto& c : cases) {
        for (std::uint32_t transform : {0u, 1u}) {
            DrawFixture page(8, 8, kPage);
            Object image = MakeObject(kKindImage, c.rect);
            image.image1 = SolidPicture(3, 3, 0, 0, 0);
            image.image_origin = {kMax, kMax};
            image.transform = transform;
            image.scale = 1.0;
            page.Draw(image);
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const bool black = x < c.drawn && y < c.drawn;
                    ASSERT_EQ(page.At(x, y), black ? MakeBgrx(0, 0, 0) : kPage) << x << "," << y;
                }
            }
        }
    }
    DrawFixture page(8, 8, kPage);
    Object matrix = MakeObject(kKindMatrix, {kMax - 4, kMax - 4, kMax, kMax});
    matrix.param1 = 4;
    matrix.param2 = 4;
    matrix.param4 = 1;
    matrix.image1 = SolidPicture(3, 3, 0, 0, 0);
    page.Draw(matrix, {-kMax + 2, -kMax + 2});  // lands at (-2, -2): cells partly on the page
    EXPECT_EQ(page.At(0, 0), MakeBgrx(0, 0, 0));
    EXPECT_EQ(page.At(7, 7), MakeBgrx(0, 0, 0));
}

// --- Hit tests ---------------------------------------------------------------------------------

struct HitFixture {
    headless::RecordingUi ui;
    PictureCache pictures{ui};
    bool Hit(const Object& object, Point p, bool precise = true, std::int32_t tolerance = 0) {
        return HitTestObject(object, p, tolerance, precise, pictures);
    }
};

TEST(HitTest, TheGrownRectangleComesFirst) {
    HitFixture f;
    Object frame = MakeObject(kKindFrame, {30, 20, 10, 40});  // left and right swapped
    const struct {
        Point p;
        std::int32_t tolerance;
        bool hit;
    } cases[] = {
        {{10, 20}, 0, true}, {{29, 39}, 0, true}, {{30, 30}, 0, false}, {{9, 30}, 0, false},
        {{9, 30}, 1, true},  {{30, 40}, 1, true}, {{31, 30}, 1, false}, {{7, 17}, 3, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(f.Hit(frame, c.p, true, c.tolerance), c.hit) << c.p.x << "," << c.p.y;
    }
}

TEST(HitTest, PicturesAreHitWhereTheyShowAndNotOnTheKey) {
    HitFixture f;
    // rect (10, 10, 30, 30); a 4 x 2 picture at origin (2, 1): key (black) at its left column.
    Object image = MakeObject(kKindImage, {10, 10, 30, 30});
    image.image1 = PlainPicture(4, 2, {0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9, 9,  //
                                       0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    image.image_origin = {2, 1};
    image.colour1 = 0x000000;
    const struct {
        std::uint32_t transparent1;
        Point p;
        bool hit;
    } cases[] = {
        {0, {12, 11}, true},  {0, {15, 12}, true},  {0, {16, 11}, false}, {0, {12, 13}, false},
        {0, {11, 11}, false}, {1, {12, 11}, false}, {1, {13, 11}, true},  {1, {15, 12}, true},
    };
    for (const auto& c : cases) {
        image.transparent1 = c.transparent1;
        EXPECT_EQ(f.Hit(image, c.p), c.hit) << c.transparent1 << " " << c.p.x << "," << c.p.y;
        EXPECT_TRUE(f.Hit(image, c.p, /*precise=*/false));
    }
}

TEST(HitTest, BackgroundFillAlphaMaskAndMissingPicture) {
    HitFixture f;
    Object image = MakeObject(kKindImage, {0, 0, 20, 20});
    image.image1 = SolidPicture(2, 2, 5, 5, 5);
    EXPECT_FALSE(f.Hit(image, {10, 10}));
    image.flag_f = true;
    EXPECT_TRUE(f.Hit(image, {10, 10}));
    image.flag_f = false;

    // transform with a mask: inside where its red byte is 128 or more, outside beyond it.
    image.transform = 1;
    image.image3 = PlainPicture(2, 1, {128, 0, 0, 127, 255, 255});
    EXPECT_TRUE(f.Hit(image, {0, 0}));
    EXPECT_FALSE(f.Hit(image, {1, 0}));
    EXPECT_FALSE(f.Hit(image, {0, 1}));

    Object bare = MakeObject(kKindImage, {0, 0, 20, 20});
    EXPECT_TRUE(f.Hit(bare, {10, 10}));  // without image1 the rectangle answers
    bare.kind = kKindImageWithoutPicture;
    EXPECT_TRUE(f.Hit(bare, {10, 10}));
}

TEST(HitTest, OutlinedObjectsAreHitInsideTheirOutline) {
    HitFixture f;
    // The triangle (0,0) (10,0) (0,10) relative to rect (20, 20, 40, 40), pen and fill.
    for (std::int32_t kind : {kKindImage, kKindPolygon, kKindImageWithoutPictureOutlined}) {
        Object object = MakeObject(kind, {20, 20, 40, 40});
        object.points_a = {{0, 0}, {10, 0}, {0, 10}};
        object.points_b = {{0, 0}};
        object.image1 = SolidPicture(20, 20, 1, 1, 1);
        EXPECT_TRUE(f.Hit(object, {20, 20})) << kind;
        EXPECT_TRUE(f.Hit(object, {24, 24})) << kind;
        EXPECT_TRUE(f.Hit(object, {30, 20})) << kind;  // the pen's end of the top edge
        EXPECT_FALSE(f.Hit(object, {27, 27})) << kind;
        EXPECT_FALSE(f.Hit(object, {39, 39})) << kind;
        object.points_a.clear();
        EXPECT_FALSE(f.Hit(object, {21, 21})) << kind;
    }
    // A polygon without an outline source keeps the rectangle's answer.
    Object polygon = MakeObject(kKindPolygon, {20, 20, 40, 40});
    polygon.points_a = {{0, 0}, {10, 0}, {0, 10}};
    EXPECT_TRUE(f.Hit(polygon, {39, 39}));
}

TEST(HitTest, AlphaButtonsReadTheirStateByte) {
    HitFixture f;
    // A 4 x 2 picture: the button shows 2 x 1, and the bottom-right quarter (x 2..3, y 1)
    // holds the opacities: pixel (2, 1) = (200, 0, 11), pixel (3, 1) = (10, 50, 0).
    Object button = MakeObject(kKindBitmapButton, {40, 30, 42, 31});
    button.option2 = 1;
    button.image1 = PlainPicture(4, 2, {0, 0, 0, 0, 0, 0, 0,   0, 0,  0,  0,  0,  //
                                        0, 0, 0, 0, 0, 0, 200, 0, 11, 10, 50, 0});
    const struct {
        std::int32_t state;
        bool left, right;
    } cases[] = {{0, true, false}, {1, false, true}, {2, true, false}};
    for (const auto& c : cases) {
        button.state = c.state;
        EXPECT_EQ(f.Hit(button, {40, 30}), c.left) << c.state;
        EXPECT_EQ(f.Hit(button, {41, 30}), c.right) << c.state;
    }
    button.image1.reset();
    EXPECT_TRUE(f.Hit(button, {40, 30}));
    button.option2 = 0;
    EXPECT_TRUE(f.Hit(button, {41, 30}));
}

}  // namespace
}  // namespace velk
