#include "hosts/qt/qt_window_host.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>

#include "base/codepage.h"
#include "hosts/qt/cursors.h"
#include "hosts/qt/fullscreen.h"
#include "hosts/qt/letterbox.h"
#include "hosts/qt/qt_event_loop.h"

namespace velk::desktop {

namespace {

QString FromCodePage(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

Qt::WindowFlags FlagsOf(const host::WindowStyle& style) {
    // No maximise box and no resizing: the client area has the size the project gives it.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (style.has_caption) {
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style.minimize_box) flags |= Qt::WindowMinimizeButtonHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    switch (style.layer) {
        case host::WindowLayer::kNormal:
            break;
        case host::WindowLayer::kTopMost:
            flags |= Qt::WindowStaysOnTopHint;
            break;
        case host::WindowLayer::kBottom:
            flags |= Qt::WindowStaysOnBottomHint;
            break;
    }
    return flags;
}

}  // namespace

QtWindowHost::QtWindowHost(const host::Clock& clock, QtEventLoop& events)
    : events_(events), wake_(clock) {
    events_.SetTimerWake(&wake_);
    ApplyFlags();
    widget_.OnFullscreenKey([this] { ToggleFullscreen(); });
}

QtWindowHost::~QtWindowHost() {
    events_.SetTimerWake(nullptr);
}

void QtWindowHost::Attach(PlayerPort* port) {
    widget_.Attach(port);
    wake_.Attach(port);
}

void QtWindowHost::Show() {
    if (widget_.Scaled()) {
        ShowCoveringScreen(widget_);
    } else {
        widget_.show();
    }
    widget_.raise();
    widget_.activateWindow();
}

void QtWindowHost::SetScaling(ScaleMode mode, bool smooth) {
    widget_.SetScaling(mode, smooth);
    ApplyShape();
}

void QtWindowHost::ToggleFullscreen() {
    if (user_fullscreen_) {
        LeaveUserFullscreen();
    } else if (!widget_.Scaled()) {
        EnterUserFullscreen();
    } else {
        return;  // a display mode: there is no window to go back to
    }
    if (switched_) switched_();
}

void QtWindowHost::EnterUserFullscreen() {
    window_position_ = widget_.pos();
    user_fullscreen_ = true;
    const Size client = widget_.ClientSize();
    widget_.setMinimumSize(0, 0);
    widget_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    widget_.SetScaledSize(client);
    if (widget_.isVisible()) ShowCoveringScreen(widget_);
    ApplyShape();
}

void QtWindowHost::LeaveUserFullscreen() {
    user_fullscreen_ = false;
    // The client size may have changed meanwhile (a page or project of another size).
    const Size client = widget_.ClientSize();
    widget_.SetScaledSize(std::nullopt);
    widget_.showNormal();
    widget_.setFixedSize(client.width, client.height);
    widget_.move(window_position_);
    ApplyShape();
}

QtWindowHost::ShownPoint QtWindowHost::WhereShown(Point presentation_screen) const {
    if (!widget_.Scaled()) return {QPoint(presentation_screen.x, presentation_screen.y)};
    const Point origin = ClientOrigin();
    const Point client{presentation_screen.x - origin.x, presentation_screen.y - origin.y};
    const Rect picture = widget_.PictureRect();
    const Size content = widget_.ClientSize();
    const Point shown = MapPointToScreen(client, picture, content);
    ShownPoint result{widget_.mapToGlobal(QPoint(shown.x, shown.y))};
    if (!picture.IsEmpty() && content.width > 0 && content.height > 0) {
        result.scale = QSizeF(double(picture.Width()) / content.width,
                              double(picture.Height()) / content.height);
    }
    result.smooth = widget_.Smooth();
    return result;
}

void QtWindowHost::SetTitle(std::string_view title) {
    widget_.setWindowTitle(FromCodePage(title));
    if (backdrop_) backdrop_->setWindowTitle(widget_.windowTitle());
}

void QtWindowHost::SetStyle(const host::WindowStyle& style) {
    style_ = style;
    ApplyFlags();
}

void QtWindowHost::ApplyFlags() {
    const bool visible = widget_.isVisible();
    // Changing the flags of a shown window hides it; it comes back as it was.
    widget_.setWindowFlags(FlagsOf(style_));
    if (visible) Show();
}

void QtWindowHost::SetClientSize(std::int32_t width, std::int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (widget_.Scaled()) {
        widget_.SetScaledSize(Size{width, height});
        return;
    }
    widget_.setFixedSize(width, height);
}

void QtWindowHost::ShowFullscreenScaled(std::int32_t width, std::int32_t height) {
    widget_.setMinimumSize(0, 0);
    widget_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    user_fullscreen_ = false;  // the display mode takes over; there is no window to go back to
    mode_size_ = {std::max(width, 1), std::max(height, 1)};
    // The client area is what fills the screen; until the presentation sets its size, the mode's.
    widget_.SetScaledSize(mode_size_);
    scaled_position_ = {};
    ShowCoveringScreen(widget_);
    ApplyShape();
}

Size QtWindowHost::ScreenSize() const {
    // Scaled, the presentation sees the screen it asked for.
    if (InDisplayMode()) return mode_size_;
    const QScreen* screen = widget_.screen();
    if (!screen) return {};
    const QSize size = screen->geometry().size();
    return {size.width(), size.height()};
}

bool QtWindowHost::ShowsOnAScreen(const Rect& frame) const {
    const QRect window(frame.left, frame.top, frame.Width(), frame.Height());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().intersects(window)) return true;
    }
    return false;
}

