#include <gtest/gtest.h>

#include "gfx/image_library.h"

namespace velk {
namespace {

constexpr Bgrx kBackground = 0x123456;
const Rect kEverywhere{-100000, -100000, 100000, 100000};

// One row of pixels given as 0xRRGGBB.
RgbImage Row(const std::vector<std::uint32_t>& colours) {
    RgbImage image{static_cast<std::int32_t>(colours.size()), 1, {}};
    for (std::uint32_t c : colours) {
        image.pixels.insert(image.pixels.end(),
                            {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                             static_cast<std::uint8_t>(c)});
    }
    return image;
}

RgbImage Grid(std::int32_t width, std::int32_t height) {
    RgbImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(10 * x + 1),
                                                     static_cast<std::uint8_t>(10 * y + 2), 99});
        }
    }
    return image;
}

std::vector<Bgrx> RowOf(const Surface& surface, std::int32_t y) {
    return {surface.Row(y), surface.Row(y) + surface.Width()};
}

TEST(ImageDraw, OneToOneCopiesThePicture) {
    Surface surface(6, 5, kBackground);
    RgbImage picture = Grid(2, 2);
    EXPECT_TRUE(DrawRGB(surface, kEverywhere, picture, 3, 2));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            Bgrx expected = kBackground;
            if (x >= 3 && x < 5 && y >= 2 && y < 4) {
                expected = MakeBgrx(static_cast<std::uint8_t>(10 * (x - 3) + 1),
                                    static_cast<std::uint8_t>(10 * (y - 2) + 2), 99);
            }
            EXPECT_EQ(surface.At(x, y), expected) << x << ", " << y;
        }
    }
}

TEST(ImageDraw, OnlyPixelsInsideTheClipAndTheSurfaceChange) {
    Surface surface(4, 3, kBackground);
    RgbImage picture = Row({0xAA0000, 0xBB0000, 0xCC0000, 0xDD0000, 0xEE0000});
    // Starts left of the surface; the clip keeps columns 1 and 2 only.
    EXPECT_TRUE(DrawRGB(surface, Rect{1, 0, 3, 3}, picture, -1, 1));
    EXPECT_EQ(RowOf(surface, 1), (std::vector<Bgrx>{kBackground, 0xCC0000, 0xDD0000, kBackground}));
    EXPECT_EQ(RowOf(surface, 0), std::vector<Bgrx>(4, kBackground));
    // Hidden entirely by the clip: nothing drawn, still a success.
    Surface untouched(4, 3, kBackground);
    EXPECT_TRUE(DrawRGB(untouched, Rect{0, 0, 0, 0}, picture, 0, 0));
    EXPECT_TRUE(DrawRGB(untouched, kEverywhere, picture, 2147483000, 0));
    EXPECT_EQ(untouched, Surface(4, 3, kBackground));
}

TEST(ImageDraw, StretchingEnlargesByTheCentreRule) {
    Surface surface(5, 1, kBackground);
    EXPECT_TRUE(DrawRGB(surface, kEverywhere, Row({0x010203, 0x0A0B0C}), 0, 0, 5, 1));
    EXPECT_EQ(RowOf(surface, 0),
              (std::vector<Bgrx>{0x010203, 0x010203, 0x010203, 0x0A0B0C, 0x0A0B0C}));
}

TEST(ImageDraw, ShrinkingAndsTheMergedPixels) {
    Surface surface(2, 1, kBackground);
    RgbImage picture = Row({0xF0FF0F, 0x3CFFFF, 0xFF0FFF, 0x123456, 0x0F0F0F});
    EXPECT_TRUE(DrawRGB(surface, kEverywhere, picture, 0, 0, 2, 1));
    EXPECT_EQ(RowOf(surface, 0),
              (std::vector<Bgrx>{0xF0FF0F & 0x3CFFFF & 0xFF0FFF, 0x123456 & 0x0F0F0F}));

    // Vertically too: three rows onto one merge the first two.
    Surface column(1, 1, kBackground);
    RgbImage tall{1, 3, {0xFF, 0x0F, 0xF0, 0x3C, 0xFF, 0xFF, 0x00, 0x00, 0x00}};
    EXPECT_TRUE(DrawRGB(column, kEverywhere, tall, 0, 0, 1, 1));
    EXPECT_EQ(column.At(0, 0), MakeBgrx(0x3C, 0x0F, 0xF0));
}

TEST(ImageDraw, BadPicturesAndSizesFailWithoutDrawing) {
    Surface surface(3, 3, kBackground);
    RgbImage picture = Grid(2, 2);
    EXPECT_FALSE(DrawRGB(surface, kEverywhere, picture, 0, 0, 0, 2));
    EXPECT_FALSE(DrawRGB(surface, kEverywhere, picture, 0, 0, 2, -2));
    EXPECT_FALSE(DrawRGB(surface, kEverywhere, RgbImage{}, 0, 0));
    EXPECT_FALSE(DrawRGB(surface, kEverywhere, RgbImage{2, 2, {1, 2, 3}}, 0, 0));
    EXPECT_FALSE(DrawRGBKeyed(surface, kEverywhere, RgbImage{1, 1, {}}, 0, 0, 0));
    EXPECT_EQ(surface, Surface(3, 3, kBackground));
}

TEST(ImageDraw, KeyedDrawingLeavesKeyPixelsUntouched) {
    struct Case {
        const char* name;
        std::uint32_t key;  // COLORREF
        std::uint32_t key_rgb;
    };
    const Case cases[] = {
        {"black key", 0x000000, 0x000000},
        {"magenta key", 0xFF00FF, 0xFF00FF},
        {"COLORREF order: red in the low byte", 0x0000FF, 0xFF0000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface(4, 1, kBackground);
        // Key, a near miss of the key, white, key.
        RgbImage picture = Row({c.key_rgb, c.key_rgb ^ 0x000001, 0xFFFFFF, c.key_rgb});
        EXPECT_TRUE(DrawRGBKeyed(surface, kEverywhere, picture, 0, 0, c.key));
        EXPECT_EQ(RowOf(surface, 0),
                  (std::vector<Bgrx>{kBackground, c.key_rgb ^ 0x000001, 0xFFFFFF, kBackground}));
    }
}

TEST(ImageDraw, KeyedDrawingIsClipped) {
    Surface surface(3, 2, kBackground);
    RgbImage picture{3, 2, {}};
    for (int i = 0; i < 6; ++i) picture.pixels.insert(picture.pixels.end(), {7, 8, 9});
    EXPECT_TRUE(DrawRGBKeyed(surface, Rect{1, 1, 2, 2}, picture, 0, 0, 0xFF00FF));
    EXPECT_EQ(RowOf(surface, 0), std::vector<Bgrx>(3, kBackground));
    EXPECT_EQ(RowOf(surface, 1), (std::vector<Bgrx>{kBackground, 0x070809, kBackground}));
}

}  // namespace
}  // namespace velk
