// String built-ins on texts: char, chr, getarrayitem, the path parts, case, and the str*
// family. Positions are 1-based as scripts count them.
#include <algorithm>

#include "base/codepage.h"
#include "script/builtin_support.h"
#include "script/number_text.h"

namespace velk {
namespace {

// Longest text strofchar builds: beyond this a script would only exhaust memory.
constexpr std::size_t kLongestRepetition = std::size_t{1} << 26;

// Zero-based start of a 1-based position below 1 counted as 1.
std::size_t FromPosition(std::int32_t position) {
    return static_cast<std::size_t>(std::max(position, 1) - 1);
}

std::string Char(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return {};
    return NumberToText(ReadNumber(parser, args[0]));
}

std::string Chr(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return {};
    // "%c" into a text: the code 0 ends it at once.
    const char c = static_cast<char>(ReadWholeNumber(parser, args[0]) & 0xFF);
    return c == '\0' ? std::string() : std::string(1, c);
}

std::string GetArrayItem(ExpressionParser& parser) {
    std::array<std::string_view, 3> args;
    if (!WindowCall(parser, args)) return {};
    // The list must be named by a string variable.
    if (args[0].find('$', 1) == std::string_view::npos) return {};
    const std::string list = ReadText(parser, args[0]);
    const std::string separator = ReadText(parser, args[1]);
    const std::int32_t n = ReadWholeNumber(parser, args[2]);
    std::string_view rest = list;
    for (std::int32_t i = 1; i <= n; ++i) {
        const std::size_t end = rest.find(separator);
        if (end == std::string_view::npos || end == 0) return {};
        if (i == n) return std::string(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    return {};
}

// The parts of a path, as the runtime splits it: "C:" drive, "\dir\" directory, name, ".ext".
struct PathParts {
    std::string_view drive, dir, name, ext;
};

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        parts.dir = path.substr(0, slash + 1);
        path.remove_prefix(slash + 1);
    }
    const std::size_t dot = path.rfind('.');
    parts.name = path.substr(0, dot);
    if (dot != std::string_view::npos) parts.ext = path.substr(dot);
    return parts;
}

template <std::string_view PathParts::*Part>
std::string Extract(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return {};
    const std::string path = ReadPath(parser, args[0]);
    return std::string(SplitPath(path).*Part);
}

template <char (*Convert)(char)>
std::string ChangeCase(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return {};
    std::string text = ReadText(parser, args[0]);
    for (char& c : text) c = Convert(c);
    return text;
}

std::string StrCopy(ExpressionParser& parser) {
    std::array<std::string_view, 3> args;
    if (!WindowCall(parser, args)) return {};
    const std::string text = ReadText(parser, args[0]);
    const std::size_t from = FromPosition(ReadWholeNumber(parser, args[1]));
    const std::int32_t count = ReadWholeNumber(parser, args[2]);
    if (from >= text.size() || count < 1) return {};
    return text.substr(from, static_cast<std::size_t>(count));
}

std::string StrDel(ExpressionParser& parser) {
    std::array<std::string_view, 3> args;
    if (!WindowCall(parser, args)) return {};
    std::string text = ReadText(parser, args[0]);
    const std::size_t from = FromPosition(ReadWholeNumber(parser, args[1]));
    const std::int32_t count = ReadWholeNumber(parser, args[2]);
    if (from < text.size() && count >= 1) text.erase(from, static_cast<std::size_t>(count));
    return text;
}

std::string StrIns(ExpressionParser& parser) {
    std::array<std::string_view, 3> args;
    if (!WindowCall(parser, args)) return {};
    std::string text = ReadText(parser, args[0]);
    const std::string insert = ReadText(parser, args[1]);
    const std::size_t at = FromPosition(ReadWholeNumber(parser, args[2]));
    if (text.empty()) return {};
    text.insert(std::min(at, text.size()), insert);
    return text;
}

std::string StrChange(ExpressionParser& parser) {
    std::array<std::string_view, 3> args;
    if (!WindowCall(parser, args)) return {};
    const std::string text = ReadText(parser, args[0]);
    const std::string old_text = ReadText(parser, args[1]);
    const std::string new_text = ReadText(parser, args[2]);
    if (old_text.empty()) return text;
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(old_text); at != std::string::npos;
         at = text.find(old_text, from)) {
        out.append(text, from, at - from);
        out += new_text;
        from = at + old_text.size();
    }
    out.append(text, from);
    return out;
}

std::string StrGet(ExpressionParser& parser) {
    std::array<std::string_view, 2> args;
    if (!WindowCall(parser, args)) return {};
    const std::string text = ReadText(parser, args[0]);
    const std::size_t at = FromPosition(ReadWholeNumber(parser, args[1]));
    return at < text.size() ? std::string(1, text[at]) : std::string();
}

std::string StrSet(ExpressionParser& parser) {
    std::array<std::string_view, 3> args;
    if (!WindowCall(parser, args)) return {};
    const std::string text = ReadText(parser, args[0]);
    const std::int32_t position = ReadWholeNumber(parser, args[1]);
    const std::string replacement = ReadText(parser, args[2]);
    if (replacement.empty()) return {};
    // The first position - 1 characters, the replacement, the characters after position.
    const std::size_t after = static_cast<std::size_t>(std::max(position, 0));
    std::string out = text.substr(0, FromPosition(position));
    out += replacement;
    if (after < text.size()) out.append(text, after);
    return out;
}

std::string StrOfChar(ExpressionParser& parser) {
    std::array<std::string_view, 2> args;
    if (!WindowCall(parser, args)) return {};
    const std::string unit = ReadText(parser, args[0]);
    const std::int32_t n = ReadWholeNumber(parser, args[1]);
    if (unit.empty() || n < 1) return {};
    const std::size_t times = std::min<std::size_t>(n, kLongestRepetition / unit.size());
    std::string out;
    out.reserve(times * unit.size());
    for (std::size_t i = 0; i < times; ++i) out += unit;
    return out;
}

constexpr StringEntry kText[] = {
    {"char", Char},
    {"chr", Chr},
    {"getarrayitem", GetArrayItem},
    {"extractdrive", Extract<&PathParts::drive>},
    {"extractdir", Extract<&PathParts::dir>},
    {"extractname", Extract<&PathParts::name>},
    {"extractext", Extract<&PathParts::ext>},
    {"low", ChangeCase<Cp1252Lower>},
    {"upp", ChangeCase<Cp1252Upper>},
    {"strcopy", StrCopy},
    {"strdel", StrDel},
    {"strins", StrIns},
    {"strchange", StrChange},
    {"strget", StrGet},
    {"strset", StrSet},
    {"strofchar", StrOfChar},
};

}  // namespace

std::span<const StringEntry> TextBuiltins() {
    return kText;
}

}  // namespace velk
