#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/image_library.h"
#include "hosts/headless/memory_file_system.h"
#include "image_test_writers.h"

namespace velk {
namespace {

using test::EncodeTestJpeg;

// Flat 16 x 16 blocks, so that chroma subsampling and block edges do not mix colours.
std::vector<std::uint8_t> Blocks(const std::vector<std::vector<std::uint8_t>>& colours) {
    const int width = 16 * static_cast<int>(colours.size());
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto& c = colours[static_cast<std::size_t>(x / 16)];
            pixels.insert(pixels.end(), c.begin(), c.end());
        }
    }
    return pixels;
}

void ExpectNear(const RgbImage& image, int x, int y, std::array<int, 3> rgb, int tolerance) {
    const std::uint8_t* p = image.pixels.data() + (std::size_t(y) * image.width + x) * 3;
    for (int c = 0; c < 3; ++c) {
        EXPECT_LE(std::abs(p[c] - rgb[static_cast<std::size_t>(c)]), tolerance)
            << "channel " << c << " at (" << x << ", " << y << ")";
    }
}

TEST(ImageJpeg, GreyscaleIsExpandedToThreeEqualChannels) {
    std::vector<std::uint8_t> grey;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) grey.push_back(static_cast<std::uint8_t>(x < 8 ? 40 : 200));
    }
    auto image = LoadJPEGMemory(EncodeTestJpeg(16, 16, 1, grey));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 16);
    ASSERT_EQ(image->pixels.size(), 16u * 16 * 3);
    for (std::size_t i = 0; i < image->pixels.size(); i += 3) {
        EXPECT_EQ(image->pixels[i], image->pixels[i + 1]);
        EXPECT_EQ(image->pixels[i], image->pixels[i + 2]);
    }
    ExpectNear(*image, 2, 5, {40, 40, 40}, 3);
    ExpectNear(*image, 13, 10, {200, 200, 200}, 3);
}

TEST(ImageJpeg, ColourComesBackWithinTheLossOfTheCoding) {
    auto image = LoadJPEGMemory(
        EncodeTestJpeg(48, 16, 3, Blocks({{255, 0, 0}, {20, 180, 90}, {0, 0, 255}})));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 48);
    ExpectNear(*image, 8, 8, {255, 0, 0}, 4);
    ExpectNear(*image, 24, 8, {20, 180, 90}, 4);
    ExpectNear(*image, 40, 8, {0, 0, 255}, 4);
}

TEST(ImageJpeg, CmykAndYcckAreConvertedToRgb) {
    // Adobe's inverted CMYK: 255 means no ink. Red is full magenta and yellow.
    std::vector<std::vector<std::uint8_t>> inks{{255, 0, 0, 255}, {255, 255, 255, 255}};
    for (bool ycck : {false, true}) {
        SCOPED_TRACE(ycck ? "YCCK" : "CMYK");
        auto image = LoadJPEGMemory(EncodeTestJpeg(32, 16, 4, Blocks(inks), ycck));
        ASSERT_TRUE(image);
        ExpectNear(*image, 8, 8, {255, 0, 0}, 6);
        ExpectNear(*image, 24, 8, {255, 255, 255}, 6);
    }
}

TEST(ImageJpeg, BrokenStreamsFail) {
    std::vector<std::uint8_t> good = EncodeTestJpeg(16, 16, 3, Blocks({{1, 2, 3}}));
    ASSERT_TRUE(LoadJPEGMemory(good));
    EXPECT_EQ(LoadJPEGMemory({}), std::nullopt);
    EXPECT_EQ(LoadJPEGMemory(std::vector<std::uint8_t>{0xFF, 0xD8}), std::nullopt);
    EXPECT_EQ(LoadJPEGMemory(std::vector<std::uint8_t>(100, 0x42)), std::nullopt);
    std::vector<std::uint8_t> header_cut(good.begin(), good.begin() + 40);
    EXPECT_EQ(LoadJPEGMemory(header_cut), std::nullopt);
}

TEST(ImageJpeg, PicturesAboveTheSizeCapAreRefusedFromTheHeader) {
    std::vector<std::uint8_t> stream = EncodeTestJpeg(16, 16, 3, Blocks({{1, 2, 3}}));
    // Claim 60000 x 60000 in the frame header (marker FFC0: length, precision, height, width).
    bool patched = false;
    for (std::size_t i = 0; i + 8 < stream.size(); ++i) {
        if (stream[i] == 0xFF && stream[i + 1] == 0xC0) {
            stream[i + 5] = 0xEA, stream[i + 6] = 0x60;
            stream[i + 7] = 0xEA, stream[i + 8] = 0x60;
            patched = true;
            break;
        }
    }
    ASSERT_TRUE(patched);
    EXPECT_EQ(LoadJPEGMemory(stream), std::nullopt);
}

TEST(ImageJpeg, FilesAreReadThroughTheFileSystem) {
    headless::MemoryFileSystem files;
    files.AddFile("Z:\\a\\grey.jpg", EncodeTestJpeg(8, 8, 1, std::vector<std::uint8_t>(64, 90)));
    auto image = LoadJPEGFile(files, "Z:\\A\\GREY.JPG");
    ASSERT_TRUE(image);
    ExpectNear(*image, 4, 4, {90, 90, 90}, 2);
    EXPECT_EQ(LoadJPEGFile(files, "Z:\\a\\none.jpg"), std::nullopt);
    EXPECT_EQ(LoadJPEGFile(files, ""), std::nullopt);
}

}  // namespace
}  // namespace velk
