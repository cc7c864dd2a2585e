// Animated GIF objects: each frame drawn over what the frame before it left (disposal), with
// the object's key colour or the file's own transparency, and the frame steps of its timer.
#include <gtest/gtest.h>

#include "draw_test_fixture.h"
#include "gif_test_writer.h"
#include "objects/animated_gif/gif_kind.h"

namespace velk {
namespace {

using test::TestGif;
using test::TestGifFrame;

constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0;

struct FrameSketch {
    std::uint16_t left, width;
    std::vector<std::uint8_t> pixels;
    std::uint8_t disposal;
    std::optional<std::uint8_t> transparent;
};

// A one-row GIF over red, green, blue and white, white being the background.
Object GifObject(const std::vector<FrameSketch>& frames) {
    TestGif gif{.width = 4,
                .height = 1,
                .background = 3,
                .global_palette = {kRed, kGreen, kBlue, kWhite},
                .frames = {}};
    for (const FrameSketch& sketch : frames) {
        TestGifFrame frame;
        frame.left = sketch.left;
        frame.width = sketch.width;
        frame.height = 1;
        frame.pixels = sketch.pixels;
        frame.disposal = sketch.disposal;
        frame.transparent = sketch.transparent;
        frame.delay = 8;
        gif.frames.push_back(frame);
    }
    Object object = test::MakeObject(kKindAnimatedGif, {2, 1, 6, 2});
    object.gif_data = test::StoredGif(test::EncodeTestGif(gif));
    object.option4 = 100;
    return object;
}

std::vector<std::uint32_t> Row(const test::DrawFixture& f) {
    std::vector<std::uint32_t> row;
    for (std::int32_t x = 2; x < 6; ++x) row.push_back(ColorRefFromBgrx(f.At(x, 1)));
    return row;
}

TEST(AnimatedGifDraw, DisposalAndTransparencyPerFrame) {
    const FrameSketch all_red{0, 4, {0, 0, 0, 0}, 1, std::nullopt};
    const FrameSketch red_to_background{0, 4, {0, 0, 0, 0}, 2, std::nullopt};
    const FrameSketch green_blue{1, 2, {1, 2}, 1, std::nullopt};
    const FrameSketch green_clear{1, 2, {1, 2}, 1, 2};
    struct Case {
        const char* name;
        std::vector<FrameSketch> frames;
        bool own_transparency, keyed;
        std::uint32_t key;
        std::vector<std::uint32_t> after_second;
    };
    const Case cases[] = {
        {"left as it was", {all_red, green_blue}, false, false, 0, {kRed, kGreen, kBlue, kRed}},
        {"restored to the background over the next frame's size",
         {red_to_background, green_blue},
         false,
         false,
         0,
         {kWhite, kGreen, kBlue, kRed}},
        {"the file's transparent index",
         {all_red, green_clear},
         true,
         false,
         0,
         {kRed, kGreen, kRed, kRed}},
        {"keyed frames skip the background",
         {red_to_background, green_clear},
         true,
         false,
         0,
         {kRed, kGreen, kRed, kRed}},
        {"the object's key, the transparent entry too",
         {all_red, green_clear},
         false,
         true,
         kGreen,
         {kRed, kRed, kRed, kRed}},
        {"own transparency without a flag draws opaque",
         {all_red, green_blue},
         true,
         true,
         kGreen,
         {kRed, kGreen, kBlue, kRed}},
    };
    for (const Case& c : cases) {
        test::DrawFixture f(8, 3, 0);
        Object object = GifObject(c.frames);
        object.option2 = c.own_transparency;
        object.transparent1 = c.keyed;
        object.colour1 = c.key;
        f.Draw(object);
        EXPECT_EQ(Row(f), (std::vector<std::uint32_t>{kRed, kRed, kRed, kRed})) << c.name;
        object.param2 = 1;
        f.Draw(object);
        EXPECT_EQ(Row(f), c.after_second) << c.name;
        EXPECT_EQ(ColorRefFromBgrx(f.At(1, 1)), kBlack) << c.name;
    }
}

TEST(AnimatedGifDraw, RestoreToPreviousRedrawsTheFrameTwoBack) {
    // Frame 1 asks to be undone; frame 2 is drawn over frame 0 again.
    Object object = GifObject({{0, 4, {0, 0, 0, 0}, 1, std::nullopt},
                               {0, 4, {1, 1, 1, 1}, 3, std::nullopt},
                               {2, 1, {2}, 1, std::nullopt}});
    test::DrawFixture f(8, 3, 0);
    for (std::uint32_t frame : {0u, 1u, 2u}) {
        object.param2 = frame;
        f.Draw(object);
    }
    EXPECT_EQ(Row(f), (std::vector<std::uint32_t>{kRed, kRed, kBlue, kRed}));
}

TEST(AnimatedGifDraw, FrameNumberBeyondTheFramesDrawsTheFirst) {
    Object object =
        GifObject({{0, 4, {0, 0, 0, 0}, 1, std::nullopt}, {0, 4, {1, 1, 1, 1}, 1, std::nullopt}});
    object.param2 = 7;
    test::DrawFixture f(8, 3, 0);
    f.Draw(object);
    EXPECT_EQ(object.param2, 0u);
    EXPECT_EQ(Row(f), (std::vector<std::uint32_t>{kRed, kRed, kRed, kRed}));
}

TEST(AnimatedGifDraw, DamagedDataDrawsNothing) {
    Object object = GifObject({{0, 4, {0, 0, 0, 0}, 1, std::nullopt}});
    object.gif_data.resize(12);
    test::DrawFixture f(8, 3, 0);
    f.Draw(object);
    EXPECT_EQ(Row(f), (std::vector<std::uint32_t>(4, kBlack)));
    EXPECT_EQ(object.param1, 0u);
}

TEST(AnimatedGifTimer, IntervalsFromDelayAndSpeed) {
    Object object =
        GifObject({{0, 4, {0, 0, 0, 0}, 1, std::nullopt}, {0, 4, {1, 1, 1, 1}, 1, std::nullopt}});
    object.gif_timer_id = 12;
    object.option4 = 50;
    const auto timer = GifFrameTimer(object);
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->id, 12u);
    EXPECT_EQ(timer->interval_ms, 40u);  // 8 hundredths at half speed
    // The longest delay at the highest speed number stays the longest timer there is.
    object.option4 = 0xFFFFFFFF;
    object.gif_file->frames[0].delay = 0xFFFF;
    EXPECT_EQ(GifFrameTimer(object)->interval_ms, 0xFFFFFFFFu);
    object.gif_file->frames[0].delay = 8;
    object.option4 = 50;
    // Entry plays only when asked; showing starts from the first frame.
    object.param2 = 1;
    EXPECT_FALSE(StartGifTimer(object, TimerStart::kPageEntry));
    object.transparent2 = 1;
    EXPECT_TRUE(StartGifTimer(object, TimerStart::kPageEntry));
    EXPECT_EQ(object.param2, 1u);
    EXPECT_TRUE(StartGifTimer(object, TimerStart::kShown));
    EXPECT_EQ(object.param2, 0u);
    Object empty = test::MakeObject(kKindAnimatedGif, {});
    EXPECT_FALSE(StartGifTimer(empty, TimerStart::kShown));
}

TEST(AnimatedGifTimer, StepsLoopsOrEnds) {
    Object object =
        GifObject({{0, 4, {0, 0, 0, 0}, 1, std::nullopt}, {0, 4, {1, 1, 1, 1}, 1, std::nullopt}});
    GifTick tick = StepGifFrame(object);
    EXPECT_EQ(object.param2, 1u);
    EXPECT_TRUE(tick.next);

    object.option1 = 1;  // looping
    tick = StepGifFrame(object);
    EXPECT_EQ(object.param2, 0u);
    EXPECT_TRUE(tick.next);

    object.option1 = 0;
    object.param2 = 1;
    object.transparent3 = 1;
    object.transform = 1;
    tick = StepGifFrame(object);
    EXPECT_FALSE(tick.next);
    EXPECT_EQ(object.param2, 1u);  // stays on its last frame
    EXPECT_TRUE(tick.hide);
    EXPECT_TRUE(tick.run_click_actions);
}

}  // namespace
}  // namespace velk
