#include "player_startup.h"

#include "base/codepage.h"
#include "player/command_line.h"

namespace velk {

std::string CommandLineFromArgv(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8ToCp1252(argv[i]));
    return JoinCommandLine(arguments);
}

StartupProject LoadPlayerProject(std::string_view own_exe_path, std::string_view project_path,
                                 const host::FileSystem& fs, LoadContext& ctx) {
    const auto own_bytes = fs.ReadFile(own_exe_path);
    const bool standalone = own_bytes && ReadStandaloneTrailer(*own_bytes).trailer.has_value();
    if (standalone || project_path.empty()) {
        return LoadStartupProject(own_exe_path, project_path, fs, ctx);
    }
    auto opened = OpenProjectFile(project_path, fs, ctx);
    StartupProject startup;
    // Every failure has shown its message; a file that is no project leaves nothing to play.
    if (!opened || opened->status == LoadStatus::kNotAProject) return startup;
    startup.ok = true;
    startup.source_path = std::string(project_path);
    startup.load = std::move(*opened);
    return startup;
}

}  // namespace velk
