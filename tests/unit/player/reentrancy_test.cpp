// Action lists that start while another one waits: clicks during Pause, page changes and project
// switches from inside nested calls, Break from another list, deep RunScript chains and Exit in
// the middle of it all. Played through the headless event loop, with message boxes that stay up
// (and let timers fire) as the desktop's modal boxes do; every case must end with the state the
// presentation's scripts expect, and under the sanitizers without a fault.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "document/container.h"
#include "document/project_json.h"
#include "hosts/headless/effect_log.h"
#include "hosts/headless/headless_event_loop.h"
#include "hosts/headless/headless_window.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/virtual_clock.h"
#include "player/player.h"
#include "script/compiler_script_codec.h"
#include "script/variable_store.h"

namespace velk {
namespace {

constexpr std::uint32_t kStartTick = 1'000'000;

// A modal message box that stays up for `linger_ms` while the event loop goes on, then is
// answered with its first button.
class LingeringUi : public host::Ui {
  public:
    LingeringUi(headless::EffectLog& log, headless::HeadlessEventLoop& loop,
                headless::VirtualClock& clock)
        : log_(log), loop_(loop), clock_(clock) {}
    host::MessageAnswer Ask(std::string_view caption, std::string_view text,
                            host::MessageButtons buttons, host::MessageIcon icon) override {
        const host::MessageAnswer answer =
            buttons == host::MessageButtons::kYesNo || buttons == host::MessageButtons::kYesNoCancel
                ? host::MessageAnswer::kYes
                : host::MessageAnswer::kOk;
        log_.MessageBox(caption, text, icon, headless::AnswerName(answer));
        const std::uint64_t until = clock_.ElapsedMs() + linger_ms;
        while (clock_.ElapsedMs() < until &&
               loop_.WaitUntil(kStartTick + static_cast<std::uint32_t>(until))) {
        }
        return answer;
    }
    void LoadProgress(std::uint32_t /*permille*/) override {}
    std::uint64_t linger_ms = 0;

  private:
    headless::EffectLog& log_;
    headless::HeadlessEventLoop& loop_;
    headless::VirtualClock& clock_;
};

class Timers : public headless::TimerSource {
  public:
    explicit Timers(Player& player) : player_(player) {}
    std::optional<std::uint32_t> NextTimerDue() const override { return player_.NextTimerDue(); }
    void DeliverDueTimers() override { player_.DeliverDueTimers(); }

  private:
    Player& player_;
};

// A page: its entry script and text objects 30 x 30 pixels placed left to right from (10, 10)
// every 40 pixels, each with a click script and the flag that lets the pointer reach it (the
// first is clicked at 20 20, the second at 60 20).
struct PageText {
    std::string name;
    std::string entry;
    std::vector<std::pair<std::string, std::string>> objects = {};
};

Json PageJson(const PageText& page) {
    Json objects = Json::array();
    for (std::size_t i = 0; i < page.objects.size(); ++i) {
        const std::int32_t left = 10 + 40 * static_cast<std::int32_t>(i);
        objects.push_back({{"kind", 1},
                           {"extra_value2", 1},
                           {"name", page.objects[i].first},
                           {"rect", {left, 10, left + 30, 40}},
                           {"text", page.objects[i].first},
                           {"actions_click", page.objects[i].second}});
    }
    return {{"name", page.name}, {"entry_actions", page.entry}, {"objects", objects}};
}

Project MakeProject(const std::vector<PageText>& pages) {
    Json description = {
        {"version", 27},
        {"header",
         {{"title", "Nested"}, {"client_width", 200}, {"client_height", 60}, {"has_caption", 0}}},
        {"pages", Json::array()}};
    for (const PageText& page : pages) description["pages"].push_back(PageJson(page));
    const CompilerScriptCodec scripts;
    MemoryBlobs blobs;
    DescriptionResult read = ProjectFromJson(description, blobs, &scripts);
    EXPECT_TRUE(read.description) << read.error;
    return read.description ? read.description->project : Project{};
}

struct Rig {
    headless::MemoryFileSystem files;
    headless::MemoryProfileStore profile;
    headless::VirtualClock clock{kStartTick};
    std::vector<std::string> lines;
    headless::EffectLog log{clock, [this](std::string_view line) {
                                lines.emplace_back(line.substr(0, line.size() - 1));
                            }};
    headless::HeadlessEventLoop loop{clock};
    LingeringUi ui{log, loop, clock};
    headless::LoggingObserver observer{log};
    headless::HeadlessWindow window;
    Player player{PlayerServices{ui, profile, files, clock, loop, window, observer}};
    Timers timers{player};

