#include "commands/dispatcher.h"

#include <gtest/gtest.h>

#include "command_test_fixture.h"
#include "commands/if_levels.h"
#include "document/command_vocabulary.h"

namespace velk {
namespace {

using testing::FakeCommandHost;
using testing::List;
using testing::Record;
using Texts = std::vector<std::string>;

TEST(RunActions, RefusesMissingEmptyOrStoppedListsWithoutEffect) {
    FakeCommandHost host;
    Dispatcher& d = host.dispatcher;
    EXPECT_EQ(d.RunActions(nullptr), 0);
    EXPECT_EQ(d.RunActions(List({})), 0);
    d.StopAll();
    EXPECT_EQ(d.RunActions(List({Record(kCmdHide, "A")})), 0);
    EXPECT_EQ(host.Get("A").hidden, 0u);
    EXPECT_FALSE(d.Executing());
    EXPECT_EQ(d.Depth(), 0);

    d.ClearStop();
    EXPECT_EQ(d.RunActions(List({Record(kCmdHide, "A")})), 1);
    EXPECT_EQ(host.Get("A").hidden, 1u);
    EXPECT_TRUE(host.invalidated.size() == 1 && host.ui.Messages().empty());
}

TEST(RunActions, TargetsNamedThroughStringVariables) {
    FakeCommandHost host;
    host.variables.SetString("Obj$", "Button1");
    host.variables.SetString("$X", "Button1");
    EXPECT_EQ(host.dispatcher.RunActions(List({Record(kCmdHide, " Obj$ ")})), 1);
    EXPECT_EQ(host.Get("Button1").hidden, 1u);

    // A leading "$" alone is no variable name: the object "$X" itself is meant.
    host.Get("Button1").hidden = 0;
    host.dispatcher.RunActions(List({Record(kCmdHide, "$X")}));
    EXPECT_EQ(host.Get("$X").hidden, 1u);
    EXPECT_EQ(host.Get("Button1").hidden, 0u);
}

TEST(RunActions, RepaintsTheUnionOfChangedObjectsOnceAtTheEnd) {
    FakeCommandHost host;
    host.Get("B").hidden = 1;
    ASSERT_EQ(host.dispatcher.RunActions(
                  List({Record(kCmdHide, "A"), Record(kCmdShow, "B"), Record(kCmdInvert, "C")})),
              1);
    // Hide and Invert grow their object by 2, Show does not; the end grows the union by 1.
    EXPECT_EQ(host.invalidated, (std::vector<Rect>{Rect{7, 7, 63, 63}}));
    EXPECT_EQ(host.Get("C").hidden, 1u);
}

TEST(RunActions, CodesWithoutBehaviourPassSilently) {
    FakeCommandHost host;
    auto list = List({Record(kCmdWavePlay, "song.wav", "1"), Record(kCodeComment, {}, "* note"),
                      Record(kCodeAssign, {}, "a=1"), Record(500, "A"), Record(-3, "A"),
                      Record(kCmdHide, "Missing")});
    EXPECT_EQ(host.dispatcher.RunActions(list), 1);
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(host.invalidated.empty());
    EXPECT_TRUE(host.ui.Messages().empty());
    EXPECT_EQ(host.Get("A").hidden, 0u);
}

TEST(RunActions, BreakFlagEndsEveryListBeforeItsNextRecordUntilTheOutermostRunEnds) {
    FakeCommandHost host;
    host.dispatcher.SetBreak(true);
    EXPECT_EQ(host.dispatcher.RunActions(List({Record(kCmdHide, "A")})), 1);
    EXPECT_EQ(host.Get("A").hidden, 0u);
    // Left set, it would end every later list before its first record.
    EXPECT_FALSE(host.dispatcher.BreakSet());
    EXPECT_EQ(host.dispatcher.RunActions(List({Record(kCmdHide, "A")})), 1);
    EXPECT_EQ(host.Get("A").hidden, 1u);
}

TEST(RunActions, StopAllFromInsideAPumpEndsTheRunningList) {
    FakeCommandHost host;
    ActionListPtr list = List({Record(kCmdRefresh), Record(kCmdHide, "A")});
    host.on_pump = [&] {
        host.dispatcher.StopAll();
        list.reset();  // the owner lets go of the list; the run still holds it
        return true;
    };
    EXPECT_EQ(host.dispatcher.RunActions(list), 0);
    EXPECT_EQ(host.Get("A").hidden, 0u);
    EXPECT_FALSE(host.dispatcher.Executing());
    EXPECT_EQ(host.dispatcher.CurrentList(), nullptr);
    EXPECT_TRUE(host.dispatcher.PendingStop());
}

TEST(RunActions, NestedRunInsideAPumpKeepsItsOwnPositionAndRepaint) {
    FakeCommandHost host;
    int nested_runs = 0;
    host.on_pump = [&] {
        if (nested_runs++ == 0) {
            EXPECT_EQ(host.dispatcher.Depth(), 1);
            EXPECT_EQ(host.dispatcher.RunActions(List({Record(kCmdHide, "B")})), 1);
        }
        return true;
    };
    EXPECT_EQ(host.dispatcher.RunActions(List({Record(kCmdRefresh), Record(kCmdHide, "A")})), 1);
    EXPECT_EQ(host.Get("A").hidden, 1u);
    EXPECT_EQ(host.Get("B").hidden, 1u);
    // The nested list repainted B; the outer list only A.
    EXPECT_EQ(host.invalidated, (std::vector<Rect>{{27, 27, 43, 43}, {7, 7, 23, 23}}));
    EXPECT_EQ(host.dispatcher.Depth(), 0);
}

TEST(RunGuarded, RefusesTheFiftiethNestedRun) {
    FakeCommandHost host;
    auto list = List({Record(kCmdFirstPage)});
    host.on_page_change = [&] { host.dispatcher.RunGuarded(list); };
    EXPECT_EQ(host.dispatcher.RunGuarded(list), 1);
    EXPECT_EQ(host.log.size(), 49u);
    ASSERT_EQ(host.ui.Messages().size(), 1u);
    EXPECT_EQ(host.ui.Messages()[0].caption, "Velk Player");
    EXPECT_EQ(host.ui.Messages()[0].text, "Recursion in Script reached 50 levels.");
    EXPECT_EQ(host.dispatcher.Depth(), 0);

    // The guard counts back down: a fresh run is allowed again.
    host.on_page_change = nullptr;
    EXPECT_EQ(host.dispatcher.RunGuarded(list), 1);
}

TEST(ResolveText, NamesOfExistingStringVariablesOnly) {
    VariableStore vars;
    vars.SetString("Obj$", "Button1");
    vars.SetString("$X", "no");
    const struct {
        const char* text;
        const char* resolved;
    } cases[] = {
        {"Obj$", "Button1"},
        {"\t Obj$ ", "Button1"},
        {" Other$ ", " Other$ "},
        {"$X", "$X"},
        {"obj$", "obj$"},
        {" plain ", " plain "},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveText(c.text, vars), c.resolved) << c.text;
}

TEST(SplitArgs, CutsAtCommasSkippingEmptyFields) {
    VariableStore vars;
    vars.SetString("P$", "3,4,5");
    const struct {
        const char* text;
        std::size_t count;
        Texts fields;
    } cases[] = {
        {"1,,2", 3, {"1", "2"}},
        {",,5", 4, {"5"}},
        {"a,b,c", 2, {"a", "b"}},
        {" x , y", 4, {" x ", " y"}},
        {"", 4, {}},
        {",", 4, {}},
        {"P$", 2, {"3", "4"}},
        {"10,20,30,40,50", 4, {"10", "20", "30", "40"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitArgs(c.text, c.count, vars), c.fields) << c.text;
}

// The If levels as skipping sees them: a sequence of If (with its condition), Else and End.
TEST(IfLevels, ElseAndEndFollowTheEnclosingLevel) {
    IfLevels ifs;
    EXPECT_TRUE(ifs.EnterIf(false));  // If (0)
    EXPECT_FALSE(ifs.Running());
    EXPECT_TRUE(ifs.SkipIf());  //   If inside a skipped level
    ifs.ElseWhileSkipping();    //   its Else: the level below is skipped too
    EXPECT_FALSE(ifs.Running());
    ifs.End();
    ifs.ElseWhileSkipping();  // Else of If (0): runs
    EXPECT_TRUE(ifs.Running());
    ifs.End();
    EXPECT_EQ(ifs.Depth(), 0);
    EXPECT_TRUE(ifs.Running());

    // Else at depth 0 switches running off for good.
    ifs.ElseWhileRunning();
    ifs.ElseWhileSkipping();
    ifs.End();
    EXPECT_FALSE(ifs.Running());
}

TEST(IfLevels, TheFiftyFirstIfIsRefusedAndItsEndClosesLevelFifty) {
    IfLevels ifs;
    for (int i = 0; i < kMaxIfDepth - 1; ++i) ASSERT_TRUE(ifs.EnterIf(true));
    ASSERT_TRUE(ifs.EnterIf(false));
    EXPECT_FALSE(ifs.SkipIf());
    EXPECT_EQ(ifs.Depth(), kMaxIfDepth);
    ifs.End();  // meant for the refused If, closes level 50
    EXPECT_EQ(ifs.Depth(), kMaxIfDepth - 1);
    EXPECT_TRUE(ifs.Running());
}

}  // namespace
}  // namespace velk
