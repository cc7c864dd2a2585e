#include "pages/object_visibility.h"

#include <gtest/gtest.h>

#include <limits>

#include "fake_page_owner.h"

namespace velk {
namespace {

using test::FakePageOwner;
using test::MakeObject;
using test::MakePage;

Object Group(std::string name, std::vector<std::string> members, Rect rect = {}) {
    Object group = MakeObject(std::move(name), kKindGroup, rect);
    group.lines = std::move(members);
    return group;
}

TEST(ObjectVisibilityTest, GroupsHideTheirMembersOnThePage) {
    Page page = MakePage("P", {MakeObject("a"), MakeObject("b"), MakeObject("c"),
                               Group("g", {"A", "b", "missing"}), Group("empty", {})});
    SetObjectVisible(page, page.objects[3], true, true, nullptr);
    EXPECT_EQ(page.objects[0].hidden, 1u);
    EXPECT_EQ(page.objects[0].initially_hidden, 1u);
    EXPECT_EQ(page.objects[1].hidden, 1u);
    EXPECT_EQ(page.objects[2].hidden, 0u);
    EXPECT_EQ(page.objects[3].hidden, 1u);
    EXPECT_EQ(page.objects[3].initially_hidden, 1u);

    SetObjectVisible(page, page.objects[3], false, false, nullptr);
    EXPECT_EQ(page.objects[0].hidden, 0u);
    EXPECT_EQ(page.objects[0].initially_hidden, 1u);

    SetObjectVisible(page, page.objects[4], true, true, nullptr);
    EXPECT_EQ(page.objects[4].hidden, 0u);
    EXPECT_EQ(page.objects[4].initially_hidden, 0u);
}

TEST(ObjectVisibilityTest, GroupsNamingEachOtherEndQuickly) {
    // A self-naming pair, and a chain of groups each naming the next one fifty times: opened
    // naively, the chain would take 50^20 steps.
    Page page =
        MakePage("P", {MakeObject("a"), Group("g1", {"g2", "g1"}), Group("g2", {"g1", "a"})});
    for (int i = 0; i < 20; ++i) {
        page.objects.push_back(
            Group("c" + std::to_string(i),
                  std::vector<std::string>(50, i == 19 ? "a" : "c" + std::to_string(i + 1))));
    }
    SetObjectVisible(page, page.objects[1], true, false, nullptr);
    EXPECT_EQ(page.objects[0].hidden, 1u);
    EXPECT_EQ(page.objects[2].hidden, 1u);
    SetObjectVisible(page, page.objects[3], false, false, nullptr);
    EXPECT_EQ(page.objects[0].hidden, 0u);
    PlaceObject(page, page.objects[3], 5, 5, false);
    page.objects[0].rect = {};
    PlaceObject(page, page.objects[1], 7, 9, false);
    // g1 moves g2 (and a with it) once; g2 meeting g1 again moves nothing more.
    EXPECT_EQ(page.objects[0].rect, (Rect{7, 9, 7, 9}));
}

TEST(ObjectVisibilityTest, AnimationTimersFollowVisibility) {
    Object effect = MakeObject("fx", kKindEffect);
    effect.param2 = 30;
    Object ticker = MakeObject("t", kKindTimer);
    ticker.param2 = 250;
    ticker.param4 = 77;
    Page page = MakePage("P", {effect, ticker});
    FakePageOwner host;
    SetObjectVisible(page, page.objects[0], true, false, &host);
    SetObjectVisible(page, page.objects[0], false, false, &host);
    SetObjectVisible(page, page.objects[1], true, false, &host);
    SetObjectVisible(page, page.objects[1], false, false, &host);
    EXPECT_EQ(host.log,
              (std::vector<std::string>{"kill 100", "set 100 30", "kill 77", "set 77 250"}));
    EXPECT_EQ(host.visibility,
              (std::vector<std::string>{"hide fx", "show fx", "hide t", "show t"}));
}

TEST(ObjectVisibilityTest, PlacingMovesGroupMembersAndKeepsSizes) {
    Page page = MakePage(
        "P", {MakeObject("a", kKindText, {10, 10, 20, 30}),
              MakeObject("b", kKindText, {30, 40, 35, 45}), Group("inner", {"b"}, {30, 40, 35, 45}),
              Group("outer", {"a", "inner"}, {10, 10, 35, 45})});
    PlaceObject(page, page.objects[3], 110, 210, false);
    EXPECT_EQ(page.objects[0].rect, (Rect{110, 210, 120, 230}));
    EXPECT_EQ(page.objects[1].rect, (Rect{130, 240, 135, 245}));
    EXPECT_EQ(page.objects[2].rect, (Rect{130, 240, 135, 245}));
    EXPECT_EQ(page.objects[3].rect, (Rect{110, 210, 135, 245}));

    // Far out, the edges stop at the end of the coordinate range.
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    PlaceObject(page, page.objects[3], kMax - 5, 0, false);
    EXPECT_EQ(page.objects[3].rect.right, kMax);
    EXPECT_EQ(page.objects[1].rect.left, kMax);
}

}  // namespace
}  // namespace velk
