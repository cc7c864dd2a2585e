// The tooltip bubble's window on the desktop: a frameless top-level window above the others
// that shows the pixels the core drew and never takes the keyboard. The core places the bubble
// on the screen the presentation believes in; when the presentation is scaled, the bubble goes
// where that point shows and is enlarged with the picture, so that it stays by the pointer and
// matches the presentation's pixels.
#pragma once

#include <QImage>
#include <QWidget>

#include "host/host.h"
#include "hosts/qt/qt_window_host.h"

namespace velk::desktop {

class TooltipWidget : public QWidget {
  public:
    TooltipWidget();
    void SetPixels(QImage pixels);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage pixels_;
};

class QtTooltip : public host::TooltipWindow {
  public:
    // `window` is the presentation's window, whose scaling the bubble follows.
    explicit QtTooltip(const QtWindowHost& window) : window_(window) {}

    void ShowTooltip(Point top_left, const Surface& pixels, std::string_view text) override;
    void HideTooltip() override;

    const TooltipWidget& Widget() const { return widget_; }

  private:
    const QtWindowHost& window_;
    TooltipWidget widget_;
};

}  // namespace velk::desktop
