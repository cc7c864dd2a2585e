// What the desktop player does before its window exists: the arguments of the process and the
// project to play.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/load_context.h"
#include "host/host.h"
#include "player/standalone.h"

namespace velk {

// The presentation's arguments (UTF-8, as the process got them or a file dialog gave them) as
// code-page text: each goes through `files.FromUserPath` (characters the code page lacks become
// their best fit or '?', and the file system remembers the exact names of any argument that
// names a file). They are written back into one command line, which is read as the player reads
// every command line, so that the same limits and quoting rules hold as for a hand-over from a
// second instance.
std::string CommandLineOf(std::span<const std::string> arguments, host::FileSystem& files);

// Whether the executable at `own_exe_path` carries a project of its own.
bool IsStandalone(std::string_view own_exe_path, const host::FileSystem& fs);

// The project of this start. A standalone presentation (the executable carries a project) starts
// as LoadStartupProject says. The plain player has no project of its own to fall back on: it
// plays the file named on the command line (without one it reports the missing payload as a
// standalone presentation would; the desktop player asks for a file first).
StartupProject LoadPlayerProject(std::string_view own_exe_path, std::string_view project_path,
                                 const host::FileSystem& fs, LoadContext& ctx);

}  // namespace velk
