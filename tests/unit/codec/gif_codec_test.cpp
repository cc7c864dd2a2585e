// The GIF decoder: frames, controls and colour tables as stored, interlaced rows in natural
// order, and damaged files refused whole without reading past their end.
#include "codec/gif_codec.h"

#include <gtest/gtest.h>

#include "codec/gif_lzw.h"
#include "gif_test_writer.h"

namespace velk {
namespace {

using test::EncodeTestGif;
using test::TestGif;
using test::TestGifFrame;

constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

TestGifFrame Frame(std::uint16_t width, std::uint16_t height, std::vector<std::uint8_t> pixels) {
    TestGifFrame frame;
    frame.width = width;
    frame.height = height;
    frame.pixels = std::move(pixels);
    return frame;
}

TestGif TwoFrames() {
    TestGif gif{.width = 4,
                .height = 2,
                .background = 3,
                .global_palette = {kRed, kGreen, kBlue, kWhite},
                .frames = {}};
    TestGifFrame first = Frame(4, 2, {0, 1, 2, 3, 3, 2, 1, 0});
    first.delay = 7;
    first.disposal = 2;
    first.transparent = 2;
    TestGifFrame second = Frame(2, 1, {1, 1});
    second.left = 1;
    second.top = 1;
    second.control = false;
    second.local_palette = {kBlue, kWhite};
    gif.frames = {first, second};
    return gif;
}

TEST(GifCodec, ReadsFramesControlsAndColourTables) {
    const auto gif = DecodeGif(EncodeTestGif(TwoFrames()));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->width, 4);
    EXPECT_EQ(gif->background_index, 3);
    ASSERT_EQ(gif->frames.size(), 2u);
    const GifFrame& first = gif->frames[0];
    EXPECT_EQ(first.pixels, (std::vector<std::uint8_t>{0, 1, 2, 3, 3, 2, 1, 0}));
    EXPECT_EQ(first.delay, 7);
    EXPECT_EQ(first.Disposal(), 8);
    EXPECT_EQ(first.TransparentIndex(), 2);
    EXPECT_EQ(first.palette, gif->global_palette);
    // The control belongs to one frame only.
    const GifFrame& second = gif->frames[1];
    EXPECT_EQ(second.TransparentIndex(), kGifNoTransparency);
    EXPECT_EQ(second.delay, 0);
    EXPECT_EQ(second.left, 1);
    EXPECT_EQ(second.top, 1);
    EXPECT_EQ(second.palette, (std::vector<std::uint32_t>{kBlue, kWhite}));
}

TEST(GifCodec, FrameDelays) {
    GifFile gif;
    gif.frames.resize(2);
    gif.frames[1].delay = 8;
    EXPECT_EQ(GifFrameDelay(gif, 0), 10u);  // 0 with several frames plays at 10
    EXPECT_EQ(GifFrameDelay(gif, 1), 8u);
    EXPECT_EQ(GifFrameDelay(gif, 2), 0u);
    EXPECT_EQ(GifFrameDelay(gif, -1), 0u);
    gif.frames.resize(1);
    EXPECT_EQ(GifFrameDelay(gif, 0), 1u);  // a single still frame
}

TEST(GifCodec, InterlacedRowsComeBackInNaturalOrder) {
    for (std::uint16_t height : {1, 2, 5, 9, 17}) {
        TestGif gif{.width = 2, .height = height, .global_palette = {kRed, kGreen}, .frames = {}};
        std::vector<std::uint8_t> pixels;
        for (std::uint16_t y = 0; y < height; ++y) pixels.insert(pixels.end(), {0, 0});
        // Row numbers are written as values 0..height-1 through a 256-entry table.
        gif.global_palette.resize(256);
        for (std::uint16_t y = 0; y < height; ++y) {
            pixels[y * 2u] = static_cast<std::uint8_t>(y);
            pixels[y * 2u + 1] = static_cast<std::uint8_t>(y);
        }
        TestGifFrame frame = Frame(2, height, pixels);
        frame.interlaced = true;
        gif.frames = {frame};
        const auto decoded = DecodeGif(EncodeTestGif(gif));
        ASSERT_TRUE(decoded) << height;
        EXPECT_EQ(decoded->frames[0].pixels, pixels) << height;
    }
}

TEST(GifCodec, LzwHandlesRepeatsAndTableGrowth) {
    // Long runs make strings that refer to the entry being made; varied data grows the codes to
    // 12 bits and past a clear.
    std::vector<std::uint8_t> pixels(5000, 3);
    for (std::size_t i = 0; i < 20000; ++i) pixels.push_back(std::uint8_t((i * 7919) % 251));
    for (unsigned size : {2u, 8u}) {
        std::vector<std::uint8_t> input = pixels;
        for (auto& p : input) p = static_cast<std::uint8_t>(p % (1u << size));
        const auto out =
            DecodeGifLzw(test::GifLzwEncode(input, size), std::uint8_t(size), input.size());
        ASSERT_TRUE(out) << size;
        EXPECT_EQ(*out, input) << size;
    }
}

// A frame whose image data is the given codes, all of width 3 (minimum code size 2).
std::vector<std::uint8_t> Codes(std::initializer_list<std::uint32_t> codes) {
    test::GifCodeWriter writer;
    for (std::uint32_t code : codes) writer.Put(code, 3);
    return writer.Finish();
}

TEST(GifCodec, LzwStopRules) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> data;
        std::uint8_t min_code_size;
        std::size_t pixels;
        std::optional<std::vector<std::uint8_t>> expected;
    };
    const Case cases[] = {
        {"end code ends, the rest stays 0", Codes({4, 1, 2, 5, 3}), 2, 4, {{1, 2, 0, 0}}},
        {"data running out keeps what was decoded", Codes({4, 1, 2}), 2, 3, {{1, 2, 0}}},
        {"output beyond the frame is dropped", Codes({4, 1, 2, 3, 5}), 2, 2, {{1, 2}}},
        {"a code made just now repeats", Codes({4, 1, 6, 5}), 2, 3, {{1, 1, 1}}},
        {"a code beyond the table fails", Codes({4, 1, 7, 5}), 2, 3, std::nullopt},
        {"a first code that is no colour fails", Codes({4, 6, 5}), 2, 3, std::nullopt},
        {"a minimum code size of 9 fails", Codes({4, 1}), 9, 3, std::nullopt},
        {"no data at all", {}, 2, 2, {{0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeGifLzw(c.data, c.min_code_size, c.pixels), c.expected) << c.name;
    }
}

std::vector<std::uint8_t> Damaged(std::size_t keep) {
    auto file = EncodeTestGif(TwoFrames());
    file.resize(keep);
    return file;
}

TEST(GifCodec, DamagedFilesAreRefusedWhole) {
    const auto whole = EncodeTestGif(TwoFrames());
    // Cut anywhere: a failure or the frames before the cut, never a read past the end.
    for (std::size_t keep = 0; keep + 1 < whole.size(); ++keep) {
        // A copy of exactly `keep` bytes, so a read past the end shows under the sanitizers.
        const std::vector<std::uint8_t> cut = Damaged(keep);
        const auto gif = DecodeGif(cut);
        if (gif) {
            EXPECT_LE(gif->frames.size(), 2u) << keep;
        }
    }
    EXPECT_TRUE(DecodeGif(Damaged(whole.size() - 1)));  // no trailer: the data just ends
    EXPECT_FALSE(DecodeGif(Damaged(5)));
    EXPECT_FALSE(DecodeGif(Damaged(12)));  // inside the colour table

    auto other_version = whole;
    other_version[4] = '8';
    EXPECT_FALSE(DecodeGif(other_version));
    auto stray_byte = whole;
    stray_byte.back() = 'x';
    EXPECT_FALSE(DecodeGif(stray_byte));
    auto long_control = whole;
    // The first frame's graphic control follows the 6 + 7 + 12 bytes of header and table.
    ASSERT_EQ(long_control[25], '!');
    long_control[27] = 3;
    EXPECT_FALSE(DecodeGif(long_control));
}

TEST(GifCodec, OversizedFramesAreRefusedBeforeAllocating) {
    TestGif gif{.width = 1, .height = 1, .global_palette = {kRed, kGreen}, .frames = {}};
    gif.frames = {Frame(1, 1, {1})};
    auto file = EncodeTestGif(gif);
    // The descriptor's width and height (after the 11-byte control): 65535 x 65535.
    const std::size_t descriptor = 6 + 7 + 6 + 8;
    ASSERT_EQ(file[descriptor], ',');
    for (std::size_t i = descriptor + 5; i < descriptor + 9; ++i) file[i] = 0xFF;
    EXPECT_FALSE(DecodeGif(file));
}

}  // namespace
}  // namespace velk