    // Plays `project` with the events of `events` (clicks, "vars", "quit"), for at most
    // `horizon_ms` virtual milliseconds.
    void Play(Project project, std::string_view events, std::uint64_t horizon_ms = 5000) {
        loop.SetTimerSource(&timers);
        loop.SetEventHandler([this](const headless::ScriptedEvent& event) {
            if (event.kind == headless::EventKind::kClick) {
                player.OnPointer({PointerAction::kMove, {event.x, event.y}});
                player.OnPointer({PointerAction::kDown, {event.x, event.y}});
                player.OnPointer({PointerAction::kUp, {event.x, event.y}});
            } else if (event.kind == headless::EventKind::kVars) {
                log.Variables(player.VariableValues());
            } else if (event.kind == headless::EventKind::kQuit) {
                loop.Quit();
            }
        });
        loop.Schedule(headless::ParseEventScript(events).events);
        loop.SetHorizon(horizon_ms);
        PlayerStart start;
        start.project.ok = true;
        start.project.source_path = "Z:\\shows\\show.vkd";
        start.project.load.status = LoadStatus::kLoaded;
        start.project.load.project = std::move(project);
        ASSERT_TRUE(player.Start(std::move(start)));
        if (!loop.Quitting()) loop.WaitUntilElapsed(horizon_ms);
        EXPECT_FALSE(loop.Tripped()) << loop.Failure();
        loop.SetTimerSource(nullptr);
        loop.SetEventHandler(nullptr);
    }
    double Number(std::string_view name) const { return player.Variables().GetNumber(name); }
    bool Logged(std::string_view line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::string Log() const {
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        return text;
    }
};

TEST(Reentrancy, AClickDuringPauseRunsItsListAndTheWaitingListGoesOn) {
    Rig rig;
    rig.Play(
        MakeProject({{"Main", "a=1\nPause(\"1000\")\nb=a\n", {{"Set", "a=5\nclicks=clicks+1"}}}}),
        "wait 300\nclick 20 20\nwait 1000\nquit\n");
    EXPECT_EQ(rig.Number("clicks"), 1);
    EXPECT_EQ(rig.Number("b"), 5) << rig.Log();
}

TEST(Reentrancy, AClickDuringPauseThatChangesPageStopsTheWaitingList) {
    // The clicked list may wait again on the new page; the list that waited first still stops.
    for (const std::string& click : {std::string("Page(\"Second\")\ninner=1"),
                                     std::string("Page(\"Second\")\nPause(\"500\")\ninner=1")}) {
        Rig rig;
        rig.Play(MakeProject({{"Main", "Pause(\"1000\")\nouter=1\n", {{"Go", click}}},
                              {"Second", "second=second+1\n"}}),
                 "wait 300\nclick 20 20\nwait 2000\nquit\n");
        EXPECT_EQ(rig.player.CurrentPageName(), "Second") << click;
        EXPECT_EQ(rig.Number("inner"), 1) << click;
        EXPECT_EQ(rig.Number("second"), 1) << click;
        EXPECT_EQ(rig.Number("outer"), 0) << click << "\n" << rig.Log();
    }
}

TEST(Reentrancy, ABreakButtonEndsAnInfiniteLoopThatPauses) {
    Rig rig;
    rig.Play(MakeProject({{"Main",
                           "For i=1 To Infinity\nn=n+1\nPause(\"100\")\nNext i\nafter=1\n",
                           {{"Stop", "Break()"}}}}),
             "wait 550\nclick 20 20\nwait 1000\nquit\n");
    EXPECT_EQ(rig.Number("after"), 1) << rig.Log();
    EXPECT_GE(rig.Number("n"), 5);
    EXPECT_LE(rig.Number("n"), 7);
}

TEST(Reentrancy, AStrayBreakEndsItsOwnListOnly) {
    // No For loop encloses the Break: it cuts its own list short, and the flag does not outlive
    // the run, or every later click, timer and page entry would return before its first record.
    Rig rig;
    rig.Play(MakeProject({{"Main", "", {{"Stray", "Break()\nstray=1"}, {"Later", "later=1"}}}}),
             "wait 100\nclick 20 20\nwait 100\nclick 60 20\nwait 100\nquit\n");
    EXPECT_EQ(rig.Number("stray"), 0);
    EXPECT_EQ(rig.Number("later"), 1);
}

TEST(Reentrancy, RunVkdFromAScriptTimerWaitsForTheOpenMessageBox) {
    Rig rig;
    Project second = MakeProject({{"Other", "arrived=1\n"}});
    rig.files.AddFile("Z:\\shows\\second.vkd", WriteProjectArchive(second, 27, true));
    rig.ui.linger_ms = 500;
    rig.Play(MakeProject({{"Main",
                           "ScriptTimer(\"Switch\",\"100\")\nMessage(\"Hello\",\"\")\nafter=1\n",
                           {{"Switch", "RunVKD(\"<SrcDir>second.vkd\",\"\")\nswitched=1"}}}}),
             "wait 2000\nquit\n");
    // The box was answered at 500 and the list behind it stopped there; the switch waited for
    // that, and came with the next tick of its 100 ms timer.
    EXPECT_EQ(rig.player.CurrentPageName(), "Other") << rig.Log();
    EXPECT_EQ(rig.Number("arrived"), 1);
    EXPECT_EQ(rig.Number("after"), 0);
    EXPECT_TRUE(rig.Logged("t=0 msgbox \"Nested\" \"Hello\" warning -> ok")) << rig.Log();
    EXPECT_TRUE(rig.Logged("t=600 page \"Other\"")) << rig.Log();
}

TEST(Reentrancy, RunScriptSixtyDeepShowsTheRecursionMessageOnce) {
    Rig rig;
    rig.Play(MakeProject(
                 {{"Main",
                   "RunScript(\"Deeper\")\ndone=1\n",
                   {{"Deeper", "depth=depth+1\nIf (depth<60) Then\nRunScript(\"Deeper\")\nEnd"}}}}),
             "wait 100\nquit\n");
    int recursion_messages = 0;
    for (const std::string& line : rig.lines) {
        if (line.find("Recursion in Script reached 50 levels.") != std::string::npos) {
            ++recursion_messages;
        }
    }
    EXPECT_EQ(recursion_messages, 1) << rig.Log();
    EXPECT_EQ(rig.Number("depth"), 49);
    EXPECT_EQ(rig.Number("done"), 1);
}

TEST(Reentrancy, ExitInANestedListInsidePauseEndsEverything) {
    Rig rig;
    rig.Play(MakeProject({{"Main",
                           "Pause(\"1000\")\nouter=1\n",
                           {{"Quit", "For i=1 To 3\nRunScript(\"Leave\")\nNext i\nafter_exit=1"},
                            {"Leave", "left=left+1\nExit()"}}}}),
             "wait 300\nclick 20 20\nwait 2000\nquit\n");
    EXPECT_TRUE(rig.player.Ended()) << rig.Log();
    EXPECT_TRUE(rig.Logged("t=300 end")) << rig.Log();
    EXPECT_EQ(rig.Number("left"), 1);
    EXPECT_EQ(rig.Number("after_exit"), 0);
    EXPECT_EQ(rig.Number("outer"), 0);
}

}  // namespace
}  // namespace velk
