// The tooltip bubble's window on the desktop: a frameless top-level window above the others
// that shows the pixels the core drew and never takes the keyboard.
#pragma once

#include <QImage>
#include <QWidget>

#include "host/host.h"

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
    void ShowTooltip(Point top_left, const Surface& pixels, std::string_view text) override;
    void HideTooltip() override;

    const TooltipWidget& Widget() const { return widget_; }

  private:
    TooltipWidget widget_;
};

}  // namespace velk::desktop
