// The subcommands of the velk tool. Each returns the process exit code: 0 on success, 1 when
// the input cannot be read or an output cannot be written (after a message on stderr).
#pragma once

#include <cstdint>
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
    std::int32_t max_side = 0;        // above 0: scaled down to fit a square of this side
};
int RunRender(const RenderArgs& args);

struct RunArgs {
    std::string input;      // a project file or a standalone executable
    std::string events;     // the event script; empty: none (the presentation runs by itself)
    std::string shots_dir;  // where "shot" events write NAME.png; empty: nowhere
    std::string log;        // the effect log; empty: stdout
    std::string audio;      // a WAV file of what sounded; empty: none
    std::uint64_t max_time_ms = 60'000;
};
// Also 2 for an event script with a bad line, 3 when the watchdog stopped the run.
int RunRun(const RunArgs& args);

}  // namespace velk::tool
