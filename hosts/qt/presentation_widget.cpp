#include "hosts/qt/presentation_widget.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "base/codepage.h"
#include "base/virtual_keys.h"
#include "hosts/qt/key_codes.h"
#include "hosts/qt/letterbox.h"

namespace velk::desktop {
namespace {

// The character the desktop gives the Delete key.
constexpr std::uint8_t kDelCharacter = 0x7F;

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

Rect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The surface's pixels as an image, without copying: BGRX in memory is Qt's RGB32 on a
// little-endian machine.
QImage ImageOf(const Surface& surface) {
    return QImage(reinterpret_cast<const uchar*>(surface.Row(0)), surface.Width(), surface.Height(),
                  static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_RGB32);
}

}  // namespace

PresentationWidget::PresentationWidget() {
    // The player paints every pixel of the client area: nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PresentationWidget::SetScaledSize(std::optional<Size> size) {
    scaled_size_ = size;
    update();
}

void PresentationWidget::SetScaling(ScaleMode mode, bool smooth) {
    mode_ = mode;
    smooth_ = smooth;
    update();
}

Size PresentationWidget::ClientSize() const {
    if (scaled_size_) return *scaled_size_;
    return {width(), height()};
}

Rect PresentationWidget::PictureRect() const {
    if (!scaled_size_) return {0, 0, width(), height()};
    return PlaceRect(*scaled_size_, {width(), height()}, mode_);
}

void PresentationWidget::InvalidateClient(const Rect& dirty) {
    if (!scaled_size_) {
        update(ToQRect(dirty));
        return;
    }
    // One pixel more on each side: smooth scaling reads the neighbours of the changed pixels.
    update(ToQRect(MapToScreen(dirty, PictureRect(), *scaled_size_).Inflate(1)));
}

void PresentationWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    if (!port_) {
        painter.fillRect(exposed, Qt::black);
        return;
    }
    // The player fills its back buffer first; in the scaled view any exposed part may need all
    // of it.
    port_->Paint(scaled_size_ ? Rect{} : FromQRect(exposed));
    const Surface& buffer = port_->BackBuffer();
    const QImage image = ImageOf(buffer);
    if (!scaled_size_) {
        painter.fillRect(exposed, Qt::black);  // beyond the buffer, if the window is larger
        painter.drawImage(exposed.topLeft(), image, exposed);
        return;
    }
    const QRect picture = ToQRect(PictureRect());
    const QRegion around = QRegion(exposed).subtracted(QRegion(picture));
    for (const QRect& r : around) painter.fillRect(r, Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
    painter.drawImage(picture, image);
}

void PresentationWidget::SendPointer(PointerAction action, const QPointF& position) {
    if (!port_) return;
    const Point at{static_cast<std::int32_t>(std::floor(position.x())),
                   static_cast<std::int32_t>(std::floor(position.y()))};
    const Point client = scaled_size_ ? MapToClient(at, PictureRect(), *scaled_size_) : at;
    port_->OnPointer({action, client});
}

void PresentationWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) SendPointer(PointerAction::kDown, event->position());
    if (event->button() == Qt::RightButton) {
        SendPointer(PointerAction::kRightDown, event->position());
    }
}

void PresentationWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) SendPointer(PointerAction::kUp, event->position());
    if (event->button() == Qt::RightButton) {
        SendPointer(PointerAction::kRightUp, event->position());
    }
}

void PresentationWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click; the old desktop sent it in place of a press, as Qt
    // does.
    if (event->button() == Qt::LeftButton) {
        SendPointer(PointerAction::kDoubleClick, event->position());
    }
    if (event->button() == Qt::RightButton) {
        SendPointer(PointerAction::kRightDown, event->position());
    }
}

void PresentationWidget::mouseMoveEvent(QMouseEvent* event) {
    SendPointer(PointerAction::kMove, event->position());
}

void PresentationWidget::keyPressEvent(QKeyEvent* event) {
    // F11 switches fullscreen whatever the presentation makes of its keys: a presentation's own
    // F11 would otherwise leave the user no way back to the window. A held key switches once.
    if (event->key() == Qt::Key_F11) {
        if (fullscreen_key_ && !event->isAutoRepeat()) fullscreen_key_();
        return;
    }
    if (!port_) return;
    const std::uint32_t key = VirtualKeyOf(event->key(), event->modifiers());
    const Qt::KeyboardModifiers held = event->modifiers();
    const KeyModifiers modifiers{.shift = held.testFlag(Qt::ShiftModifier),
                                 .ctrl = held.testFlag(Qt::ControlModifier),
                                 .alt = held.testFlag(Qt::AltModifier)};
    const bool taken = key != 0 && port_->OnKeyDown(key, modifiers);
    if (key == kVkEscape) {
        // Escape cancels unless the presentation kept it; it types nothing.
        if (!taken) port_->OnCancel();
        return;
    }
    if (taken) return;  // a key the player swallowed produces no character either
    for (const char c : Utf16ToCp1252(event->text().toStdU16String())) {
        // The desktop gives the Delete key the text DEL; on the old desktop it typed nothing,
        // and a field would take DEL for a character.
        if (static_cast<std::uint8_t>(c) == kDelCharacter) continue;
        port_->OnChar(static_cast<std::uint8_t>(c));
    }
}

void PresentationWidget::closeEvent(QCloseEvent* event) {
    if (closing_allowed_) {
        event->accept();
        return;
    }
    event->ignore();
    if (port_) port_->OnCancel();
}

void PresentationWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // A popup (a menu of the window manager) takes the keyboard only for a moment.
    if (port_ && event->reason() != Qt::PopupFocusReason) port_->OnFocusLost();
}

bool PresentationWidget::focusNextPrevChild(bool /*next*/) {
    return false;
}

}  // namespace velk::desktop
