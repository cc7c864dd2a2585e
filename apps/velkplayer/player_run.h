// One run of the desktop player once Qt is up: the project to play (named, appended to the
// executable, or chosen in a file dialog), the single-instance hand-over, the window and the
// exit status.
#pragma once

#include <ostream>
#include <string_view>

#include "hosts/qt/qt_host.h"
#include "player_options.h"

namespace velk {

inline constexpr int kExitPlayed = 0;
inline constexpr int kExitNothingPlayed = 1;
inline constexpr int kExitBadOption = 2;

struct PlayerConsole {
    std::string_view program;  // the name messages on `err` begin with
    std::ostream& err;
};

// Plays as `options` say with the executable at `own_exe_path` and returns the exit status:
// kExitPlayed when the presentation ran and ended, was handed to a running instance, or no
// project was chosen; kExitNothingPlayed when the project could not be played. Start-up
// messages are shown in their boxes and also written to `console.err`.
int RunPlayer(desktop::QtHost& host, const PlayerOptions& options, std::string_view own_exe_path,
              const PlayerConsole& console);

}  // namespace velk
