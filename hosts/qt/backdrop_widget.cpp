#include "hosts/qt/backdrop_widget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "gfx/surface.h"
#include "hosts/qt/fullscreen.h"

namespace velk::desktop {

namespace {

QColor ColourOf(std::uint32_t colorref) {
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

}  // namespace

BackdropWidget::BackdropWidget() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Like a disabled dialog: no focus, no input; clicks on it do not reach the presentation
    // either.
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
}

void BackdropWidget::ShowBackdrop(const host::Backdrop& backdrop) {
    backdrop_ = backdrop;
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (backdrop.top_most) flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    ShowCoveringScreen(*this);
    update();
}

void BackdropWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const Surface* picture = backdrop_.picture;
    const bool has_picture = picture && !picture->Empty();
    // A stretched picture covers everything; without one the colour must, or the screen would
    // show whatever was there.
    if (backdrop_.mode != 2 || !has_picture) {
        painter.fillRect(event->rect(), ColourOf(backdrop_.colour));
    }
    if (!has_picture) return;
    const QImage image(reinterpret_cast<const uchar*>(picture->Row(0)), picture->Width(),
                       picture->Height(), static_cast<qsizetype>(picture->Width()) * 4,
                       QImage::Format_RGB32);
    switch (backdrop_.mode) {
        case 1:  // tiled from the top-left corner
            for (int y = 0; y < height(); y += image.height()) {
                for (int x = 0; x < width(); x += image.width()) painter.drawImage(x, y, image);
            }
            break;
        case 2:
            painter.drawImage(rect(), image);
            break;
        default:
            painter.drawImage(0, 0, image);
            break;
    }
}

void BackdropWidget::changeEvent(QEvent* event) {
    // Brought back from the task bar, it covers the screen again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isMinimized()) {
        ShowCoveringScreen(*this);
    }
    QWidget::changeEvent(event);
}

}  // namespace velk::desktop
