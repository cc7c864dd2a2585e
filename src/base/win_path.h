// Windows-form paths on a POSIX machine. Presentations name files the way their authors' machines
// did ("C:\Show\intro.avi", "<SrcDir>\pics\a.jpg"); here the whole native tree is the virtual
// drive Z:, so "/home/a/show.vkd" is "Z:\home\a\show.vkd". These helpers only rewrite text; they
// never look at the disk (matching names without regard to case is the FileSystem's work).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// The drive that stands for the native root.
inline constexpr char kNativeRootDrive = 'Z';

inline bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

// "/home/a/show.vkd" → "Z:\home\a\show.vkd"; "/" → "Z:\"; a relative path keeps no drive and
// only has its separators turned into backslashes.
std::string NativeToWindowsPath(std::string_view native);

// "Z:\home\a" or "z:/home/a" → "/home/a"; "Z:" → "/". A path without a drive ("pics\a.jpg",
// "/etc/x", "\x") is native already, relative or rooted, and only has its backslashes turned
// into slashes. Any other drive letter has no place on this machine: std::nullopt.
std::optional<std::string> WindowsToNativePath(std::string_view path);

// The drive letter of "X:…" (upper-cased), or 0 when the path has no drive.
char PathDrive(std::string_view path);

// The path up to, not including, its last separator (`\` or `/`); empty when it has none.
std::string_view PathFolder(std::string_view path);
// The path up to, not including, its first separator; the whole path when it has none.
std::string_view PathDrivePart(std::string_view path);
// The text after the last separator.
std::string_view PathBaseName(std::string_view path);

// The components between separators, empty ones dropped: "Z:\a\\b\" → {"Z:", "a", "b"}.
std::vector<std::string_view> SplitPathComponents(std::string_view path);

// folder + "\" + name, without doubling a backslash that ends the folder.
std::string JoinWindowsPath(std::string_view folder, std::string_view name);

}  // namespace velk
