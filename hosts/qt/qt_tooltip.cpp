#include "hosts/qt/qt_tooltip.h"

#include <QPainter>

#include "gfx/surface.h"

namespace velk::desktop {

TooltipWidget::TooltipWidget()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void TooltipWidget::SetPixels(QImage pixels) {
    pixels_ = std::move(pixels);
    setFixedSize(pixels_.size());
    update();
}

void TooltipWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, pixels_);
}

void QtTooltip::ShowTooltip(Point top_left, const Surface& pixels, std::string_view /*text*/) {
    // The surface goes away after this call: the widget keeps its own copy.
    const QImage view(reinterpret_cast<const uchar*>(pixels.Row(0)), pixels.Width(),
                      pixels.Height(), static_cast<qsizetype>(pixels.Width()) * 4,
                      QImage::Format_RGB32);
    widget_.SetPixels(view.copy());
    widget_.move(top_left.x, top_left.y);
    widget_.show();
    widget_.raise();
}

void QtTooltip::HideTooltip() {
    widget_.hide();
}

}  // namespace velk::desktop
