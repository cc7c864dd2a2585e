// The player's options in front of the presentation's command line, and when a display was
// named at all.
#include <gtest/gtest.h>

#include "player_options.h"

namespace velk {
namespace {

using Action = PlayerOptions::Action;
using desktop::ScaleMode;
using Args = std::vector<std::string>;

TEST(PlayerOptions, OptionsComeBeforeTheProjectAndEverythingFromItOnIsThePresentations) {
    struct Case {
        Args given;
        Action action;
        bool fullscreen;
        bool smooth;
        ScaleMode scale;
        Args presentation;
    };
    const Case cases[] = {
        {{}, Action::kPlay, false, false, ScaleMode::kFit, {}},
        {{"show.vkd"}, Action::kPlay, false, false, ScaleMode::kFit, {"show.vkd"}},
        {{"--fullscreen", "--scale", "integer", "show.vkd", "a b"},
         Action::kPlay,
         true,
         false,
         ScaleMode::kInteger,
         {"show.vkd", "a b"}},
        {{"--scale=stretch", "--smooth", "show.vkd"},
         Action::kPlay,
         false,
         true,
         ScaleMode::kStretch,
         {"show.vkd"}},
        // After the project file, options are the presentation's arguments.
        {{"show.vkd", "--fullscreen", "--help", "--what"},
         Action::kPlay,
         false,
         false,
         ScaleMode::kFit,
         {"show.vkd", "--fullscreen", "--help", "--what"}},
        // "--" ends the options: a project named like an option can be played.
        {{"--smooth", "--", "--odd.vkd", "x"},
         Action::kPlay,
         false,
         true,
         ScaleMode::kFit,
         {"--odd.vkd", "x"}},
        // One dash is no option of the player's: it is the project file.
        {{"-x", "--fullscreen"},
         Action::kPlay,
         false,
         false,
         ScaleMode::kFit,
         {"-x", "--fullscreen"}},
        {{"--fullscreen", "--help", "show.vkd"}, Action::kHelp, true, false, ScaleMode::kFit, {}},
        {{"--version"}, Action::kVersion, false, false, ScaleMode::kFit, {}},
        {{"--verbose", "show.vkd"}, Action::kRefuse, false, false, ScaleMode::kFit, {}},
        {{"--scale", "huge", "show.vkd"}, Action::kRefuse, false, false, ScaleMode::kFit, {}},
        {{"--scale"}, Action::kRefuse, false, false, ScaleMode::kFit, {}},
        {{"--help=yes"}, Action::kRefuse, false, false, ScaleMode::kFit, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.given));
        const PlayerOptions options = ParsePlayerOptions(c.given);
        EXPECT_EQ(options.action, c.action);
        EXPECT_EQ(options.action == Action::kRefuse, !options.error.empty()) << options.error;
        if (c.action == Action::kRefuse) continue;
        EXPECT_EQ(options.fullscreen, c.fullscreen);
        EXPECT_EQ(options.smooth, c.smooth);
        EXPECT_EQ(options.scale, c.scale);
        EXPECT_EQ(options.presentation, c.presentation);
    }
    EXPECT_EQ(ParsePlayerOptions(Args{"--bogus"}).error, "unknown option --bogus");
}

TEST(PlayerOptions, HelpStatesTheRuleAndVersionTheBuildsVersion) {
    const std::string help = UsageText("velkplayer");
    EXPECT_TRUE(help.starts_with(UsageLine("velkplayer") + "\n"));
    for (const char* word : {"--fullscreen", "--scale", "integer", "stretch", "--smooth",
                             "--version", "before the project file", "F11", "Exit status"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(VersionText("show"), std::string("show ") + VELK_VERSION + "\n");
}

TEST(PlayerOptions, ADisplayIsNamedByThePlatformAnXOrWaylandDisplayOrQtsOption) {
    struct Case {
        DisplayEnvironment environment;
        Args given;
        bool named;
    };
    // QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY.
    const Case cases[] = {
        {{"", "", ""}, {"show.vkd"}, false},
        {{"", ":0", ""}, {}, true},
        {{"", "", "wayland-0"}, {}, true},
        {{"offscreen", "", ""}, {}, true},
        {{"", "", ""}, {"show.vkd", "-platform", "offscreen"}, true},
        {{"", "", ""}, {"--platform"}, false},  // Qt's options have one dash here
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NamesADisplay(c.environment, c.given), c.named)
            << testing::PrintToString(c.given);
    }
}

}  // namespace
}  // namespace velk
