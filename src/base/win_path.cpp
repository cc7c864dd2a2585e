#include "base/win_path.h"

#include "base/codepage.h"

namespace velk {
namespace {

bool HasDrive(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    const char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string ReplaceAll(std::string_view text, char from, char to) {
    std::string out(text);
    for (char& c : out) {
        if (c == from) c = to;
    }
    return out;
}

}  // namespace

std::string NativeToWindowsPath(std::string_view native) {
    std::string out = ReplaceAll(native, '/', '\\');
    if (!native.empty() && native.front() == '/') out.insert(0, {kNativeRootDrive, ':'});
    return out;
}

std::optional<std::string> WindowsToNativePath(std::string_view path) {
    if (!HasDrive(path)) return ReplaceAll(path, '\\', '/');
    if (PathDrive(path) != kNativeRootDrive) return std::nullopt;
    std::string rest = ReplaceAll(path.substr(2), '\\', '/');
    // "Z:" and "Z:name" both start at the root: the virtual drive has no current folder.
    if (rest.empty() || rest.front() != '/') rest.insert(rest.begin(), '/');
    return rest;
}

char PathDrive(std::string_view path) {
    if (!HasDrive(path)) return 0;
    const char c = path[0];
    return Cp1252Upper(c);
}

std::string_view PathFolder(std::string_view path) {
    const auto last = path.find_last_of("\\/");
    return last == std::string_view::npos ? std::string_view() : path.substr(0, last);
}

std::string_view PathDrivePart(std::string_view path) {
    const auto first = path.find_first_of("\\/");
    return first == std::string_view::npos ? path : path.substr(0, first);
}

std::string_view PathBaseName(std::string_view path) {
    const auto last = path.find_last_of("\\/");
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::vector<std::string_view> SplitPathComponents(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsPathSeparator(path[end])) ++end;
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string JoinWindowsPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || !IsPathSeparator(out.back())) out.push_back('\\');
    out.append(name);
    return out;
}

}  // namespace velk