Size QtWindowHost::WindowSize() const {
    if (widget_.Scaled()) return widget_.ClientSize();
    const QSize size = widget_.frameGeometry().size();
    return {size.width(), size.height()};
}

Point QtWindowHost::Position() const {
    if (user_fullscreen_) return {window_position_.x(), window_position_.y()};
    if (widget_.Scaled()) return scaled_position_;
    return {widget_.pos().x(), widget_.pos().y()};
}

Point QtWindowHost::ClientOrigin() const {
    // A scaled presentation has no client area on the screen at its own scale; the bubble
    // then goes where the presentation believes its window is (WhereShown finds
    // the picture's pixel there).
    if (user_fullscreen_) return {window_position_.x(), window_position_.y()};
    if (widget_.Scaled()) return scaled_position_;
    const QPoint origin = widget_.mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y()};
}

void QtWindowHost::MoveTo(Point top_left) {
    // A scaled presentation covers the screen; moving it only changes what it believes, or
    // where the window comes back after fullscreen.
    if (user_fullscreen_) {
        window_position_ = QPoint(top_left.x, top_left.y);
        return;
    }
    if (widget_.Scaled()) {
        scaled_position_ = top_left;
        return;
    }
    widget_.move(top_left.x, top_left.y);
}

void QtWindowHost::SetShape(const std::optional<Region>& shape) {
    shape_ = shape;
    ApplyShape();
}

void QtWindowHost::ApplyShape() {
    if (!shape_) {
        widget_.clearMask();
        return;
    }
    QRegion mask;
    for (const Rect& r : *shape_) {
        Rect shown = r;
        if (widget_.Scaled()) {
            shown = MapToScreen(r, widget_.PictureRect(), widget_.ClientSize());
        }
        mask += QRect(shown.left, shown.top, shown.Width(), shown.Height());
    }
    widget_.setMask(mask);
}

void QtWindowHost::SetCursor(const host::Cursor& cursor) {
    widget_.setCursor(CursorFor(cursor));
}

void QtWindowHost::Minimize() {
    widget_.showMinimized();
}

void QtWindowHost::Restore() {
    if (widget_.Scaled()) {
        ShowCoveringScreen(widget_);
    } else {
        widget_.showNormal();
    }
}

void QtWindowHost::ShowBackdrop(const host::Backdrop& backdrop) {
    if (!backdrop_) backdrop_ = std::make_unique<BackdropWidget>();
    backdrop_->setWindowTitle(widget_.windowTitle());
    backdrop_->ShowBackdrop(backdrop);
    // The presentation stays in front of its backdrop.
    if (widget_.isVisible()) widget_.raise();
}

void QtWindowHost::MinimizeBackdrop() {
    if (backdrop_) backdrop_->showMinimized();
}

void QtWindowHost::RestoreBackdrop() {
    if (!backdrop_) return;
    ShowCoveringScreen(*backdrop_);
    if (widget_.isVisible()) widget_.raise();
}

void QtWindowHost::Invalidate(const Rect& rect) {
    widget_.InvalidateClient(rect);
}

void QtWindowHost::TimersChanged() {
    wake_.Rearm();
}

void QtWindowHost::Close() {
    if (backdrop_) backdrop_->hide();
    widget_.AllowClose();
    widget_.close();
    events_.Quit();
}

}  // namespace velk::desktop
