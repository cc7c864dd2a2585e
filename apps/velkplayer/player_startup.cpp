#include "player_startup.h"

#include "base/codepage.h"
#include "player/command_line.h"

namespace velk {

std::string CommandLineOf(std::span<const std::string> arguments, host::FileSystem& files) {
    std::vector<std::string> code_page;
    // As the system gave a code-page program its command line: names outside the code page
    // in their best fit. The file system keeps the exact names to lead that form back to them.
    for (const std::string& argument : arguments) code_page.push_back(files.FromUserPath(argument));
    return JoinCommandLine(code_page);
}

bool IsStandalone(std::string_view own_exe_path, const host::FileSystem& fs) {
    const auto own_bytes = fs.ReadFile(own_exe_path);
    return own_bytes && ReadStandaloneTrailer(*own_bytes).trailer.has_value();
}

StartupProject LoadPlayerProject(std::string_view own_exe_path, std::string_view project_path,
                                 const host::FileSystem& fs, LoadContext& ctx) {
    if (project_path.empty() || IsStandalone(own_exe_path, fs)) {
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
