// The path macros: every file name that comes from a project or a script is expanded here, so
// that "<SrcDir>\intro.avi" finds the file next to the presentation on whatever machine plays it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "host/host.h"

namespace velk {

// This machine has no Windows folders. The stand-ins keep the names presentations expect to
// see, on drive C:, which the file system does not map: a file named under them is simply not
// found, and nothing is ever read from or written to an unrelated native folder.
inline constexpr std::string_view kWindowsFolderStandIn = "C:\\WINDOWS";
inline constexpr std::string_view kSystemFolderStandIn = "C:\\WINDOWS\\system32";
// The folder used when the system gives no temporary folder.
inline constexpr std::string_view kNoTempFolder = "C:";
inline constexpr std::string_view kPlayerTempFolderName = "VelkPlayer";

// The places the macros stand for, in Windows form without trailing backslashes.
struct PlayerFolders {
    std::string src_dir;      // the folder of the standalone executable or of the project file
    std::string src_drive;    // the drive of that path ("Z:")
    std::string cd_drive;     // the first CD-ROM drive; there is none here
    std::string temp;         // the system's temporary folder
    std::string player_temp;  // temp + "\VelkPlayer": extracted embedded files live here
    std::string windows = std::string(kWindowsFolderStandIn);
    std::string system = std::string(kSystemFolderStandIn);

    bool operator==(const PlayerFolders&) const = default;
};

// The folders for a presentation read from `source_path` (the standalone executable or the
// project file; an absolute Windows-form path; a native absolute path is accepted too). Creates
// the player temporary folder. Two players of one user share that folder, as they always did.
PlayerFolders ComputePlayerFolders(std::string_view source_path, host::FileSystem& fs);

// One per player. The values of the macros are taken from the folders at the first expansion
// and never change afterwards; "<File>" alone follows the current file.
class PathMacros {
  public:
    // `folders` is asked once, at the first expansion.
    explicit PathMacros(std::function<PlayerFolders()> folders);
    explicit PathMacros(PlayerFolders folders);

    // "<SrcDir>", "<SrcDrive>", "<CD>", "<File>", "<Embedded>", "<Windows>", "<System>" and
    // "<Temp>", searched in that order and case-sensitively in the text trimmed of white space,
    // replaced in the text as given (so surrounding blanks stay). A macro gets a backslash after
    // its value unless one follows it already. Any text naming "<File>" becomes the current
    // file alone.
    std::string ExpandPath(std::string_view text);

    // The file last chosen in a file dialog (or set by a plug-in); empty at start.
    void SetCurrentFile(std::string path) { current_file_ = std::move(path); }
    const std::string& CurrentFile() const { return current_file_; }

  private:
    std::function<PlayerFolders()> folders_;
    std::optional<std::array<std::string, 8>> values_;  // in macro order; "<File>" unused
    std::string current_file_;
};

}  // namespace velk
