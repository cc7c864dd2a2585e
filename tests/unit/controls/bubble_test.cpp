#include "controls/bubble.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "gfx/font_cache.h"

namespace velk {
namespace {

struct Shown {
    Point top_left;
    Size size;
    std::string text;
};

class FakeOwner : public BubbleOwner {
  public:
    Point ClientToScreen(Point client) override { return {client.x + 100, client.y + 50}; }
    Rect DesktopRect() override { return {0, 0, 800, 600}; }
    void SetBubbleTimer(std::uint32_t interval_ms) override { timer = interval_ms; }
    void KillBubbleTimer() override { timer.reset(); }
    void ShowBubbleWindow(Point top_left, const Surface& pixels, std::string_view text) override {
        shown.push_back({top_left, {pixels.Width(), pixels.Height()}, std::string(text)});
        showing = true;
    }
    void HideBubbleWindow() override {
        ++hides;
        showing = false;
    }

    std::optional<std::uint32_t> timer;
    std::vector<Shown> shown;
    int hides = 0;
    bool showing = false;
};

class BubbleTest : public ::testing::Test {
  protected:
    FontCache fonts;
    FakeOwner owner;
    Bubble bubble{owner, &fonts};
};

TEST_F(BubbleTest, ShowsAfterRestBelowThePointerAndHidesWhenThePointerLeaves) {
    bubble.Track({10, 20}, "Tip");
    ASSERT_EQ(owner.timer, Bubble::kRestMs);
    EXPECT_TRUE(owner.shown.empty());
    // Jitter of up to five pixels on each axis keeps the text pending.
    bubble.MouseMoved({15, 15});
    bubble.OnTimer();
    EXPECT_FALSE(owner.timer.has_value());
    ASSERT_EQ(owner.shown.size(), 1u);
    EXPECT_EQ(owner.shown[0].text, "Tip");
    EXPECT_EQ(owner.shown[0].top_left.x, 115);
    EXPECT_EQ(owner.shown[0].top_left.y, 15 + 50 + Bubble::kBelowPointer);
    // The same text while showing changes nothing.
    bubble.Track({15, 15}, "Tip");
    EXPECT_EQ(owner.shown.size(), 1u);
    EXPECT_EQ(owner.hides, 0);
    bubble.MouseMoved({21, 15});
    EXPECT_FALSE(owner.showing);
    EXPECT_FALSE(bubble.Pending());
}

TEST_F(BubbleTest, AnotherTextWhilePendingShowsAtOnce) {
    bubble.Track({10, 20}, "One");
    bubble.Track({12, 20}, "Two");
    ASSERT_EQ(owner.shown.size(), 1u);
    EXPECT_EQ(owner.shown[0].text, "Two");
    bubble.Cancel();
    EXPECT_FALSE(owner.showing);
    EXPECT_FALSE(owner.timer.has_value());
}

TEST_F(BubbleTest, TwoLinesTakeTheWidthOfTheLongerLineAndTwiceTheHeight) {
    bubble.Show({10, 10}, "ab");
    const Size one = owner.shown.back().size;
    bubble.Show({10, 10}, "ab\nabcdef");
    const Size two = owner.shown.back().size;
    bubble.Show({10, 10}, "abcdef");
    const Size longer = owner.shown.back().size;
    EXPECT_EQ(two.width, longer.width);
    EXPECT_EQ(two.height - 4, 2 * (one.height - 4));
    EXPECT_GT(longer.width, one.width);
}

TEST_F(BubbleTest, StaysOnePixelInsideTheDesktop) {
    bubble.Show({790, 595}, "Near the corner");
    const Shown& near_corner = owner.shown.back();
    EXPECT_EQ(near_corner.top_left.x + near_corner.size.width, 800 - 1);
    EXPECT_EQ(near_corner.top_left.y + near_corner.size.height, 600 - 1);
    // A negative x centres the bubble on |x|.
    bubble.Show({-300, 10}, "Centred");
    const Shown& centred = owner.shown.back();
    EXPECT_EQ(centred.top_left.x, 300 - centred.size.width / 2);
}

TEST_F(BubbleTest, PaintsBorderAndTooltipBackground) {
    struct Capture : FakeOwner {
        void ShowBubbleWindow(Point, const Surface& pixels, std::string_view) override {
            corner = pixels.At(0, 0);
            inside = pixels.At(1, 1);
        }
        Bgrx corner = 0, inside = 0;
    } capture;
    Bubble painted(capture, &fonts);
    painted.Show({0, 0}, "x");
    EXPECT_EQ(capture.corner, MakeBgrx(0, 0, 0));
    EXPECT_EQ(capture.inside, MakeBgrx(255, 255, 225));
}

}  // namespace
}  // namespace velk
