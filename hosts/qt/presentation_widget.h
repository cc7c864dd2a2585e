// The presentation's window on the desktop: its client area is the player's back buffer, shown
// one to one, or scaled to the screen when the presentation runs fullscreen at a size of its own
// or the user made it fullscreen (F11). Input goes to the player in client pixels.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "base/geometry.h"
#include "hosts/qt/letterbox.h"
#include "hosts/qt/player_port.h"

namespace velk::desktop {

class PresentationWidget : public QWidget {
  public:
    PresentationWidget();

    void Attach(PlayerPort* port) { port_ = port; }

    // Fullscreen scaling of a `size` client area; none shows it one to one again.
    void SetScaledSize(std::optional<Size> size);
    bool Scaled() const { return scaled_size_.has_value(); }
    // How the scaled picture fills the widget, and whether it is smoothed (else every client
    // pixel stays a sharp block).
    void SetScaling(ScaleMode mode, bool smooth);
    bool Smooth() const { return smooth_; }
    // F11 is the player's: it calls this instead of reaching the presentation.
    void OnFullscreenKey(std::function<void()> toggle) { fullscreen_key_ = std::move(toggle); }
    // The client area's size as the player sees it.
    Size ClientSize() const;
    // Client rectangle `dirty` is to be painted again.
    void InvalidateClient(const Rect& dirty);
    // Where the picture lies in the widget.
    Rect PictureRect() const;

    // Only the player closes the window; a close from the user or the window manager asks the
    // player to cancel instead.
    void AllowClose() { closing_allowed_ = true; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The widget stands for the presentation's focus sink: when it loses the keyboard (another
    // window or widget took it, or the window was deactivated), the input fields lose it too.
    void focusOutEvent(QFocusEvent* event) override;
    // Tab belongs to the presentation's input fields, not to Qt's focus chain.
    bool focusNextPrevChild(bool next) override;

  private:
    void SendPointer(PointerAction action, const QPointF& position);

    PlayerPort* port_ = nullptr;
    std::optional<Size> scaled_size_;
    ScaleMode mode_ = ScaleMode::kFit;
    bool smooth_ = false;
    std::function<void()> fullscreen_key_;
    bool closing_allowed_ = false;
};

}  // namespace velk::desktop
