#include "script/compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/headless/recording_ui.h"
#include "script/compiler_script_codec.h"

namespace velk {
namespace {

struct Expected {
    const char* line;
    std::int32_t code;
    const char* target;
    const char* argument;
    const char* limit;
    std::int32_t argument_count;
};

TEST(ScriptCompiler, TurnsEachLineFormIntoItsRecord) {
    const Expected cases[] = {
        {"Page(\"Page 1\")", 11, "Page 1", "", "", 1},
        {"Message(\"Total\",\"count\")", 30, "Total", "count", "", 2},
        {"count=count+1", 99, "", "count=count+1", "", 0},
        {"name$='abc'", 99, "", "name$='abc'", "", 0},
        {"If (count>3) Then", 100, "", "count>3", "", 0},
        {"if(a=1)", 100, "", "a=1", "", 0},
        {"IF ((a)*(b))", 100, "", "(a)*(b)", "", 0},
        {"Else", 104, "", "", "", 0},
        {"END", 101, "", "", "", 0},
        {"For i=1 To 10", 102, "", "i=1", "10", 0},
        {"For   i = 1   To  n*2", 102, "", "i = 1", " n*2", 0},
        {"For i=1 To Infinity", 102, "", "i=1", "Infinity", 0},
        {"Next i", 103, "", "i", "", 0},
        {"Next   i  ", 103, "", "i", "", 0},
        {"Return()", 31, "", "", "", 0},
        {"return(\"ignored\")", 31, "", "", "", 0},
        {"* a remark", 200, "", "* a remark", "", 0},
        {"*x=1", 200, "", "*x=1", "", 0},
        // "=" before the first "(" makes an assignment, whatever the line starts with.
        {"x$='f(a)'", 99, "", "x$='f(a)'", "", 0},
        {"if x=1", 99, "", "if x=1", "", 0},
        // The argument runs to the last quote, so it may hold quotes; case is kept.
        {"SendCommand(\"Obj\",\"say \"hi\" now\")", 89, "Obj", "say \"hi\" now", "", 2},
        {"hide(\"Obj\")", 0, "Obj", "", "", 1},
        {"PageTimer(\"1000\"  ,  \"Next\")  ", 28, "1000", "Next", "", 2},
    };
    for (const Expected& c : cases) {
        ActionRecord record;
        const ParsedLine parsed = ParseLine(record, c.line);
        EXPECT_TRUE(parsed.ok) << c.line << ": " << parsed.message;
        EXPECT_EQ(record.code, c.code) << c.line;
        EXPECT_EQ(record.target, c.target) << c.line;
        EXPECT_EQ(record.argument, c.argument) << c.line;
        EXPECT_EQ(record.limit, c.limit) << c.line;
        EXPECT_EQ(record.argument_count, c.argument_count) << c.line;
        EXPECT_EQ(record.error_text, "") << c.line;
    }
}

TEST(ScriptCompiler, RejectsLinesWithTheirMessages) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"For i=1", "Expecting 'To'\nFormat is (example): For i=1 To 5"},
        {"For i=1 To5", "Incorrect command format\nFormat is (example): For i=1 To 5"},
        {"For i=1 TO 5", "Expecting 'To'\nFormat is (example): For i=1 To 5"},
        {"If a>1 Then", "If command - missing left bracket.\nFormat is (example): If (i=1) Then"},
        {"if (a>1", "If command - missing right bracket.\nFormat is (example): If (i=1) Then"},
        {"If (2y) Then", "Incorrect command format\nFormat is (example): If (i=1) Then"},
        {"If (2y)", "Syntax Error - Operand missing \n2y ?????"},
        {"x=2y", "Syntax Error - Operand missing \nx=2y ?????"},
        {"For i=2y To 5", "Syntax Error - Operand missing \ni=2y ?????"},
        {"Frobnicate(\"x\")", "Unknown function frobnicate\nFrobnicate(\"x\")"},
        {"Next", "Unknown function \nNext"},
        {"Page (\"x\")", "Unknown function page \nPage (\"x\")"},
        {"Hide(Obj)", "Missing ' \" ' before first argument: Command(\"Object\"...\nHide(Obj)"},
        {"Hide(\"Obj)",
         "Missing ' \" ' after the first argument: Command(\"Object\"...\nHide(\"Obj)"},
        {"Message(\"Text\")",
         "This command needs another argument\n Command(\"ObjName\",\"Argument\")\n"
         "Message(\"Text\")"},
        {"Message(\"Text\",\"x)",
         "This command needs another argument\n Command(\"ObjName\",\"Argument\")\n"
         "Message(\"Text\",\"x)"},
    };
    for (const auto& c : cases) {
        ActionRecord record;
        const ParsedLine parsed = ParseLine(record, c.line);
        EXPECT_FALSE(parsed.ok) << c.line;
        EXPECT_EQ(parsed.message, c.message) << c.line;
    }
    // Errors of a command stay in the record, without the line.
    ActionRecord record;
    ParseLine(record, "Frobnicate(\"x\")");
    EXPECT_EQ(record.error_text, "Unknown function frobnicate");
}

TEST(ScriptCompiler, TriesLinesWithoutVariablesAndAcceptsUnknownNames) {
    ActionRecord record;
    EXPECT_TRUE(ParseLine(record, "total=price*count+missing").ok);
    EXPECT_TRUE(ParseLine(record, "If (undefined$='x') Then").ok);
    EXPECT_TRUE(ParseLine(record, "For k=first To last").ok);
}

CompiledScript Compile(const std::string& text) {
    return CompileScript(text);
}

