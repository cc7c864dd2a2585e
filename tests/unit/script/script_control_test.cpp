// Control flow at run time: scripts compiled from text and run by the dispatcher on a fake main
// window, checked through the variables they leave and the messages they show.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "command_test_fixture.h"
#include "script/compiler.h"

namespace velk {
namespace {

using testing::FakeCommandHost;
using testing::Record;

class ScriptHost : public FakeCommandHost {
  public:
    std::string ProjectTitle() override { return "My Show"; }
    void StartScriptTimer(std::uint32_t id, std::string_view target,
                          std::uint32_t delay_ms) override {
        timers.emplace_back(id, std::string(target), delay_ms);
    }
    void InvalidateWindow() override { ++window_invalidated; }

    std::vector<std::tuple<std::uint32_t, std::string, std::uint32_t>> timers;
    int window_invalidated = 0;
};

class ScriptControl : public ::testing::Test {
  protected:
    // Compiles without looking at the compiler's messages: some tests run what it rejects.
    static ActionListPtr Compiled(std::string_view text) {
        return std::make_shared<const ActionList>(CompileScript(text).list);
    }
    int Run(std::string_view text) { return host.dispatcher.RunActions(Compiled(text)); }
    double Var(std::string_view name) const { return host.variables.GetNumber(name); }
    bool Has(std::string_view name) const { return host.variables.FindNumber(name).has_value(); }
    void SetClick(std::string_view object, std::string_view text) {
        host.Get(object).actions_click = CompileScript(text).list;
    }

