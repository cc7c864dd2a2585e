#include <gtest/gtest.h>

#include "document/command_vocabulary.h"
#include "document/container.h"
#include "player_test_host.h"
#include "script/variable_store.h"

namespace velk {
namespace {

using test::PlayerRig;

ActionRecord Command(std::int32_t code, std::string target = {}, std::string argument = {}) {
    ActionRecord record;
    record.code = code;
    record.target = std::move(target);
    record.argument = std::move(argument);
    return record;
}

Page MakePage(std::string name) {
    Page page;
    page.name = std::move(name);
    return page;
}

Object MakeObject(std::int32_t kind, std::string name, Rect rect) {
    Object object;
    object.kind = kind;
    object.name = std::move(name);
    object.rect = rect;
    return object;
}

Project ThreePages() {
    Project project;
    project.header.client_width = 380;
    project.header.client_height = 200;
    project.header.title = "Show";
    for (const char* name : {"One", "Two", "Three"}) project.pages.push_back(MakePage(name));
    return project;
}

TEST(Player, StartAppliesTheHeaderAndEntersTheFirstPage) {
    PlayerRig rig;
    Project project = ThreePages();
    project.header.has_caption = 0;
    project.header.shaped_window = 1;
    project.shape.shape_points = {{0, 0}, {100, 0}, {100, 100}};
    ASSERT_TRUE(rig.Start(std::move(project), {"show.vkd", "x y"}));
    EXPECT_EQ(rig.window.title, "Show");
    EXPECT_EQ(rig.window.client, (Size{380, 200}));
    EXPECT_FALSE(rig.window.style.has_caption);
    EXPECT_EQ(rig.window.position, (Point{(1024 - 380) / 2, (768 - 200) / 2}));
    EXPECT_TRUE(rig.window.shape.has_value());
    EXPECT_EQ(rig.observer.log, std::vector<std::string>{"page One"});
    EXPECT_EQ(rig.player.Variables().GetString("ZIZ_PageName"), "One");
    EXPECT_EQ(rig.player.Variables().GetString("CmdLineParam$[0]"), "2");
    EXPECT_EQ(rig.player.Variables().GetString("CmdLineParam$[2]"), "x y");
    EXPECT_EQ(rig.player.BackBuffer().Width(), 0);  // nothing painted yet
    rig.player.Paint();
    EXPECT_EQ(rig.player.BackBuffer().Width(), 380);
}

TEST(Player, RemembersItsPositionInTheSettingsSection) {
    struct Case {
        std::string x, y;
        Point expected;
    };
    // The screen is 1024 x 768; a window that would lie wholly off it is centred instead, one
    // that still shows a corner keeps its place.
    const Point centre{322, 284};
    for (const auto& [stored_x, stored_y, expected] :
         std::vector<Case>{{"-1", "0", centre},
                           {"0", "0", {0, 0}},
                           {"1023", "767", {1023, 767}},
                           {"1024", "0", centre},
                           {"0", "768", centre},
                           {"5000", "5000", centre}}) {
        PlayerRig rig;
        Project project = ThreePages();
        project.header.remember_position = 1;
        project.header.settings_section = "Mine";
        rig.profile.WriteString("Mine", "X", stored_x);
        rig.profile.WriteString("Mine", "Y", stored_y);
        ASSERT_TRUE(rig.Start(std::move(project)));
        EXPECT_EQ(rig.window.position, expected) << stored_x << "," << stored_y;
        rig.window.position = {17, 23};
        rig.player.OnCancel();
        EXPECT_TRUE(rig.window.closed);
        EXPECT_EQ(rig.profile.ReadString("Mine", "X"), "17");
        EXPECT_EQ(rig.profile.ReadString("Mine", "Y"), "23");
    }
}

TEST(Player, PageTimerWalksThePagesAndExitTimerEnds) {
    PlayerRig rig;
    Project project = ThreePages();
    project.pages[0].entry_actions.records = {Command(kCmdPageTimer, "1000")};
    project.pages[1].entry_actions.records = {Command(kCmdPageTimer, "500", "Three")};
    project.pages[2].entry_actions.records = {Command(kCmdExitTimer, "200")};
    ASSERT_TRUE(rig.Start(std::move(project)));
    rig.Wait(999);
    EXPECT_EQ(rig.player.CurrentPageName(), "One");
    rig.Wait(1);
    EXPECT_EQ(rig.player.CurrentPageName(), "Two");
    rig.Wait(10000);
    EXPECT_TRUE(rig.player.Ended());
    EXPECT_EQ(rig.observer.log,
              (std::vector<std::string>{"page One", "page Two", "page Three", "end"}));
    EXPECT_EQ(rig.clock.ElapsedMs(), 11000u);
}

TEST(Player, EscapeRunsZizExitInsteadOfEndingAndEnterNeverEnds) {
    PlayerRig rig;
    Project project = ThreePages();
    Object exit_object = MakeObject(kKindText, "ZIZ_EXIT", {0, 0, 10, 10});
    exit_object.initially_hidden = 1;
    exit_object.actions_click.records = {Command(kCmdNextPage)};
    project.master_layer.objects.push_back(exit_object);
    ASSERT_TRUE(rig.Start(std::move(project)));
    EXPECT_FALSE(rig.player.OnKeyDown(0x0D));
    EXPECT_TRUE(rig.player.OnKeyDown(0x1B));
    EXPECT_FALSE(rig.player.Ended());
    EXPECT_EQ(rig.player.CurrentPageName(), "Two");
}

TEST(Player, TransitionPlaysOverTheWindowAndAClickEndsIt) {
    PlayerRig rig;
    Project project = ThreePages();
    project.pages[0].background_colour = 0x0000FF;
    project.pages[1].background_colour = 0x00FF00;
    project.pages[0].transition_effect = 12;
    project.pages[0].transition_duration = 500;
    project.pages[0].entry_actions.records = {Command(kCmdNextPage)};
    ASSERT_TRUE(rig.Start(std::move(project)));
    EXPECT_TRUE(rig.player.TransitionRunning());
    rig.Wait(31 * 8);
    rig.player.Paint();
    const Bgrx middle = rig.player.BackBuffer().At(10, 10);
    EXPECT_NE(middle, BgrxFromColorRef(0x0000FF));
    EXPECT_NE(middle, BgrxFromColorRef(0x00FF00));
    rig.player.OnPointer({PointerAction::kDown, {5, 5}});
    EXPECT_FALSE(rig.player.TransitionRunning());
    rig.player.Paint();
    EXPECT_EQ(rig.player.BackBuffer().At(10, 10), BgrxFromColorRef(0x00FF00));
}

TEST(Player, ExitInsideAWaitingCommandEndsOnceTheListUnwinds) {
    PlayerRig rig;
    Project project = ThreePages();
    project.pages[0].objects.push_back(MakeObject(kKindText, "Box", {0, 0, 10, 10}));
    // The page timer fires while MoveTo waits between its steps.
    project.pages[0].entry_actions.records = {Command(kCmdExitTimer, "50"),
                                              Command(kCmdMoveTo, "Box", "300,0,100"),
                                              Command(kCmdShow, "Box")};
    ASSERT_TRUE(rig.Start(std::move(project)));
    // MoveTo waits for timer 105, then moves in steps of just over 5 ms.
    while (!rig.player.Ended() && rig.clock.ElapsedMs() < 1000) rig.Wait(1);
    EXPECT_TRUE(rig.window.closed);
    EXPECT_EQ(rig.clock.ElapsedMs(), 60u);
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

// A page change that runs RunVKD while an outer list waits in MoveTo: the switch waits until
// the outer list has unwound, and the outer list, which belongs to the old project, stays valid
// until then (the sanitizers watch this).
TEST(Player, RunVkdInsideANestedPumpSwitchesOnceTheListsHaveEnded) {
    PlayerRig rig;
    Project second;
    second.pages.push_back(MakePage("B1"));
    second.pages.push_back(MakePage("B2"));
    const auto archive = WriteProjectArchive(second, kCurrentProjectVersion, true);
    rig.files.AddFile("Z:\\shows\\second.vkd", {archive.begin(), archive.end()});

    Project project = ThreePages();
    project.pages[0].objects.push_back(MakeObject(kKindText, "Box", {0, 0, 10, 10}));
    project.pages[0].entry_actions.records = {Command(kCmdPageTimer, "50", "Two"),
                                              Command(kCmdMoveTo, "Box", "300,0,100"),
                                              Command(kCmdExit)};
    project.pages[1].entry_actions.records = {Command(kCmdRunVkd, "<SrcDir>second.vkd", "B2")};
    ASSERT_TRUE(rig.Start(std::move(project)));
    rig.Wait(1000);
    EXPECT_FALSE(rig.player.Ended());  // the Exit after MoveTo never ran
    EXPECT_EQ(rig.player.CurrentPageName(), "B2");
    EXPECT_EQ(rig.observer.log, (std::vector<std::string>{"page One", "page Two", "page B2"}));
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

TEST(Player, APageWhoseEntryActionsEnterItAgainStopsAtTheRecursionLimit) {
    PlayerRig rig;
    Project project = ThreePages();
    project.pages[0].entry_actions.records = {Command(kCmdPage, "One")};
    ASSERT_TRUE(rig.Start(std::move(project)));
    EXPECT_EQ(rig.ui.Texts(), std::vector<std::string>{"Recursion in Script reached 50 levels."});
    EXPECT_EQ(rig.player.CurrentPageName(), "One");
    EXPECT_EQ(rig.observer.log.size(), 51u);
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

// The clock variables exist while an object shows them, and follow timer 600.
TEST(Player, DateAndTimeVariablesFollowTheirDisplayObjects) {
    PlayerRig rig;
    Project project = ThreePages();
    project.pages[0].objects.push_back(MakeObject(kKindText, "ZIZ_Second", {0, 0, 40, 20}));
    ASSERT_TRUE(rig.Start(std::move(project)));
    EXPECT_EQ(rig.player.Variables().GetNumber("ZIZ_Second"), 7);  // 04:05:07 at the start
    EXPECT_FALSE(rig.player.Variables().FindNumber("ZIZ_Minute").has_value());
    rig.Wait(2000);
    EXPECT_EQ(rig.player.Variables().GetNumber("ZIZ_Second"), 9);
}

}  // namespace
}  // namespace velk
