#include "hosts/qt/qt_host.h"

namespace velk::desktop {

QtHost::QtHost(QtHostOptions options)
    : ui_(std::move(options.message_box), std::move(options.choose_project)),
      profile_(options.profile_path) {
    // Boxes stay above the presentation's window.
    ui_.SetParent(&window_.Widget());
    ui_.SetFiles(&files_);
    // A bubble placed at the old scale would float away from the pointer.
    window_.OnFullscreenSwitched([this] { tooltip_.HideTooltip(); });
}

PlayerServices QtHost::Services() {
    return PlayerServices{ui_,     profile_,  files_,     clock_,    events_,
                          window_, observer_, &launcher_, &tooltip_, &audio_};
}

}  // namespace velk::desktop
