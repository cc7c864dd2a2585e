#include <gtest/gtest.h>

#include <limits>

#include "command_test_fixture.h"
#include "document/command_vocabulary.h"

namespace velk {
namespace {

using testing::FakeCommandHost;
using testing::List;
using testing::MakeObject;
using testing::Record;
using Texts = std::vector<std::string>;

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

TEST(MoveObject, TakesTwoOrFourFields) {
    const struct {
        const char* target;
        const char* argument;
        Rect a;  // where "A" of the current page ends up
    } cases[] = {
        {"A", "5,6", {5, 6, 15, 16}},
        {"A", "5,6,30,40", {5, 6, 35, 46}},
        {"A", "5", {10, 10, 20, 20}},
        {"A", "5,6,7", {10, 10, 20, 20}},
        {"A", "", {10, 10, 20, 20}},
        {"A", "1,,2", {1, 2, 11, 12}},
        {"A", "Pos$", {7, 8, 17, 18}},
        {"A", "twice,0", {50, 0, 60, 10}},
        {"A",
         "1e12,-1e12",
         {kMaxInt, std::numeric_limits<std::int32_t>::min(), kMaxInt, -2147483638}},
        {"Other::A", "5,6", {10, 10, 20, 20}},
    };
    for (const auto& c : cases) {
        FakeCommandHost host;
        host.variables.SetString("Pos$", "7,8");
        host.expressions["twice"] = 50.9;
        host.dispatcher.RunActions(List({Record(kCmdMoveObject, c.target, c.argument)}));
        EXPECT_EQ(host.Get("A").rect, c.a) << c.target << " " << c.argument;
    }
    FakeCommandHost host;
    host.dispatcher.RunActions(List({Record(kCmdMoveObject, "Other::A", "5,6")}));
    EXPECT_EQ(host.Get("Other::A").rect, (Rect{5, 6, 15, 16}));
}

TEST(MoveObject, GroupMovesItsMembersAndKeepsItsSize) {
    FakeCommandHost host;
    Object group = MakeObject("G", {10, 10, 40, 40}, kKindGroup);
    group.lines = {"A", "B"};
    host.current->objects.push_back(group);
    host.dispatcher.RunActions(List({Record(kCmdMoveObject, "G", "0,0,5,5")}));
    EXPECT_EQ(host.Get("G").rect, (Rect{0, 0, 30, 30}));
    EXPECT_EQ(host.Get("A").rect, (Rect{0, 0, 10, 10}));
    EXPECT_EQ(host.Get("B").rect, (Rect{20, 20, 30, 30}));
}

TEST(MoveTo, GlidesStepByStepWaitingBetweenStepsThenLandsExactly) {
    const struct {
        const char* argument;
        std::vector<std::int32_t> steps;  // left edge of "A" during each wait
    } cases[] = {
        {"100,0,4", {25, 50, 75, 100}},
        {"100,0,10,EASYTO", {10, 30, 40, 50, 70, 80, 80, 90, 90, 100}},
        {"100,0,10, easyto ", {10, 30, 40, 50, 70, 80, 80, 90, 90, 100}},
        {"100,0,10,EASYFROM", {0, 0, 10, 10, 20, 40, 50, 60, 80, 100}},
        {"100,0,3,bounce", {33, 66, 100}},
        {"100,0,-1", {}},
        {"100", {}},  // too few fields: no move at all
    };
    for (const auto& c : cases) {
        FakeCommandHost host;
        host.Get("A").rect = {0, 0, 10, 10};
        std::vector<std::int32_t> seen;
        host.on_pump = [&] {
            seen.push_back(host.Get("A").rect.left);
            return true;
        };
        EXPECT_EQ(host.dispatcher.RunActions(List({Record(kCmdMoveTo, "A", c.argument)})), 1);
        EXPECT_EQ(seen, c.steps) << c.argument;
        EXPECT_EQ(host.waits, static_cast<int>(c.steps.size())) << c.argument;
        const Rect end = std::string(c.argument) == "100" ? Rect{0, 0, 10, 10}  // no move
                                                          : Rect{100, 0, 110, 10};
        EXPECT_EQ(host.Get("A").rect, end) << c.argument;
    }
}

TEST(MoveTo, StepsOfZeroMeanAHundred) {
    FakeCommandHost host;
    host.dispatcher.RunActions(List({Record(kCmdMoveTo, "A", "0,0,0")}));
    EXPECT_EQ(host.waits, 100);
    EXPECT_EQ(host.Get("A").rect, (Rect{0, 0, 10, 10}));
}

TEST(MoveTo, AWaitGivenUpEndsTheWholeList) {
    FakeCommandHost host;
    host.Get("A").rect = {0, 0, 10, 10};
    host.on_pump = [&] { return host.waits < 3; };
    auto list = List({Record(kCmdMoveTo, "A", "100,0,10"), Record(kCmdHide, "B")});
    EXPECT_EQ(host.dispatcher.RunActions(list), 0);
    EXPECT_EQ(host.Get("A").rect.left, 30);
    EXPECT_EQ(host.Get("B").hidden, 0u);
    EXPECT_FALSE(host.dispatcher.Executing());
}

TEST(Visibility, NamedPageAndInputFocus) {
    FakeCommandHost host;
    host.current->objects.push_back(MakeObject("In", {0, 0, 50, 20}, kKindInputText));
    host.dispatcher.RunActions(List({Record(kCmdHide, "Other::A")}));
    EXPECT_EQ(host.Get("Other::A").hidden, 1u);
    EXPECT_EQ(host.Get("A").hidden, 0u);

    // Show gives an Input text the keyboard only when it was shown already and the target
    // names no page.
    host.dispatcher.RunActions(List({Record(kCmdShow, "In"), Record(kCmdShow, "Intro::In")}));
    host.Get("In").hidden = 1;
    host.dispatcher.RunActions(List({Record(kCmdShow, "In")}));
    EXPECT_EQ(host.log, Texts{"Focus In"});
    EXPECT_EQ(host.Get("In").hidden, 0u);
}

TEST(Navigation, DirectionsAndPageByName) {
    const struct {
        std::int32_t code;
        const char* target;
        Texts log;
        bool pending_stop;
    } cases[] = {
        {kCmdFirstPage, "", {"GoToPage 0 '' -1,-1"}, false},
        {kCmdLastPage, "", {"GoToPage 1 '' -1,-1"}, false},
        {kCmdPrevPage, "", {"GoToPage 2 '' -1,-1"}, false},
        {kCmdNextPage, "", {"GoToPage 3 '' -1,-1"}, false},
        {kCmdPage, "Other", {"Page Other"}, true},
        {kCmdPage, "P$", {"Page Other"}, true},
        {kCmdPage, "", {}, false},
    };
    for (const auto& c : cases) {
        FakeCommandHost host;
        host.variables.SetString("P$", "Other");
        EXPECT_EQ(host.dispatcher.RunActions(List({Record(c.code, c.target)})), 1);
        EXPECT_EQ(host.log, c.log) << c.code;
        EXPECT_EQ(host.dispatcher.PendingStop(), c.pending_stop) << c.code;
    }
}

TEST(PageTimer, ReadsLeadingDigitsElseEvaluates) {
    const struct {
        std::int32_t code;
        const char* target;
        const char* argument;
        Texts log;
    } cases[] = {
        {kCmdPageTimer, "2000", "IF_IDLE", {"Arm 3 'IF_IDLE' 2000"}},
        {kCmdPageTimer, " 12abc", "", {"Arm 3 '' 12"}},
        {kCmdPageTimer, "1500", "Where$", {"Arm 3 'THIS_PAGE' 1500"}},
        {kCmdPageTimer, "delay", "", {"StopPageTimer", "Arm 3 '' 3000"}},
        {kCmdPageTimer, "nothing", "", {"StopPageTimer"}},
        {kCmdPageTimer, "-5", "", {"StopPageTimer"}},
        {kCmdPageTimer, "99999999999", "", {"Arm 3 '' 2147483647"}},
        {kCmdPageTimer, "", "IF_IDLE", {}},
        {kCmdExitTimer, "500", "IF_IDLE", {"Arm 2 '' 500"}},
        {kCmdExitTimer, "T$", "", {"Arm 2 '' 4000"}},
        {kCmdExitTimer, "delay", "", {"StopPageTimer", "Arm 2 '' 3000"}},
    };
    for (const auto& c : cases) {
        FakeCommandHost host;
        host.variables.SetNumber("delay", 3000.7);
        host.variables.SetString("Where$", "THIS_PAGE");
        host.variables.SetString("T$", "4000");
        host.dispatcher.RunActions(List({Record(c.code, c.target, c.argument)}));
        EXPECT_EQ(host.log, c.log) << c.target;
    }
}

TEST(WindowCommands, ExitEndsTheList) {
    FakeCommandHost host;
    auto list =
        List({Record(kCmdMinimize), Record(kCmdRestore), Record(kCmdExit), Record(kCmdHide, "A")});
    EXPECT_EQ(host.dispatcher.RunActions(list), 0);
    EXPECT_EQ(host.log, (Texts{"Minimize", "Restore", "Exit"}));
    EXPECT_EQ(host.Get("A").hidden, 0u);
}

TEST(WindowCommands, RefreshPaintsWhatChangedSoFarAndPumpsOnce) {
    for (const bool pump_goes_on : {true, false}) {
        FakeCommandHost host;
        host.on_pump = [&] { return pump_goes_on; };
        auto list = List({Record(kCmdHide, "A"), Record(kCmdRefresh), Record(kCmdHide, "B")});
        EXPECT_EQ(host.dispatcher.RunActions(list), pump_goes_on ? 1 : 0);
        EXPECT_EQ(host.pumps, 1);
        ASSERT_FALSE(host.invalidated.empty());
        EXPECT_EQ(host.invalidated[0], (Rect{7, 7, 23, 23}));
        EXPECT_EQ(host.Get("B").hidden, pump_goes_on ? 1u : 0u);
    }
}

TEST(RunVkd, NewWindowRuleElseSwitchesInThisWindow) {
    const struct {
        const char* argument;
        bool same_window;
    } cases[] = {
        {"", true},
        {"Intro", true},
        {"NEW_WINDOW", false},
        {"NEW_WINDOW,Intro", false},
        {"new_window", true},
        {"NEW_WINDOWS", true},
    };
    for (const auto& c : cases) {
        FakeCommandHost host;
        auto list = List({Record(kCmdRunVkd, "show2.vkd", c.argument), Record(kCmdHide, "A")});
        const int result = host.dispatcher.RunActions(list);
        if (c.same_window) {
            EXPECT_EQ(result, 0) << c.argument;
            EXPECT_EQ(host.log, (Texts{"exit actions Intro", "Switch expanded:show2.vkd '" +
                                                                 std::string(c.argument) + "'"}));
            EXPECT_TRUE(host.dispatcher.Stopping()) << c.argument;
            EXPECT_FALSE(host.dispatcher.Executing()) << c.argument;
            EXPECT_EQ(host.Get("A").hidden, 0u) << c.argument;
        } else {
            EXPECT_EQ(result, 1) << c.argument;
            EXPECT_TRUE(host.log.empty()) << c.argument;
            EXPECT_EQ(host.Get("A").hidden, 1u) << c.argument;
        }
    }
    FakeCommandHost host;
    EXPECT_EQ(host.dispatcher.RunActions(List({Record(kCmdRunVkd, "", "Intro")})), 1);
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
}  // namespace velk