TEST(ScriptCompiler, SplitsTrimsAndKeepsRejectedLinesAsComments) {
    const CompiledScript compiled = Compile("  Hide(\"A\")  \r\n\r\n\tx=1\nBogus()\r\nShow(\"A\")");
    EXPECT_FALSE(compiled.ok);
    ASSERT_EQ(compiled.list.records.size(), 4u);
    EXPECT_EQ(compiled.list.records[0].code, 0);
    EXPECT_EQ(compiled.list.records[1].argument, "x=1");
    EXPECT_EQ(compiled.list.records[2].code, kCodeComment);
    EXPECT_EQ(compiled.list.records[2].argument, "** Error Bogus()");
    EXPECT_EQ(compiled.list.records[3].code, 1);
    ASSERT_EQ(compiled.messages.size(), 1u);
    EXPECT_EQ(compiled.messages[0].line, 4);
    EXPECT_EQ(compiled.messages[0].text, "Unknown function bogus\nBogus()");

    const CompiledScript empty = Compile("");
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.list.empty());
    EXPECT_TRUE(Compile("\r\n  \n").list.empty());
}

TEST(ScriptCompiler, ChecksTheBlockBalanceOnce) {
    const struct {
        const char* text;
        const char* message;  // null: balanced
    } cases[] = {
        {"If (a) Then\nEnd", nullptr},
        {"For i=1 To 2\nIf (i) Then\nEnd\nNext i", nullptr},
        {"If (a) Then", "Expected 'End' \nYou have more 'If' than 'End' commands."},
        {"End", "Expected 'If' \nYou have more 'End' than 'If' commands."},
        {"For i=1 To 2", "Expected 'Next' \nYou have more 'For' than 'Next' commands."},
        {"Next i", "Expected 'For' \nYou have more 'Next' than 'For' commands."},
        // Only the If message when both are off.
        {"If (a) Then\nFor i=1 To 2", "Expected 'End' \nYou have more 'If' than 'End' commands."},
        // A rejected If or a For without "To" still opens its block.
        {"If a Then\nEnd", nullptr},
        {"For i=1\nNext i", nullptr},
    };
    for (const auto& c : cases) {
        const CompiledScript compiled = Compile(c.text);
        const bool balance_message =
            !compiled.messages.empty() && compiled.messages.back().line == 0;
        if (c.message == nullptr) {
            EXPECT_FALSE(balance_message) << c.text;
        } else {
            ASSERT_TRUE(balance_message) << c.text;
            EXPECT_EQ(compiled.messages.back().text, c.message) << c.text;
            EXPECT_EQ(compiled.messages.size(), 1u) << c.text;
            EXPECT_FALSE(compiled.ok) << c.text;
        }
    }
}

TEST(ScriptCompiler, ShowsEachMessageInABoxCaptionedWithTheApplication) {
    headless::RecordingUi ui;
    CompileScript("Bogus()\nIf (a) Then", ui);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].caption, "Velk Player");
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{
                              "Unknown function bogus\nBogus()",
                              "Expected 'End' \nYou have more 'If' than 'End' commands."}));
}

TEST(ScriptDecompiler, WritesTextThatCompilesBackExactly) {
    const std::string text =
        "* start\nPage(\"Intro\")\nx=x+1\nIf (x>3) Then\nMessage(\"Sum\",\"x\")\nElse\n"
        "Return()\nEnd\nFor i=1 To n\nHide(\"Obj[i]\")\nNext i";
    const CompiledScript compiled = Compile(text);
    ASSERT_TRUE(compiled.ok);
    const std::optional<std::string> again = DecompileScript(compiled.list);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(*again, text);
}

TEST(ScriptDecompiler, RefusesRecordsNoTextMakes) {
    auto record = [](std::int32_t code, std::string target, std::string argument,
                     std::int32_t count) {
        ActionRecord r;
        r.code = code;
        r.target = std::move(target);
        r.argument = std::move(argument);
        r.argument_count = count;
        return r;
    };
    const std::vector<ActionRecord> refused[] = {
        {record(11, "Intro", "stray", 1)},  // an argument the command does not take
        {record(11, "In\"tro", "", 1)},     // a quote in the target
        {record(30, "a\nb", "x", 2)},       // a line break
        {record(99, "", " x=1", 0)},        // blanks the compiler trims
        {record(5000, "", "", 0)},          // no command has this code
        {record(kCodeIf, "", "a", 0)},      // an If without its End
        {record(kCodeComment, "", "no star", 0)},
        {record(kCodeAssign, "", "x=2y", 0)},  // a line the compiler rejects
    };
    for (const auto& records : refused) {
        ActionList list;
        list.records = records;
        EXPECT_FALSE(DecompileScript(list).has_value()) << records[0].code;
    }
    ActionList spare;
    spare.records = {record(11, "Intro", "", 1)};
    spare.records[0].spare_number = 7;
    EXPECT_FALSE(DecompileScript(spare).has_value());
}

TEST(ScriptCodec, CompilesStrictlyWithTheLineNumber) {
    const CompilerScriptCodec codec;
    std::string error;
    EXPECT_TRUE(codec.Compile("Hide(\"A\")\nShow(\"B\")", error).has_value());
    EXPECT_FALSE(codec.Compile("Hide(\"A\")\n\nBogus()", error).has_value());
    EXPECT_EQ(error, "line 3: Unknown function bogus\nBogus()");
    EXPECT_FALSE(codec.Compile("If (a) Then", error).has_value());
    EXPECT_EQ(error, "Expected 'End' \nYou have more 'If' than 'End' commands.");
    // Empty lists stay records.
    EXPECT_FALSE(codec.Decompile(ActionList{}).has_value());
}

}  // namespace
}  // namespace velk
