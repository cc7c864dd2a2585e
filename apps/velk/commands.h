// The subcommands of the velk tool. Each returns the process exit code: 0 on success, 1 when
// the input cannot be read or an output cannot be written (after a message on stderr).
#pragma once

#include <optional>
#include <string>

namespace velk::tool {

struct DumpArgs {
    std::string input;       // a project file or a standalone executable
    std::string output_dir;  // empty: "<input name without extension>_dump" beside the input
    bool omit_defaults = false;
};
int RunDump(const DumpArgs& args);

struct BuildArgs {
    std::string description;  // project.json
    std::string output;
    std::string player;         // non-empty: append the project to a copy of this executable
    bool uncompressed = false;  // no zlib layer, so the records lie open in the file
};
int RunBuild(const BuildArgs& args);

struct ExtractArgs {
    std::string input;
    std::string output_dir;
};
int RunExtract(const ExtractArgs& args);

struct RenderArgs {
    std::string input;
    std::optional<std::string> page;  // a page name (UTF-8); none: the first page
    std::string output;               // empty: FILE's name with ".png", beside FILE
};
int RunRender(const RenderArgs& args);

}  // namespace velk::tool
