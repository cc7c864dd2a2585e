#include "hosts/qt/fullscreen.h"

#include <QScreen>
#include <QWidget>

namespace velk::desktop {

void ShowCoveringScreen(QWidget& widget) {
    // The geometry is set as well: without a window manager nobody else sizes the window.
    if (const QScreen* screen = widget.screen()) widget.setGeometry(screen->geometry());
    widget.showFullScreen();
}

}  // namespace velk::desktop
