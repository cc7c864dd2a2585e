#include "player/command_line.h"

#include <string>

#include "base/codepage.h"

namespace velk {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr std::string_view kNewWindowOption = "NEW_WINDOW";
// The prefix followed by exactly the option.
constexpr std::size_t kNewWindowArgumentLength = kLaunchPrefix.size() + kNewWindowOption.size();

std::string IndexedName(std::size_t index) {
    return "CmdLineParam$[" + std::to_string(index) + "]";
}

}  // namespace

std::vector<std::string> ParseCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    while (i < text.size() && arguments.size() < kMaxArguments) {
        const char c = text[i];
        if (IsBlank(c) && !quoted) {
            if (!current.empty()) arguments.push_back(std::move(current));
            current.clear();
            while (i < text.size() && IsBlank(text[i])) ++i;
            continue;
        }
        if (c == '"' && !(i + 1 < text.size() && text[i + 1] == '"')) {
            quoted = !quoted;
            ++i;
            continue;
        }
        // An ordinary character, or the first of two double quotes standing for one.
        if (current.size() == kMaxArgumentLength) break;
        current.push_back(c);
        i += c == '"' ? 2 : 1;
    }
    if (!current.empty() && arguments.size() < kMaxArguments)
        arguments.push_back(std::move(current));
    return arguments;
}

std::string QuoteArgument(std::string_view argument, bool always_quote) {
    std::string out;
    const bool wrap = always_quote || argument.find_first_of(" \t") != std::string_view::npos;
    if (wrap) out.push_back('"');
    for (char c : argument) {
        out.push_back(c);
        if (c == '"') out.push_back('"');
    }
    if (wrap) out.push_back('"');
    return out;
}

std::string JoinCommandLine(std::span<const std::string> arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;
        if (!line.empty()) line.push_back(' ');
        line += QuoteArgument(argument);
    }
    return line;
}

LaunchOptions ApplyLaunchPrefix(std::vector<std::string>& arguments) {
    LaunchOptions options;
    if (!arguments.empty()) options.project_path = arguments[0];
    if (arguments.size() < 2 || !arguments[1].starts_with(kLaunchPrefix)) return options;

    const std::string& launch = arguments[1];
    const std::string_view after = std::string_view(launch).substr(kLaunchPrefix.size());
    const bool names_new_window =
        after.size() >= kNewWindowOption.size() &&
        Cp1252UpperString(after.substr(0, kNewWindowOption.size())) == kNewWindowOption;
    if (names_new_window && launch.size() == kNewWindowArgumentLength) {
        options.new_window = true;
    } else if (names_new_window && launch[kNewWindowArgumentLength] == ',') {
        options.new_window = true;
        options.start_page = launch.substr(kNewWindowArgumentLength + 1);
    } else if (!after.empty()) {
        // The character after the prefix is a separator of the old single-page form.
        options.start_page = std::string(after.substr(1));
    }
    options.start_page.erase(0, options.start_page.find_first_not_of(" \t\r\n\v\f"));

    arguments = ParseCommandLine(QuoteArgument(options.project_path, true));
    return options;
}

std::vector<std::pair<std::string, std::string>> ScriptParameters(
    std::span<const std::string> arguments) {
    std::vector<std::pair<std::string, std::string>> parameters;
    parameters.emplace_back(IndexedName(0), std::to_string(arguments.size()));
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        parameters.emplace_back(IndexedName(i + 1), arguments[i]);
    }
    return parameters;
}

}  // namespace velk
