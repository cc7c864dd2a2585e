// Programs and documents started for the presentation, detached from the player.
#pragma once

#include "host/host.h"
#include "hosts/posix/posix_file_system.h"

namespace velk::desktop {

class QtLauncher : public host::ProcessLauncher {
  public:
    explicit QtLauncher(const posix::PosixFileSystem& files) : files_(files) {}
    // An executable file starts with the parameters split as a command line; anything else (a
    // document, a folder, a web address) goes to the desktop's opener.
    bool Run(std::string_view file, std::string_view parameters) override;

  private:
    const posix::PosixFileSystem& files_;
};

}  // namespace velk::desktop
