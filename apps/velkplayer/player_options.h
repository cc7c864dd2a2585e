// The desktop player's own options and the presentation's command line behind them.
//
// The rule that tells them apart: the player's options come first and are written in their long
// form ("--fullscreen"). The first argument that does not begin with "--" is the project file;
// it and everything after it are the presentation's command line, read as a presentation reads
// its arguments. "--" ends the options, so that a project whose name begins with "--" can be
// played. Qt's own options (-platform, -display, ...) are taken out by Qt wherever they stand.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/qt/letterbox.h"

namespace velk {

struct PlayerOptions {
    enum class Action {
        kPlay,
        kHelp,     // --help: usage on stdout
        kVersion,  // --version: the version on stdout
        kRefuse,   // an option the player does not know, or a bad value: `error` says which
    };
    Action action = Action::kPlay;
    bool fullscreen = false;
    bool smooth = false;
    desktop::ScaleMode scale = desktop::ScaleMode::kFit;
    // The presentation's command line: the project file and its arguments (UTF-8, as given).
    std::vector<std::string> presentation;
    std::string error;
};

// The process arguments after the program name.
PlayerOptions ParsePlayerOptions(std::span<const std::string> arguments);

// What --help prints; `program` is the name the player was started by.
std::string UsageText(std::string_view program);
// The one line that follows a refused option on stderr.
std::string UsageLine(std::string_view program);
// What --version prints.
std::string VersionText(std::string_view program);

// The environment variables that tell Qt where to show windows.
struct DisplayEnvironment {
    std::string qpa_platform;     // QT_QPA_PLATFORM
    std::string display;          // DISPLAY
    std::string wayland_display;  // WAYLAND_DISPLAY
};

// Whether a display was named at all: a platform chosen (QT_QPA_PLATFORM or Qt's -platform
// option) or an X or Wayland display given. Without one Qt would abort when it starts.
bool NamesADisplay(const DisplayEnvironment& environment, std::span<const std::string> arguments);

}  // namespace velk
