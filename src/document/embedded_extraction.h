// Writing the project's embedded files of type 10 and above into the player temporary folder
// when a project is read, and removing them again when it closes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/embedded_file.h"
#include "document/load_context.h"
#include "document/path_macros.h"
#include "host/host.h"

namespace velk {

// The name under which an entry lives in the player temporary folder. A stored name is the
// author's text and may be "..\..\x", "C:\x" or "/etc/x"; only its last component is used, its
// drive dropped and control characters replaced, so nothing a project carries is ever written
// or deleted outside that folder. A name with nothing left ("", ".", "..") becomes
// kEmbeddedPlaceholderName.
inline constexpr std::string_view kEmbeddedPlaceholderName = "_embedded";
std::string SafeEmbeddedName(std::string_view file_name);

// player temporary folder + "\" + the safe name.
std::string ExtractedFilePath(const PlayerFolders& folders, std::string_view file_name);

struct ExtractOptions {
    // The player releases an entry's bytes once they are on disk (its size stays); tools that
    // write the project again keep them.
    bool keep_data = false;
};

// Writes every entry of type 10 and above. A failed write shows "The temporary space is
// full.\nCannot write file:\n" and the path, and the others are still written. Two entries whose
// safe names are the same end as the later one.
void ExtractEmbeddedFiles(std::vector<EmbeddedFile>& files, host::FileSystem& fs,
                          const PlayerFolders& folders, const LoadContext& ctx,
                          ExtractOptions options = {});

// Deletes the file that belongs to each entry: for the sound types 1 to 7 the temporary name
// the sound commands use (prefix + name + ".tmp"), nothing for 8 and 9, the extracted file for
// 10 and above. A file that is already gone is fine.
void CleanUpEmbeddedFiles(const std::vector<EmbeddedFile>& files, host::FileSystem& fs,
                          const PlayerFolders& folders);

}  // namespace velk
