#include "player/command_line.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using Args = std::vector<std::string>;

struct ParseCase {
    std::string line;
    Args arguments;
};

TEST(CommandLine, SplitsWithTheQuoteRules) {
    const ParseCase cases[] = {
        {"", {}},
        {" \t ", {}},
        {"show.vkd", {"show.vkd"}},
        {"  a\t\tb   ", {"a", "b"}},  // trailing blanks add no empty argument
        {"\"my show.vkd\" page", {"my show.vkd", "page"}},
        {"a\"b c\"d", {"ab cd"}},  // quotes toggle in the middle of an argument
        {"say\"\"hi", {"say\"hi"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"\"", {"\""}},  // a lone pair is one double quote
        {"x \"\" y", {"x", "\"", "y"}},
        {"\"open", {"open"}},
        {"\"", {}},
        {"\"a\tb\"", {"a\tb"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCommandLine(c.line), c.arguments) << c.line;
}

TEST(CommandLine, ArgumentsStopAt1024CharactersAndTheRestIsIgnored) {
    const std::string full(kMaxArgumentLength, 'x');
    EXPECT_EQ(ParseCommandLine(full + " b"), (Args{full, "b"}));
    EXPECT_EQ(ParseCommandLine(full + "y c"), (Args{full}));
    EXPECT_EQ(ParseCommandLine("a \"" + full + "\"\" c"), (Args{"a", full}));
}

TEST(CommandLine, KeepsAtMostSixteenArguments) {
    std::string line;
    Args first16;
    for (int i = 1; i <= 20; ++i) {
        line += "a" + std::to_string(i) + " ";
        if (i <= 16) first16.push_back("a" + std::to_string(i));
    }
    EXPECT_EQ(ParseCommandLine(line), first16);
}

TEST(CommandLine, JoinedArgumentsParseBackUnchanged) {
    const Args arguments = {"plain", "with space", "q\"uote",   "\"lead", "trail\"",
                            "\"",    "\"x y",      "tab\there", "\"\"",   "Z:\\a b\\c.vkd"};
    EXPECT_EQ(ParseCommandLine(JoinCommandLine(arguments)), arguments);
    EXPECT_EQ(JoinCommandLine(Args{"a", "", "b"}), "a b");
}

struct LaunchCase {
    Args arguments;
    LaunchOptions options;
    Args arguments_after;
};

TEST(CommandLine, LaunchPrefix) {
    const LaunchCase cases[] = {
        {{}, {"", "", false}, {}},
        {{"show.vkd"}, {"show.vkd", "", false}, {"show.vkd"}},
        {{"show.vkd", "Intro"}, {"show.vkd", "", false}, {"show.vkd", "Intro"}},
        // The option alone, in any letter case.
        {{"show.vkd", "ZAZA|SA:NEW_WINDOW"}, {"show.vkd", "", true}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:new_Window"}, {"show.vkd", "", true}, {"show.vkd"}},
        // The option, a comma and a page; leading blanks of the page go.
        {{"show.vkd", "ZAZA|SA:NEW_WINDOW,Intro"}, {"show.vkd", "Intro", true}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:NEW_WINDOW,  Page 2"}, {"show.vkd", "Page 2", true}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:NEW_WINDOW,"}, {"show.vkd", "", true}, {"show.vkd"}},
        // Any other text: one character skipped, the page is the rest.
        {{"show.vkd", "ZAZA|SA:,Intro"}, {"show.vkd", "Intro", false}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:x \tIntro"}, {"show.vkd", "Intro", false}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:NEW_WINDOWS"}, {"show.vkd", "EW_WINDOWS", false}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:NEW_WINDOW;P"}, {"show.vkd", "EW_WINDOW;P", false}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:NEW_WIN"}, {"show.vkd", "EW_WIN", false}, {"show.vkd"}},
        {{"show.vkd", "ZAZA|SA:"}, {"show.vkd", "", false}, {"show.vkd"}},
        // The prefix is matched with its case, and only in the second argument.
        {{"show.vkd", "zaza|sa:NEW_WINDOW"},
         {"show.vkd", "", false},
         {"show.vkd", "zaza|sa:NEW_WINDOW"}},
        {{"ZAZA|SA:NEW_WINDOW"}, {"ZAZA|SA:NEW_WINDOW", "", false}, {"ZAZA|SA:NEW_WINDOW"}},
        // Rebuilt from the quoted path: a path with blanks stays one argument, later
        // arguments are gone.
        {{"Z:\\my shows\\a.vkd", "ZAZA|SA:NEW_WINDOW", "more"},
         {"Z:\\my shows\\a.vkd", "", true},
         {"Z:\\my shows\\a.vkd"}},
    };
    for (const auto& c : cases) {
        Args arguments = c.arguments;
        const LaunchOptions options = ApplyLaunchPrefix(arguments);
        const std::string where = c.arguments.size() > 1 ? c.arguments[1] : "";
        EXPECT_EQ(options.project_path, c.options.project_path) << where;
        EXPECT_EQ(options.start_page, c.options.start_page) << where;
        EXPECT_EQ(options.new_window, c.options.new_window) << where;
        EXPECT_EQ(arguments, c.arguments_after) << where;
    }
}

TEST(CommandLine, LaunchPrefixParsedFromTheWholeLine) {
    Args arguments = ParseCommandLine("\"Z:\\a b\\show.vkd\" \"ZAZA|SA:NEW_WINDOW,Last Page\"");
    const LaunchOptions options = ApplyLaunchPrefix(arguments);
    EXPECT_EQ(options, (LaunchOptions{"Z:\\a b\\show.vkd", "Last Page", true}));
    EXPECT_EQ(arguments, Args{"Z:\\a b\\show.vkd"});
}

TEST(CommandLine, ScriptParameters) {
    using Params = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ScriptParameters(Args{}), (Params{{"CmdLineParam$[0]", "0"}}));
    EXPECT_EQ(ScriptParameters(Args{"show.vkd", "a b"}), (Params{{"CmdLineParam$[0]", "2"},
                                                                 {"CmdLineParam$[1]", "show.vkd"},
                                                                 {"CmdLineParam$[2]", "a b"}}));
    Args many(16, "x");
    const auto params = ScriptParameters(many);
    ASSERT_EQ(params.size(), 17u);
    EXPECT_EQ(params[0].second, "16");
    EXPECT_EQ(params[16].first, "CmdLineParam$[16]");
}

}  // namespace
}  // namespace velk
