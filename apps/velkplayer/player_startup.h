// What the desktop player does before its window exists: the arguments of the process and the
// project to play.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/load_context.h"
#include "host/host.h"
#include "player/standalone.h"

namespace velk {

// The process arguments after the program name, as code-page text. argv is UTF-8; the
// arguments are written back into one command line and read as the player reads every command
// line, so that the same limits and quoting rules hold as for a hand-over from a second
// instance.
std::string CommandLineFromArgv(int argc, const char* const* argv);

// The project of this start. A standalone presentation (the executable carries a project) starts
// as LoadStartupProject says. The plain player has no project of its own to fall back on: it
// plays the file named on the command line, and without one it reports the missing payload as
// a standalone presentation would.
StartupProject LoadPlayerProject(std::string_view own_exe_path, std::string_view project_path,
                                 const host::FileSystem& fs, LoadContext& ctx);

}  // namespace velk
