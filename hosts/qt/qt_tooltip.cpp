#include "hosts/qt/qt_tooltip.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "gfx/surface.h"

namespace velk::desktop {

namespace {

// The core keeps the bubble inside the screen it believes in; enlarged on the real screen it
// may still reach past an edge, and is then moved back one pixel inside, as the core does.
QPoint KeptOnScreen(QPoint top_left, QSize size, const QScreen* screen) {
    if (!screen) return top_left;
    const QRect desktop = screen->geometry();
    const int right = desktop.x() + desktop.width();  // exclusive
    const int bottom = desktop.y() + desktop.height();
    QPoint at = top_left;
    if (at.x() + size.width() > right) at.setX(right - size.width() - 1);
    if (at.y() + size.height() > bottom) at.setY(bottom - size.height() - 1);
    at.setX(std::max(at.x(), desktop.left()));
    at.setY(std::max(at.y(), desktop.top()));
    return at;
}

}  // namespace

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
    const QtWindowHost::ShownPoint shown = window_.WhereShown(top_left);
    const QSize size(std::max(1, qRound(pixels.Width() * shown.scale.width())),
                     std::max(1, qRound(pixels.Height() * shown.scale.height())));
    widget_.SetPixels(size == view.size() ? view.copy()
                                          : view.scaled(size, Qt::IgnoreAspectRatio,
                                                        shown.smooth ? Qt::SmoothTransformation
                                                                     : Qt::FastTransformation));
    widget_.move(window_.Widget().Scaled()
                     ? KeptOnScreen(shown.point, size, window_.Widget().screen())
                     : shown.point);
    widget_.show();
    widget_.raise();
}

void QtTooltip::HideTooltip() {
    widget_.hide();
}

}  // namespace velk::desktop
