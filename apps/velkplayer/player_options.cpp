#include "player_options.h"

#include <array>
#include <optional>
#include <utility>

#ifndef VELK_VERSION
#error "VELK_VERSION is set by the build from the project's version"
#endif

namespace velk {
namespace {

using desktop::ScaleMode;

constexpr std::string_view kOptionPrefix = "--";
constexpr std::string_view kScaleOption = "--scale";

constexpr std::array<std::pair<std::string_view, ScaleMode>, 3> kScaleModes{{
    {"fit", ScaleMode::kFit},
    {"integer", ScaleMode::kInteger},
    {"stretch", ScaleMode::kStretch},
}};

std::optional<ScaleMode> ScaleModeNamed(std::string_view name) {
    for (const auto& [mode_name, mode] : kScaleModes) {
        if (name == mode_name) return mode;
    }
    return std::nullopt;
}

PlayerOptions Refused(std::string error) {
    PlayerOptions refused;
    refused.action = PlayerOptions::Action::kRefuse;
    refused.error = std::move(error);
    return refused;
}

}  // namespace

PlayerOptions ParsePlayerOptions(std::span<const std::string> arguments) {
    PlayerOptions options;
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kOptionPrefix) {
            ++i;
            break;
        }
        if (!argument.starts_with(kOptionPrefix)) break;  // the project file
        if (argument == "--help") {
            options.action = PlayerOptions::Action::kHelp;
            return options;
        }
        if (argument == "--version") {
            options.action = PlayerOptions::Action::kVersion;
            return options;
        }
        if (argument == "--fullscreen") {
            options.fullscreen = true;
        } else if (argument == "--smooth") {
            options.smooth = true;
        } else if (argument == kScaleOption || argument.starts_with("--scale=")) {
            std::string_view value;
            if (argument == kScaleOption) {
                if (i + 1 == arguments.size()) return Refused("option --scale needs a value");
                value = arguments[++i];
            } else {
                value = std::string_view(argument).substr(kScaleOption.size() + 1);
            }
            const auto mode = ScaleModeNamed(value);
            if (!mode) {
                return Refused("--scale takes fit, integer or stretch, not '" + std::string(value) +
                               "'");
            }
            options.scale = *mode;
        } else {
            return Refused("unknown option " + argument);
        }
    }
    options.presentation.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                                arguments.end());
    return options;
}

std::string UsageLine(std::string_view program) {
    return "Usage: " + std::string(program) +
           " [--fullscreen] [--scale fit|integer|stretch] [--smooth] [--] "
           "[PROJECT.vkd [ARGUMENT]...]";
}

std::string UsageText(std::string_view program) {
    return UsageLine(program) + "\n" +
           R"(Plays a Velk presentation in a window on the desktop.

Options (only before the project file, and only in this long form):
  --fullscreen       start fullscreen; F11 switches between fullscreen and the window
  --scale MODE       how a fullscreen presentation fills the screen:
                       fit      as large as fits, proportions kept, black bars (default)
                       integer  the largest whole-number enlargement that fits, centred
                       stretch  the whole screen, proportions not kept
  --smooth           smooth the enlarged picture (default: sharp pixels)
  --help             show this help and exit
  --version          show the version and exit
  --                 end of the options: what follows is the presentation's

The project file and every argument after it are the presentation's command line: its scripts
read them as CmdLineParam$. Without a project file (and no project appended to the player) a
file dialog asks for one. F11 is always the player's and never reaches the presentation.
Qt's own options (-platform, -display, ...) are written with one dash.

Exit status: 0 when the presentation ran (or the file dialog was cancelled), 1 when nothing
could be played (no display, a project that cannot be opened), 2 for a bad option.
)";
}

std::string VersionText(std::string_view program) {
    return std::string(program) + " " + VELK_VERSION + "\n";
}

bool NamesADisplay(const DisplayEnvironment& environment, std::span<const std::string> arguments) {
    if (!environment.qpa_platform.empty() || !environment.display.empty() ||
        !environment.wayland_display.empty()) {
        return true;
    }
    for (const std::string& argument : arguments) {
        if (argument == "-platform") return true;
    }
    return false;
}

}  // namespace velk
