#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "gfx/image_library.h"

namespace velk {
namespace {

// Greys: one byte per pixel repeated into R, G and B.
RgbImage Grey(std::int32_t width, std::int32_t height, std::vector<std::uint8_t> values) {
    RgbImage image{width, height, {}};
    for (std::uint8_t v : values) image.pixels.insert(image.pixels.end(), {v, v, v});
    return image;
}

std::vector<std::uint8_t> GreysOf(const RgbImage& image) {
    std::vector<std::uint8_t> values;
    for (std::size_t i = 0; i < image.pixels.size(); i += 3) values.push_back(image.pixels[i]);
    return values;
}

RgbImage Solid(std::int32_t width, std::int32_t height, std::uint8_t r, std::uint8_t g,
               std::uint8_t b) {
    RgbImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), {r, g, b});
    return image;
}

TEST(ImageOps, ResizeSamplesBilinearly) {
    struct Case {
        const char* name;
        RgbImage source;
        std::int32_t width, height;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"same size is a copy", Grey(3, 2, {1, 2, 3, 4, 5, 6}), 3, 2, {1, 2, 3, 4, 5, 6}},
        // Positions 0, 0.5, 1, 1.5: the last lies past the last column and uses it.
        {"widen", Grey(2, 1, {0, 200}), 4, 1, {0, 100, 200, 200}},
        {"heighten", Grey(1, 2, {40, 0}), 1, 4, {40, 20, 0, 0}},
        {"narrow picks positions 0 and 2", Grey(4, 1, {0, 40, 80, 120}), 2, 1, {0, 80}},
        // (0.5, 0.5): rows mix to 50 and 120 across, then 85 down.
        {"both ways",
         Grey(2, 2, {0, 100, 200, 40}),
         4,
         4,
         {0, 50, 100, 100, 100, 85, 70, 70, 200, 120, 40, 40, 200, 120, 40, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto out = ResizeRGB(c.source, c.width, c.height);
        ASSERT_TRUE(out);
        EXPECT_EQ(out->width, c.width);
        EXPECT_EQ(out->height, c.height);
        EXPECT_EQ(GreysOf(*out), c.expected);
    }
}

TEST(ImageOps, ResizeKeepsChannelsApart) {
    auto out = ResizeRGB(Solid(3, 3, 10, 20, 30), 7, 5);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, Solid(7, 5, 10, 20, 30));
}

// The rule as the image view has always scaled: each of the two source rows is mixed across
// by the distance to the next column, then the two mixes down, every mix rounding down in
// whole numbers.
RgbImage ResizeByTheRule(const RgbImage& source, std::int32_t width, std::int32_t height) {
    RgbImage out{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    const std::int64_t sw = source.width, sh = source.height;
    auto mix = [](std::int64_t a, std::int64_t b, std::int64_t w, std::int64_t scale) {
        return (a * (scale - w) + b * w) / scale;
    };
    for (std::int64_t ty = 0; ty < height; ++ty) {
        const std::int64_t y0 = ty * sh / height, y1 = std::min(y0 + 1, sh - 1);
        const std::int64_t wy = ty * sh % height;
        for (std::int64_t tx = 0; tx < width; ++tx) {
            const std::int64_t x0 = tx * sw / width, x1 = std::min(x0 + 1, sw - 1);
            const std::int64_t wx = tx * sw % width;
            for (int c = 0; c < 3; ++c) {
                auto at = [&](std::int64_t x, std::int64_t y) {
                    return std::int64_t{source.pixels[std::size_t((y * sw + x) * 3 + c)]};
                };
                const std::int64_t top = mix(at(x0, y0), at(x1, y0), wx, width);
                const std::int64_t bottom = mix(at(x0, y1), at(x1, y1), wx, width);
                out.pixels[std::size_t((ty * width + tx) * 3 + c)] =
                    static_cast<std::uint8_t>(mix(top, bottom, wy, height));
            }
        }
    }
    return out;
}

RgbImage Noise(std::int32_t width, std::int32_t height, std::uint32_t seed) {
    RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (std::uint8_t& byte : image.pixels) {
        seed = seed * 1664525u + 1013904223u;
        // Runs of black and white too, where a mix lands exactly on a whole value.
        const std::uint32_t r = seed >> 24;
        byte = static_cast<std::uint8_t>(r < 32 ? 0 : r < 64 ? 255 : r);
    }
    return image;
}

// Every size: up and down, by odd factors, to and from one pixel, and across the widths where
// the scaling changes how it divides.
TEST(ImageOps, ResizeGivesTheBytesOfTheRuleAtEverySize) {
    struct Case {
        std::int32_t sw, sh, width, height;
    };
    const Case cases[] = {
        {1, 1, 1, 1},       {1, 1, 5, 3},       {5, 3, 1, 1},       {2, 2, 3, 3},
        {7, 5, 7, 5},       {37, 23, 41, 29},   {41, 29, 37, 23},   {64, 48, 69, 51},
        {100, 1, 333, 2},   {1, 100, 2, 333},   {255, 3, 256, 4},   {256, 4, 255, 3},
        {257, 9, 1023, 17}, {1024, 7, 1100, 9}, {1100, 9, 1024, 7}, {3, 3, 4099, 5},
        {4099, 5, 3, 3},    {2, 3, 16383, 2},   {2, 3, 16384, 2},   {2, 3, 16385, 2},
        {16385, 2, 99, 3},  {5, 2, 40000, 1},   {3, 17000, 2, 29},  {2, 29, 3, 17000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.sw) + " x " + std::to_string(c.sh) + " to " +
                     std::to_string(c.width) + " x " + std::to_string(c.height));
        const RgbImage source = Noise(c.sw, c.sh, std::uint32_t(c.sw * 31 + c.sh));
        const auto out = ResizeRGB(source, c.width, c.height);
        ASSERT_TRUE(out);
        ASSERT_EQ(*out, ResizeByTheRule(source, c.width, c.height));
    }
}

