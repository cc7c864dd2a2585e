#include "pages/transition_window.h"

#include <gtest/gtest.h>

#include "fake_page_owner.h"

namespace velk {
namespace {

using test::FakePageOwner;

constexpr Bgrx kOld = 0x000000;
constexpr Bgrx kNew = 0xC08040;

Page Leaving(std::uint32_t effect, std::int32_t duration) {
    Page page;
    page.transition_effect = effect;
    page.transition_duration = static_cast<std::uint32_t>(duration);
    return page;
}

class TransitionWindowTest : public ::testing::Test {
  protected:
    // Plays the transition to the end; the number of timer firings it took.
    int RunToEnd(int limit = 10000) {
        int ticks = 0;
        while (window_.Running() && ticks < limit) {
            window_.OnTimer(host_);
            ++ticks;
        }
        return ticks;
    }
    bool Start(const Page& leaving) {
        window_.Prepare(leaving, old_, "");
        return window_.Play(new_, host_);
    }

    RuntimeRandom random_;
    TransitionWindow window_{random_};
    FakePageOwner host_;
    Surface old_{40, 100, kOld};
    Surface new_{40, 100, kNew};
};

TEST_F(TransitionWindowTest, StepsAndIntervalFromTheDuration) {
    struct Case {
        std::int32_t duration;
        std::uint32_t interval;
        int frames;
    };
    for (const Case& c : {Case{500, 31, 17}, Case{150, 37, 5}, Case{2000, 66, 31}, Case{-10, 1, 11},
                          Case{0, 1, 5}}) {
        SCOPED_TRACE(c.duration);
        host_.Clear();
        ASSERT_TRUE(Start(Leaving(2, c.duration)));
        EXPECT_TRUE(window_.Running());
        EXPECT_EQ(host_.timers.at(kTransitionTimerId), c.interval);
        EXPECT_EQ(RunToEnd(), c.frames);
        EXPECT_FALSE(host_.timers.count(kTransitionTimerId));
        EXPECT_EQ(host_.log.back(), "kill " + std::to_string(kTransitionTimerId));
    }
}

TEST_F(TransitionWindowTest, WipeAndCrossFadeFrames) {
    ASSERT_TRUE(Start(Leaving(2, 500)));  // N = 16, g = 100 / 16 = 6
    EXPECT_EQ(window_.Frame(), old_);
    window_.OnTimer(host_);
    EXPECT_EQ(window_.Frame().At(0, 11), kNew);
    EXPECT_EQ(window_.Frame().At(0, 12), kOld);
    EXPECT_EQ(host_.invalidated.back(), (Rect{0, 0, 40, 100}));
    RunToEnd();
    EXPECT_EQ(window_.Frame(), new_);

    ASSERT_TRUE(Start(Leaving(12, 500)));
    window_.OnTimer(host_);  // k = N: weight 0, the old page alone
    EXPECT_EQ(window_.Frame(), old_);
    for (int i = 0; i < 8; ++i) window_.OnTimer(host_);
    const Bgrx middle = window_.Frame().At(5, 5);
    EXPECT_NE(middle, kOld);
    EXPECT_NE(middle, kNew);
    RunToEnd();
    EXPECT_EQ(window_.Frame(), new_);
}

TEST_F(TransitionWindowTest, ClickEndsAtOnceWithTheNewPage) {
    ASSERT_TRUE(Start(Leaving(4, 1000)));
    window_.OnTimer(host_);
    window_.Click(host_);
    EXPECT_FALSE(window_.Running());
    EXPECT_FALSE(host_.timers.count(kTransitionTimerId));
    EXPECT_EQ(window_.Frame(), new_);
    EXPECT_FALSE(window_.OnTimer(host_));  // a late firing does nothing
}

TEST_F(TransitionWindowTest, OnlyAPreparedTransitionPlays) {
    EXPECT_FALSE(window_.Play(new_, host_));
    EXPECT_FALSE(Start(Leaving(0, 500)));
    EXPECT_FALSE(Start(Leaving(19, 500)));
    ASSERT_TRUE(Start(Leaving(3, 500)));
    EXPECT_FALSE(window_.Play(new_, host_));  // already running
    RunToEnd();
    // The next page change from a page without a transition does not replay this one.
    EXPECT_FALSE(Start(Leaving(0, 500)));
    EXPECT_FALSE(window_.Play(new_, host_));
}

TEST_F(TransitionWindowTest, ProgressEffectsEndOnceProgressPassesOne) {
    for (std::uint32_t effect = 13; effect <= 17; ++effect) {
        SCOPED_TRACE(effect);
        ASSERT_TRUE(Start(Leaving(effect, 100)));  // step 0.1
        const int ticks = RunToEnd();
        EXPECT_GE(ticks, 10);
        EXPECT_LE(ticks, 11);
        EXPECT_EQ(window_.Frame(), new_);
    }
}

class RecordingPlugin : public TransitionPlugin {
  public:
    void Step(float p, Surface& work) override {
        steps.push_back(p);
        work.Set(0, 0, 0x123456);
    }
    std::vector<float> steps;
};

TEST_F(TransitionWindowTest, PluginEffectRunsItsTimingWithOrWithoutAPlugin) {
    ASSERT_TRUE(Start(Leaving(18, 1000)));  // step 0.01
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(window_.OnTimer(host_));
    EXPECT_TRUE(host_.invalidated.empty());
    EXPECT_EQ(window_.Frame(), old_);
    const int ticks = 50 + RunToEnd();
    EXPECT_GE(ticks, 100);
    EXPECT_LE(ticks, 101);

    RecordingPlugin plugin;
    window_.SetPlugin(&plugin);
    ASSERT_TRUE(Start(Leaving(18, 100)));
    window_.OnTimer(host_);
    EXPECT_EQ(window_.Frame().At(0, 0), 0x123456u);
    RunToEnd();
    ASSERT_GE(plugin.steps.size(), 9u);
    EXPECT_FLOAT_EQ(plugin.steps.front(), 0.1f);
    EXPECT_LE(plugin.steps.back(), 1.0f);
}

TEST_F(TransitionWindowTest, AMaskShorterThanDeclaredIsNotRead) {
    Page leaving = Leaving(1, 200);
    leaving.transition_mask_width = 1000;
    leaving.transition_mask_height = 1000;
    leaving.transition_mask.bytes.assign(10, 200);
    ASSERT_TRUE(Start(leaving));
    RunToEnd();
    EXPECT_EQ(window_.Frame(), new_);
}

}  // namespace
}  // namespace velk
