#include "objects/picture_cache.h"

#include <gtest/gtest.h>

#include "codec/zlib_codec.h"
#include "hosts/headless/recording_ui.h"

namespace velk {
namespace {

Picture ZlibPicture(std::vector<std::uint8_t> pixels, std::int32_t width, std::int32_t height) {
    Picture picture;
    picture.coding = PictureCoding::kZlib;
    picture.width = width;
    picture.height = height;
    picture.size = static_cast<std::uint32_t>(pixels.size());
    picture.bytes = Deflate(pixels);
    return picture;
}

TEST(PictureCache, DecodesOnFirstUseAndKeepsThePixels) {
    headless::RecordingUi ui;
    PictureCache cache(ui);
    Picture picture = ZlibPicture({1, 2, 3, 4, 5, 6}, 2, 1);
    EXPECT_EQ(cache.Size(), 0u);
    const RgbImage& first = cache.Pixels(picture);
    EXPECT_EQ(first.pixels, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(&cache.Pixels(picture), &first);  // decoded once
    cache.Drop(picture);
    EXPECT_EQ(cache.Size(), 0u);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST(PictureCache, ABrokenStreamIsReportedOnceWhenFirstDrawn) {
    headless::RecordingUi ui;
    PictureCache cache(ui);
    Picture picture = ZlibPicture({1, 2, 3, 4, 5, 6}, 2, 1);
    picture.bytes.resize(picture.bytes.size() / 2);
    cache.Pixels(picture);
    cache.Pixels(picture);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Uncompress failed"});
}

}  // namespace
}  // namespace velk
