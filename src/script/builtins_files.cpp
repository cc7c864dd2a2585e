// Built-ins on text files: nol (lines of a file), strtofile (write or append), strfromfile
// (read lines). Lines end with CR LF; files come through the host's file system.
#include <optional>
#include <vector>

#include "host/host.h"
#include "script/builtin_support.h"

namespace velk {
namespace {

std::optional<std::string> ReadWholeFile(ScriptOwner& owner, const std::string& path) {
    host::FileSystem* files = owner.ScriptFiles();
    if (files == nullptr) return std::nullopt;
    auto bytes = files->ReadFile(path);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

constexpr std::string_view kLineEnd = "\r\n";

double Nol(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return 0.0;
    const auto text = ReadWholeFile(*parser.Owner(), ReadPath(parser, args[0]));
    if (!text) return 0.0;
    double lines = 1;
    for (std::size_t at = text->find(kLineEnd); at != std::string::npos;
         at = text->find(kLineEnd, at + 2)) {
        ++lines;
    }
    return lines;
}

bool IsTrueFlag(std::string_view text) {
    return text == "true" || text == "TRUE" || text == "1";
}

double StrToFile(ExpressionParser& parser) {
    std::array<std::string_view, 4> args;
    if (!WindowCall(parser, args)) return 0.0;
    ScriptOwner& owner = *parser.Owner();
    const std::string path = ReadPath(parser, args[0]);
    const std::string text = ReadText(parser, args[1]);
    const bool append = IsTrueFlag(ReadText(parser, args[2]));
    const bool newline = IsTrueFlag(ReadText(parser, args[3]));

    std::string contents;
    if (append) contents = ReadWholeFile(owner, path).value_or("");
    if (append && newline && !contents.empty()) contents += kLineEnd;
    contents += text;
    host::FileSystem* files = owner.ScriptFiles();
    const auto* data = reinterpret_cast<const std::uint8_t*>(contents.data());
    if (files == nullptr || !files->WriteFile(path, {data, contents.size()})) {
        owner.ShowMessageNamingFile("Couldn't create the file!", path);
        return 0.0;
    }
    return 1.0;
}

constexpr NumericEntry kFileNumbers[] = {
    {"nol", Nol},
    {"strtofile", StrToFile},
};

// The offset where line `line` (from 1) starts, or nothing when the text has fewer lines.
std::optional<std::size_t> LineStart(std::string_view text, std::int32_t line) {
    std::size_t at = 0;
    for (std::int32_t i = 1; i < line; ++i) {
        const std::size_t end = text.find(kLineEnd, at);
        if (end == std::string_view::npos) return std::nullopt;
        at = end + kLineEnd.size();
    }
    return at;
}

std::string StrFromFile(ExpressionParser& parser) {
    std::array<std::string_view, 3> args;
    if (!WindowCall(parser, args)) return {};
    const std::string path = ReadPath(parser, args[0]);
    std::int32_t first = ReadWholeNumber(parser, args[1]);
    const std::int32_t count = ReadWholeNumber(parser, args[2]);
    if (count == -1 && first < 1) first = 1;
    if (first < 1 || (count < 1 && count != -1)) return {};
    const auto text = ReadWholeFile(*parser.Owner(), path);
    if (!text) return {};
    const auto start = LineStart(*text, first);
    if (!start) return {};
    if (count == -1) return text->substr(*start);
    // The end of line first + count - 1, or the end of the file when it ends earlier.
    std::size_t end = *start;
    for (std::int32_t i = 0; i < count; ++i) {
        end = text->find(kLineEnd, end);
        if (end == std::string::npos) return text->substr(*start);
        if (i + 1 < count) end += kLineEnd.size();
    }
    return text->substr(*start, end - *start);
}

constexpr StringEntry kFileStrings[] = {
    {"strfromfile", StrFromFile},
};

}  // namespace

std::span<const NumericEntry> FileNumericBuiltins() {
    return kFileNumbers;
}

std::span<const StringEntry> FileStringBuiltins() {
    return kFileStrings;
}

}  // namespace velk
