// The window that covers the whole screen behind the presentation: a colour and a picture,
// never taking input.
#pragma once

#include <QWidget>

#include "host/host.h"

namespace velk::desktop {

class BackdropWidget : public QWidget {
  public:
    BackdropWidget();

    // Takes the colour, mode and picture (the picture stays the core's and must live while the
    // backdrop shows it), and covers the screen.
    void ShowBackdrop(const host::Backdrop& backdrop);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    host::Backdrop backdrop_;
};

}  // namespace velk::desktop
