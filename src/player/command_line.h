// The player's command line: the argument list, the launch options another player instance
// writes in front of a page name, and the parameters scripts read.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velk {

inline constexpr std::size_t kMaxArguments = 16;
inline constexpr std::size_t kMaxArgumentLength = 1024;
inline constexpr std::string_view kLaunchPrefix = "ZAZA|SA:";

// Splits code-page text into arguments. Spaces and tabs separate arguments outside quotes; a
// double quote toggles quoting and is dropped, except that two double quotes in a row give one
// (inside or outside quotes). An argument that would grow beyond kMaxArgumentLength characters
// keeps its first kMaxArgumentLength and the rest of the line is ignored. There is room for
// kMaxArguments arguments: once they are all filled, the rest of the line is ignored too.
std::vector<std::string> ParseCommandLine(std::string_view text);

// Writes one argument so that ParseCommandLine gives it back: double quotes doubled, and the
// whole wrapped in quotes when `always_quote` is set or it holds a blank.
std::string QuoteArgument(std::string_view argument, bool always_quote = false);
// The arguments of a process (without the program name) as one command line. Empty arguments
// cannot be written and are left out.
std::string JoinCommandLine(std::span<const std::string> arguments);

struct LaunchOptions {
    std::string project_path;  // the first argument, or empty
    std::string start_page;    // the page to begin with, from the launch prefix
    bool new_window = false;   // run beside an instance that is already running

    bool operator==(const LaunchOptions&) const = default;
};

// Takes the project path from the first argument and the launch options from the second when
// it begins with "ZAZA|SA:". A second argument with the prefix is consumed: `arguments` is then
// rebuilt from the quoted project path alone, so scripts see only the path.
LaunchOptions ApplyLaunchPrefix(std::vector<std::string>& arguments);

// What scripts read: "CmdLineParam$[0]" = the argument count, "CmdLineParam$[i]" = argument
// i − 1, in that order, as (variable name, value) pairs.
std::vector<std::pair<std::string, std::string>> ScriptParameters(
    std::span<const std::string> arguments);

}  // namespace velk
