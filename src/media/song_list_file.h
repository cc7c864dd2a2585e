// List files of the song list (".m3l", ".m3u", ".pls" and plain text): how they are read into
// entries and written from them. The text is code-page bytes with "\r\n" line breaks; nothing
// here touches a file.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"

namespace velk::media {

// The ways of reading a list file.
enum class ListReading {
    kPlain,      // every non-empty line
    kExtended,   // the line after each "#EXTINF:" line (plain when there is none)
    kPls,        // the text after "=" in lines that contain "File"
    kEveryLine,  // every line, empty ones included
};

// A longer list file is refused ("The list file is too big").
inline constexpr std::size_t kMaxListFileBytes = 0xFFFFF;
inline constexpr std::string_view kListTooBig = "The list file is too big";

// SongListLoad's choice: the list type "M3L", "M3U", "PLS" or "TXT" (letter case matters), or
// for any other type the file's extension (the three characters after its last ".") without
// regard to case, every line when that names none of the three.
ListReading ReadingForListType(std::string_view list_type, std::string_view file_name);

// The folder that the plain, extended and PLS readings put before entries without ":": the
// file name up to and including its last "\" (or "/", which our paths accept as well); empty
// when it has neither.
std::string ListFolder(std::string_view file_name);

// The entries of a list file's text: "\r\n" is appended, the text cut at every "\r\n" and the
// lines handled by `reading`; `folder` goes before entries without ":" (not for kEveryLine).
std::vector<std::string> ReadListText(std::string_view text, ListReading reading,
                                      std::string_view folder);

// A list file's text: the entries in order, "\r\n" between two of them, and after the last
// too when `break_after_last` (the editor's Save does that, SongListSave does not).
std::string WriteListText(std::span<const std::string> entries, bool break_after_last);

// A list file read as the player reads list files: its text, none when it cannot be opened or
// is longer than kMaxListFileBytes (then `too_big`, which the reader tells the user with the
// message box kListTooBig). The text ends at a zero byte, as the player's text buffer did.
struct ListFileText {
    std::optional<std::string> text;
    bool too_big = false;
};
ListFileText ReadListFile(const host::FileSystem& files, std::string_view path);

// Writes `text` to `path` (created or truncated); false when it cannot be written.
bool WriteListFile(host::FileSystem& files, std::string_view path, std::string_view text);

}  // namespace velk::media
