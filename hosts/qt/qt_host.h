// Every service of the desktop host in one place, for one player: the clock, the event loop,
// message boxes, the settings file, the files, the window and the speakers.
#pragma once

#include <QString>

#include "hosts/posix/posix_file_system.h"
#include "hosts/qt/ini_profile_store.h"
#include "hosts/qt/qt_audio_output.h"
#include "hosts/qt/qt_clock.h"
#include "hosts/qt/qt_event_loop.h"
#include "hosts/qt/qt_launcher.h"
#include "hosts/qt/qt_tooltip.h"
#include "hosts/qt/qt_ui.h"
#include "hosts/qt/qt_window_host.h"
#include "player/player.h"

namespace velk::desktop {

struct QtHostOptions {
    // Empty: QMessageBox. Tests answer boxes through this.
    MessageBoxFunction message_box;
    QString profile_path = IniProfileStore::DefaultPath();
    // Empty: a file dialog. Tests choose the project through this.
    ProjectChooserFunction choose_project;
};

class QtHost {
  public:
    explicit QtHost(QtHostOptions options = {});
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    PlayerServices Services();

    // The window shows and feeds `port` from now on.
    void Attach(PlayerPort* port) { window_.Attach(port); }

    QtUi& Ui() { return ui_; }
    host::ProfileStore& Profile() { return profile_; }
    host::FileSystem& Files() { return files_; }
    QtEventLoop& Events() { return events_; }
    QtWindowHost& Window() { return window_; }

  private:
    QtClock clock_;
    QtEventLoop events_{clock_};
    QtUi ui_;
    IniProfileStore profile_;
    posix::PosixFileSystem files_;
    host::Observer observer_;
    QtLauncher launcher_{files_};
    QtWindowHost window_{clock_, events_};
    QtTooltip tooltip_{window_};
    QtAudioOutput audio_;
};

}  // namespace velk::desktop
