// The machine's files behind host::FileSystem, on POSIX systems.
//
// Paths come from the core as Windows-form code-page text ("Z:\home\a\Show.VKD"; `/` accepted
// too, and a path without a drive is a native relative or rooted path). They are converted to
// UTF-8 here, and each component that does not exist under its exact name is matched without
// regard to case against the entries of its folder: projects made on Windows rarely get the
// letter case of their file names right. When several entries match, the first in byte order
// wins, so the same tree always gives the same file. Drives other than Z: name nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host/host.h"

namespace velk::posix {

class PosixFileSystem : public host::FileSystem {
  public:
    // `shared_temp` is the world-writable folder in which the private fallback folder is made.
    explicit PosixFileSystem(std::string shared_temp = "/tmp")
        : shared_temp_(std::move(shared_temp)) {}

    std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view path) const override;
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

  private:
    std::string shared_temp_;
};

// The running program's own file in Windows form (the target of /proc/self/exe); empty when
// the system does not tell.
std::string OwnExecutablePath();

// `path` (Windows form or native) made absolute against the current folder, in Windows form.
// The player's folder of a project named on the command line is taken from it.
std::string AbsoluteWindowsPath(std::string_view path);

}  // namespace velk::posix