    ScriptHost host;
};

TEST_F(ScriptControl, AssignsAndBranches) {
    EXPECT_EQ(Run("a=2\nIf (a=1) Then\nx=1\nElse\nx=2\nIf (a>1) Then\ny=1\nEnd\nEnd\nz=a*3"), 1);
    EXPECT_EQ(Var("x"), 2);
    EXPECT_EQ(Var("y"), 1);
    EXPECT_EQ(Var("z"), 6);
    EXPECT_EQ(Var("a"), 2);  // a condition compares, it does not assign

    // Else at depth 0 turns off the rest of the list.
    Run("p=1\nElse\np=2");
    EXPECT_EQ(Var("p"), 1);
    EXPECT_TRUE(host.ui.Messages().empty());
}

TEST_F(ScriptControl, CountsLoopsBothWaysWithTheLimitEvaluatedAfterEveryPass) {
    const struct {
        const char* script;
        double digits, passes;
    } cases[] = {
        {"For i=1 To 3\nd=d*10+i\nc=c+1\nNext i", 123, 3},
        {"For i=5 To 1\nd=d*10+i\nc=c+1\nNext i", 54321, 5},
        {"For i=3 To 3\nd=d*10+i\nc=c+1\nNext i", 3, 1},
        // Writing the loop variable changes nothing; moving the limit does.
        {"n=3\nFor i=1 To n\nc=c+1\ni=10\nNext i", 0, 3},
        {"n=3\nFor i=1 To n\nc=c+1\nn=5\nNext i", 0, 5},
        // Nested loops with other variables are part of the body.
        {"For i=1 To 2\nFor j=1 To 3\nc=c+1\nNext j\nNext i", 0, 6},
    };
    for (const auto& c : cases) {
        host.variables.Clear();
        EXPECT_EQ(Run(c.script), 1) << c.script;
        EXPECT_EQ(Var("d"), c.digits) << c.script;
        EXPECT_EQ(Var("c"), c.passes) << c.script;
    }
}

TEST_F(ScriptControl, LoopBodiesAreConsumedAndAnEmptyBodyStopsTheRun) {
    EXPECT_EQ(Run("For i=1 To 2\nc=c+1\nNext i\nafter=1"), 1);
    EXPECT_EQ(Var("c"), 2);
    EXPECT_EQ(Var("after"), 1);
    EXPECT_EQ(Run("For k=1 To 3\nNext k\nempty_after=1"), 0);
    EXPECT_FALSE(Has("empty_after"));
}

TEST_F(ScriptControl, BreakEndsTheLoopThatTakesIt) {
    Run("For i=1 To 10\nIf (i=3) Then\nBreak()\nEnd\nc=c+1\nNext i\nafter=1");
    EXPECT_EQ(Var("c"), 2);
    EXPECT_EQ(Var("i"), 3);
    EXPECT_EQ(Var("after"), 1);

    // Inside a RunScript target the loop there takes it; the caller goes on.
    SetClick("A", "For j=1 To 5\nBreak()\nNext j\ninner=1");
    Run("RunScript(\"A\")\nouter=1");
    EXPECT_EQ(Var("inner"), 1);
    EXPECT_EQ(Var("outer"), 1);
}

TEST_F(ScriptControl, BreakWithoutALoopEndsTheRunsOnTheStackButNotLaterOnes) {
    SetClick("A", "Break()\nz=1");
    EXPECT_EQ(Run("RunScript(\"A\")\nw=1"), 1);
    EXPECT_FALSE(Has("z"));
    EXPECT_FALSE(Has("w"));
    EXPECT_FALSE(host.dispatcher.BreakSet());
    // A later list (a click, a timer) runs as usual.
    EXPECT_EQ(Run("later=1"), 1);
    EXPECT_EQ(Var("later"), 1);
}

TEST_F(ScriptControl, ReturnEndsTheRunAndEnclosingLoops) {
    EXPECT_EQ(Run("x=1\nReturn()\nx=2"), 0);
    EXPECT_EQ(Var("x"), 1);
    EXPECT_EQ(Run("For i=1 To 5\nc=c+1\nReturn()\nNext i\nafter=1"), 0);
    EXPECT_EQ(Var("c"), 1);
    EXPECT_FALSE(Has("after"));
    // RunScript ignores what its target returned.
    SetClick("A", "Return()");
    Run("RunScript(\"A\")\nafter=1");
    EXPECT_EQ(Var("after"), 1);
}

TEST_F(ScriptControl, InfiniteLoopsPumpUntilBreakOrAStop) {
    EXPECT_EQ(Run("For i=1 To Infinity\nc=c+1\nIf (c=4) Then\nBreak()\nEnd\nNext i\nafter=1"), 1);
    EXPECT_EQ(Var("c"), 4);
    EXPECT_EQ(Var("after"), 1);
    EXPECT_EQ(host.pumps, 3);
    EXPECT_EQ(host.window_invalidated, 3);

    // The page changed while pumping: the call ends.
    host.on_pump = [] { return false; };
    EXPECT_EQ(Run("For i=1 To Infinity\nd=d+1\nNext i\nafter2=1"), 0);
    EXPECT_EQ(Var("d"), 1);
    EXPECT_FALSE(Has("after2"));
}

TEST_F(ScriptControl, AStopEndsLoopsAtOnce) {
    SetClick("A", "Exit()");
    EXPECT_EQ(Run("For i=1 To 5\nc=c+1\nRunScript(\"A\")\nNext i\nafter=1"), 0);
    EXPECT_EQ(Var("c"), 1);
    EXPECT_FALSE(Has("after"));
}

TEST_F(ScriptControl, AMissingNextAsksAndTheRestOfTheListIsTheBodyThatNeverRan) {
    EXPECT_EQ(Run("For i=1 To 3\nx=1"), 1);
    EXPECT_FALSE(Has("x"));
    ASSERT_EQ(host.ui.Messages().size(), 1u);
    EXPECT_EQ(host.ui.Texts()[0],
              "Script Error: Cannot find 'next' for identifier 'i'\nDo you want to continue?");
    EXPECT_EQ(host.ui.Messages()[0].caption, "Velk Player");
    // Only a Next of the same name, spelt the same way, closes the loop.
    host.ui.Clear();
    Run("For n=1 To 2\nNext N");
    EXPECT_EQ(host.ui.Texts(),
              std::vector<std::string>{"Script Error: Cannot find 'next' for "
                                       "identifier 'n'\nDo you want to continue?"});
}

TEST_F(ScriptControl, ShowsUnusedNextAndEvaluationErrorsAndGoesOn) {
    EXPECT_EQ(
        host.dispatcher.RunActions(testing::List(
            {Record(kCodeNext, "", "i"), Record(kCodeAssign, "", "x=2y"), Record(kCodeIf, "", "3y"),
             Record(kCodeEnd), Record(kCodeAssign, "", "after=1")})),
        1);
    EXPECT_EQ(host.ui.Texts(),
              (std::vector<std::string>{"Script Error: Unused next\nnext i",
                                        "Syntax Error - Operand missing \nx=2y ?????",
                                        "Syntax Error - Operand missing \n3y ?????"}));
    EXPECT_EQ(Var("after"), 1);
}

// A loop body keeps its records' programs from pass to pass: errors, created variables and
// conditions must come out of every pass as they do from a list run once.
TEST_F(ScriptControl, LoopBodiesShowTheirErrorsOnEveryPass) {
    ActionRecord loop = Record(kCodeFor, "", "i=1");
    loop.limit = "2";
    EXPECT_EQ(
        host.dispatcher.RunActions(testing::List(
            {loop, Record(kCodeAssign, "", "x=2y"), Record(kCodeIf, "", "3y"), Record(kCodeEnd),
             Record(kCodeAssign, "", "p=1e200*1e200+n"), Record(kCodeIf, "", "n=i-1"),
             Record(kCodeAssign, "", "n=n+1"), Record(kCodeEnd), Record(kCodeNext, "", "i")})),
        1);
    const std::vector<std::string> pass = {"Syntax Error - Operand missing \nx=2y ?????",
                                           "Syntax Error - Operand missing \n3y ?????",
                                           "Overflow  \np=1e200*1e200+ ?????"};
    std::vector<std::string> both = pass;
    both.insert(both.end(), pass.begin(), pass.end());
    EXPECT_EQ(host.ui.Texts(), both);
    EXPECT_EQ(Var("n"), 2);  // created by the first pass, compared (not assigned) in the second
    EXPECT_EQ(Var("p"), 1e301 + 1);
}

TEST_F(ScriptControl, IfsNestFiftyDeep) {
    std::string script;
    for (int i = 0; i < 51; ++i) script += "If (1) Then\n";
    script += "inside=1\n";
    for (int i = 0; i < 51; ++i) script += "End\n";
    script += "after=1";
    Run(script);
    EXPECT_EQ(host.ui.Texts(), std::vector<std::string>{"If .. Then reached 50 levels."});
    EXPECT_EQ(Var("inside"), 1);
    EXPECT_EQ(Var("after"), 1);
}

TEST_F(ScriptControl, RunScriptGoesThroughTheNestingGuard) {
    SetClick("A", "hits=hits+1\nRunScript(\"A\")");
    Run("RunScript(\"A\")\nRunScript(\"Missing\")\nafter=1");
    EXPECT_EQ(Var("hits"), 49);
    EXPECT_EQ(host.ui.Texts(), std::vector<std::string>{"Recursion in Script reached 50 levels."});
    EXPECT_EQ(Var("after"), 1);
}

TEST_F(ScriptControl, TargetsWithAnIndexNameNumberedObjects) {
    host.Get("Button1").actions_click = CompileScript("hit=1").list;
    Run("k=1\nRunScript(\"Button[k]\")\nHide(\"Button[k]\")");
    EXPECT_EQ(Var("hit"), 1);
    EXPECT_EQ(host.Get("Button1").hidden, 1u);
}

TEST_F(ScriptControl, ScriptTimersTakeTheirPrefixAndDelay) {
    host.variables.SetNumber("d", 50);
    Run("ScriptTimer(\"TimerB=Obj\",\"250\")\nScriptTimer(\"timerb=Obj\",\"1\")\n"
        "ScriptTimer(\"TIMERA=Master Layer::X\",\"d*2\")\nScriptTimer(\"timerc=Y\",\"-5\")\n"
        "ScriptTimer(\"other=Obj\",\"0\")\nScriptTimer(\"=Obj\",\"10\")\n"
        "ScriptTimer(\"Obj\",\"12abc\")\nScriptTimer(\"Obj\",\"\")");
    using T = std::tuple<std::uint32_t, std::string, std::uint32_t>;
    EXPECT_EQ(host.timers,
              (std::vector<T>{T{102, "Obj", 250}, T{102, "Obj", 1}, T{101, "Master Layer::X", 100},
                              T{103, "Y", 0}, T{4, "Obj", 0}, T{4, "=Obj", 10}, T{4, "Obj", 12}}));
}

TEST_F(ScriptControl, PausesWaitMoreThanTheirTime) {
    const std::uint32_t start = host.clock.TickCount();
    EXPECT_EQ(Run("Pause(\"500\")\nafter=1"), 1);
    EXPECT_EQ(host.clock.TickCount() - start, 501u);
    EXPECT_EQ(Var("after"), 1);

    host.on_pump = [] { return false; };
    EXPECT_EQ(Run("Pause(\"-20\")\nafter2=1"), 0);
    EXPECT_FALSE(Has("after2"));
    EXPECT_FALSE(host.dispatcher.Executing());
}

TEST_F(ScriptControl, MessagesShowTextAndValue) {
    host.variables.SetNumber("points", 3);
    host.variables.SetNumber("half", 1.5);
    host.variables.SetString("who$", "Ann");
    Run("Message(\"Score\",\"points\")\nMessage(\"Half\",\"half\")\nMessage(\"Hi\",\"who$\")\n"
        "Message(\"who$\",\"\")");
    EXPECT_EQ(host.ui.Texts(), (std::vector<std::string>{"Score\npoints : 3 ", "Half\nhalf : 1.5 ",
                                                         "Hi\nAnn", "Ann"}));
    EXPECT_EQ(host.ui.Messages()[0].caption, "My Show");
}

TEST_F(ScriptControl, DisplayValueWritesTheObjectsText) {
    host.variables.SetNumber("x", 2.5);
    host.variables.SetString("s$", "text");
    Run("DisplayValue(\"A\",\"x*2\")\nDisplayValue(\"B\",\"s$\")\nDisplayValue(\"C\",\"x/3\")\n"
        "DisplayValue(\"Missing\",\"1\")");
    EXPECT_EQ(host.Get("A").text, "5");
    EXPECT_EQ(host.Get("B").text, "text");
    EXPECT_EQ(host.Get("C").text, "0.833333333333333");
    ASSERT_FALSE(host.invalidated.empty());
    EXPECT_EQ(host.invalidated[0], (Rect{10, 10, 220, 20}));
}

TEST_F(ScriptControl, DisplayValueIntoADrawnInputTextSetsItsFieldAndVariables) {
    Object& field = host.Get("A");
    field.kind = kKindInputText;
    field.text_variable = "age$";
    field.number_variable = "age";
    field.option3 = 1;
    field.input_field.emplace().text = "old";
    field.input_field->caret = 3;
    Run("DisplayValue(\"A\",\"42.7\")");
    EXPECT_EQ(field.input_field->text, "42.7");
    EXPECT_EQ(field.text, "42.7");
    EXPECT_EQ(host.variables.GetString("age$"), "42.7");
    EXPECT_EQ(Var("age"), 42);  // the integer the text begins with
    // Not drawn yet: only the object's text changes.
    Object& undrawn = host.Get("B");
    undrawn.kind = kKindInputText;
    undrawn.text_variable = "b$";
    Run("DisplayValue(\"B\",\"7\")");
    EXPECT_EQ(undrawn.text, "7");
    EXPECT_FALSE(host.variables.FindString("b$").has_value());
}

}  // namespace
}  // namespace velk