TEST(ImageOps, ResizeRefusesZeroSizesAndOversizedTargets) {
    RgbImage source = Grey(2, 2, {1, 2, 3, 4});
    EXPECT_EQ(ResizeRGB(source, 0, 4), std::nullopt);
    EXPECT_EQ(ResizeRGB(source, 4, 0), std::nullopt);
    EXPECT_EQ(ResizeRGB(source, -4, 4), std::nullopt);
    EXPECT_EQ(ResizeRGB(RgbImage{}, 4, 4), std::nullopt);
    EXPECT_EQ(ResizeRGB(RgbImage{2, 2, {1, 2, 3}}, 4, 4), std::nullopt);
    EXPECT_EQ(ResizeRGB(source, 100000, 100000), std::nullopt);
}

TEST(ImageOps, CropCopiesTheRectangle) {
    RgbImage picture = Grey(4, 3, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23});
    auto inner = CropRGB(picture, 1, 1, 3, 3);
    ASSERT_TRUE(inner);
    EXPECT_EQ(*inner, Grey(2, 2, {11, 12, 21, 22}));
    EXPECT_EQ(CropRGB(picture, 0, 0, 4, 3), picture);
}

TEST(ImageOps, CropRefusesRectanglesOutsideThePicture) {
    RgbImage picture = Grey(4, 3, std::vector<std::uint8_t>(12, 7));
    struct Case {
        const char* name;
        std::int32_t left, top, right, bottom;
    };
    const Case cases[] = {
        {"left after right", 3, 0, 2, 2},     {"top after bottom", 0, 2, 2, 1},
        {"left before 0", -1, 0, 2, 2},       {"top before 0", 0, -1, 2, 2},
        {"right past the width", 0, 0, 5, 2}, {"bottom past the height", 0, 0, 2, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CropRGB(picture, c.left, c.top, c.right, c.bottom), std::nullopt);
    }
}

TEST(ImageOps, OverlayMixesWithTheFloorOfTheWeightedSum) {
    struct Case {
        const char* name;
        double opacity;
        std::uint8_t expected;  // source 255, target 100
    };
    const Case cases[] = {
        {"opaque", 1.0, 255},
        {"above 1 acts as 1", 1.5, 255},
        {"clear", 0.0, 100},
        {"below 0 acts as 0", -2.0, 100},
        {"half: 177.5 goes down", 0.5, 177},
        {"quarter: 138.75 goes down", 0.25, 138},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage target = Solid(1, 1, 100, 100, 100);
        ASSERT_TRUE(OverlayRGB(target, Solid(1, 1, 255, 255, 255), 0, 0, c.opacity));
        EXPECT_EQ(target, Solid(1, 1, c.expected, c.expected, c.expected));
    }
}

TEST(ImageOps, OverlayChangesOnlyTheOverlap) {
    RgbImage target = Grey(4, 3, std::vector<std::uint8_t>(12, 0));
    ASSERT_TRUE(OverlayRGB(target, Grey(3, 3, std::vector<std::uint8_t>(9, 90)), -1, 1, 1.0));
    EXPECT_EQ(GreysOf(target), (std::vector<std::uint8_t>{0, 0, 0, 0, 90, 90, 0, 0, 90, 90, 0, 0}));
    // Entirely off the target: nothing changes, and that is no failure.
    RgbImage before = target;
    EXPECT_TRUE(OverlayRGB(target, Grey(1, 1, {5}), 4, 0, 1.0));
    EXPECT_TRUE(OverlayRGB(target, Grey(1, 1, {5}), -1, -1, 1.0));
    EXPECT_EQ(target, before);
}

TEST(ImageOps, OverlayLeavesTheTargetWhereTheSourceHasTheKey) {
    for (std::uint32_t key : {0x000000u, 0x30201Au}) {
        SCOPED_TRACE(key);
        const std::uint8_t r = key & 0xFF, g = (key >> 8) & 0xFF, b = (key >> 16) & 0xFF;
        RgbImage source = Solid(2, 1, r, g, b);
        source.pixels[3] = static_cast<std::uint8_t>(r + 1);  // the second pixel is not the key
        RgbImage target = Solid(2, 1, 200, 200, 200);
        ASSERT_TRUE(OverlayRGB(target, source, 0, 0, 1.0, key));
        EXPECT_EQ(target.pixels, (std::vector<std::uint8_t>{
                                     200, 200, 200, static_cast<std::uint8_t>(r + 1), g, b}));
    }
}

TEST(ImageOps, OverlayRefusesInvalidPictures) {
    RgbImage target = Solid(2, 2, 1, 1, 1);
    EXPECT_FALSE(OverlayRGB(target, RgbImage{}, 0, 0, 1.0));
    RgbImage broken{2, 2, {1, 2, 3}};
    EXPECT_FALSE(OverlayRGB(broken, Solid(1, 1, 0, 0, 0), 0, 0, 1.0));
}

}  // namespace
}  // namespace velk
