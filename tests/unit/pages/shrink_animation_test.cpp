#include "pages/shrink_animation.h"

#include <gtest/gtest.h>

#include "fake_page_owner.h"
#include "pages/object_visibility.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

using test::FakePageOwner;
using test::MakeObject;
using test::MakePage;

class ShrinkAnimationTest : public ::testing::Test {
  protected:
    ShrinkAnimationTest() {
        project_.pages = {MakePage("P", {MakeObject("a", kKindText, {1, 2, 3, 4}), MakeObject("b"),
                                         MakeObject("g", kKindGroup)})};
        project_.master_page.objects = {MakeObject("m")};
        project_.master_layer.objects = {MakeObject("l")};
        for (Object& object : project_.pages[0].objects) object.scale = 0.5;
    }
    Page& page() { return project_.pages[0]; }
    Object& object(std::size_t i) { return page().objects[i]; }

    Project project_;
    PageManager pages_{project_};
    FakePageOwner host_;
};

TEST_F(ShrinkAnimationTest, ShrinksByFiveSeventhsThenHidesAndRestoresTheScale) {
    Object& a = object(0);
    StartShrink(pages_, page(), a, 1.0, host_);
    EXPECT_EQ(host_.timers.at(kShrinkTimerPage), kShrinkIntervalMs);
    EXPECT_EQ(page().running_animations, 1);
    EXPECT_EQ(a.anim_saved_scale, 0.5);

    for (double expected : {0.714, 0.510, 0.364, 0.260, 0.186, 0.133, 0.095}) {
        SCOPED_TRACE(expected);
        StepShrink(pages_, page(), kShrinkTimerPage, host_);
        EXPECT_NEAR(a.scale, expected, 0.0005);
        EXPECT_EQ(a.hidden, 0u);
        EXPECT_EQ(host_.invalidated.back(), a.rect);
    }
    host_.Clear();
    StepShrink(pages_, page(), kShrinkTimerPage, host_);
    EXPECT_EQ(a.hidden, 1u);
    EXPECT_EQ(a.scale, 0.5);
    EXPECT_FALSE(a.anim_running);
    EXPECT_EQ(page().running_animations, 0);
    EXPECT_EQ(host_.visibility, std::vector<std::string>{"hide a"});
    EXPECT_TRUE(host_.timers.count(kShrinkTimerPage));  // killed on the next tick
    StepShrink(pages_, page(), kShrinkTimerPage, host_);
    EXPECT_FALSE(host_.timers.count(kShrinkTimerPage));
}

TEST_F(ShrinkAnimationTest, EachPageHasItsOwnTimer) {
    EXPECT_EQ(ShrinkTimerOf(pages_, project_.master_page), kShrinkTimerMasterPage);
    EXPECT_EQ(ShrinkTimerOf(pages_, project_.master_layer), kShrinkTimerMasterLayer);
    Object& m = project_.master_page.objects[0];
    Object& l = project_.master_layer.objects[0];
    m.scale = 1.0;
    l.scale = 1.0;
    StartShrink(pages_, project_.master_page, m, 1.0, host_);
    StartShrink(pages_, project_.master_layer, l, 1.0, host_);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"set 5 100", "set 6 100"}));

    // Timer 6 steps only the master layer, though it is offered to every page.
    OnShrinkTimer(pages_, kShrinkTimerMasterLayer, host_);
    EXPECT_NEAR(l.scale, 0.714, 0.0005);
    EXPECT_EQ(m.scale, 1.0);
    // The pages without animations do not kill timers they do not own.
    EXPECT_TRUE(host_.timers.count(kShrinkTimerMasterPage));
}

TEST_F(ShrinkAnimationTest, GroupsStartTheirMembersFromTheirOwnScale) {
    Object& g = object(2);
    g.lines = {"A", "b", "g", "missing", "a"};
    object(0).scale = 0.9;
    StartShrink(pages_, page(), g, 1.0, host_);
    EXPECT_EQ(page().running_animations, 2);
    EXPECT_EQ(object(0).anim_value, 0.9);
    EXPECT_EQ(object(1).anim_value, 0.5);
    EXPECT_FALSE(g.anim_running);

    // An empty group starts nothing and arms no timer.
    host_.Clear();
    Object& empty = object(2);
    empty.lines.clear();
    StartShrink(pages_, page(), empty, 1.0, host_);
    EXPECT_TRUE(host_.log.empty());
}

TEST_F(ShrinkAnimationTest, StartingAgainKeepsTheFirstSavedScaleAndOneCount) {
    Object& a = object(0);
    StartShrink(pages_, page(), a, 1.0, host_);
    StepShrink(pages_, page(), kShrinkTimerPage, host_);
    StartShrink(pages_, page(), a, a.scale, host_);
    EXPECT_EQ(page().running_animations, 1);
    EXPECT_EQ(a.anim_saved_scale, 0.5);
    for (int i = 0; i < 10 && a.anim_running; ++i) {
        StepShrink(pages_, page(), kShrinkTimerPage, host_);
    }
    EXPECT_EQ(a.scale, 0.5);
    EXPECT_EQ(page().running_animations, 0);
}

TEST_F(ShrinkAnimationTest, ShowingCancelsTheShrink) {
    Object& a = object(0);
    StartShrink(pages_, page(), a, 1.0, host_);
    StepShrink(pages_, page(), kShrinkTimerPage, host_);
    SetObjectVisible(page(), a, false, false, &host_);
    EXPECT_FALSE(a.anim_running);
    EXPECT_EQ(a.scale, 0.5);
    EXPECT_EQ(page().running_animations, 0);
}

}  // namespace
}  // namespace velk
