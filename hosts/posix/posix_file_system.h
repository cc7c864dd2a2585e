// The machine's files behind host::FileSystem, on POSIX systems.
//
// Paths come from the core as Windows-form code-page text ("Z:\home\a\Show.VKD"; `/` accepted
// too, and a path without a drive is a native relative or rooted path). Native names are UTF-8.
// Each component that does not exist under its exact name is matched against the entries of
// its folder as the core would name them: in the code page, the way the system hands names to
// code-page programs (best fit, else '?'; Utf8ToCp1252BestFit), and without regard to case.
// So projects made on Windows, which rarely get the letter case of their file names right,
// find their files, and so does a project in a folder named in Cyrillic or CJK, which the
// player only knows as "????". When several entries match, the first in byte order wins, so
// the same tree always gives the same file. Drives other than Z: name nothing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host.h"

namespace velk::posix {

class PosixFileSystem : public host::FileSystem {
  public:
    // `shared_temp` is the world-writable folder in which the private fallback folder is made.
    explicit PosixFileSystem(std::string shared_temp = "/tmp")
        : shared_temp_(std::move(shared_temp)) {}

    std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view path) const override;
    // The native file kept open and read where asked (pread), so a large video is never held
    // whole; none for anything but a regular file.
    std::unique_ptr<host::ReadableFile> OpenForReading(std::string_view path) const override;
    // Writes a temporary file in the same folder and renames it over the target, so a reader
    // never sees half a file. A symbolic link at the target is refused, never followed.
    bool WriteFile(std::string_view path, std::span<const std::uint8_t> data) override;
    bool RemoveFile(std::string_view path) override;
    bool CreateFolder(std::string_view path) override;
    // A folder only this user can write to: $XDG_RUNTIME_DIR when it is set and is such a
    // folder, else /tmp/velk-<uid>, created private (0700, a real folder owned by this user).
    // Extracted files and script files land here, so a folder that others could plant links in is
    // refused (empty result).
    std::string TempFolder() const override;

    // The native UTF-8 path that `path` names after the case-insensitive matching; nullopt for
    // an empty path or a drive other than Z:.
    std::optional<std::string> ResolveNative(std::string_view path) const;

    // The native path (UTF-8) with the names found on the disk: "/home/a/Show.vkd" for
    // "Z:\HOME\A\show.VKD", "/tmp/Шоу/a.vkd" for "Z:\tmp\???\a.vkd".
    std::string ShownPath(std::string_view path) const override;
    // Remembers the path made absolute against the current folder (the newest few); while
    // resolving, a component whose exact name does not exist takes the remembered name first
    // when the remembered path agrees with the folders resolved so far and its name there has
    // the same code-page form.
    std::string FromUserPath(std::string_view native) override;

  private:
    // The remembered name for the component `wanted` (code-page text) inside the native folder
    // `resolved`, the newest remembered path first.
    std::optional<std::string> RememberedName(const std::string& resolved,
                                              std::string_view wanted) const;

    std::string shared_temp_;
    std::vector<std::string> user_paths_;  // absolute native paths, oldest first
};

// The running program's own file in Windows form (the target of /proc/self/exe; names outside
// the code page in their best fit); empty when the system does not tell.
std::string OwnExecutablePath();

// `path` (Windows form or native, code-page text) made absolute against the current folder, in
// Windows form. The player's folder of a project named on the command line is taken from it.
std::string AbsoluteWindowsPath(std::string_view path);

}  // namespace velk::posix
