// The presentation's main window on the desktop: what the core asks of its window (title,
// styles, size, position, shape, cursor, backdrop, repaint, timers, closing) carried out on a
// Qt widget.
#pragma once

#include <QPoint>
#include <QSizeF>
#include <functional>
#include <memory>
#include <optional>

#include "host/host.h"
#include "hosts/qt/backdrop_widget.h"
#include "hosts/qt/presentation_widget.h"
#include "hosts/qt/timer_wake.h"

namespace velk::desktop {

class QtEventLoop;

class QtWindowHost : public host::WindowHost {
  public:
    QtWindowHost(const host::Clock& clock, QtEventLoop& events);
    ~QtWindowHost() override;

    // The player the window shows and feeds; set once it exists, before it starts.
    void Attach(PlayerPort* port);
    // Shows the window as the presentation left it after its initialisation.
    void Show();
    PresentationWidget& Widget() { return widget_; }
    const PresentationWidget& Widget() const { return widget_; }

    // How a scaled presentation fills the screen (display mode or fullscreen by the user).
    void SetScaling(ScaleMode mode, bool smooth);
    // Fullscreen by the user (F11, --fullscreen): the client area scaled to the screen, and
    // back to the window as it was. A presentation shown in its display mode stays fullscreen.
    void ToggleFullscreen();
    bool UserFullscreen() const { return user_fullscreen_; }
    // Called after every switch by the user; what was placed on the screen at the old scale
    // (the tooltip bubble) goes.
    void OnFullscreenSwitched(std::function<void()> switched) { switched_ = std::move(switched); }

    // Where a point of the presentation's screen (what ClientOrigin and ScreenSize describe)
    // shows on the real screen, and how much the picture is enlarged there on each axis.
    struct ShownPoint {
        QPoint point;
        QSizeF scale{1.0, 1.0};
        bool smooth = false;
    };
    ShownPoint WhereShown(Point presentation_screen) const;

    void SetTitle(std::string_view title) override;
    void SetStyle(const host::WindowStyle& style) override;
    void SetClientSize(std::int32_t width, std::int32_t height) override;
    void ShowFullscreenScaled(std::int32_t width, std::int32_t height) override;
    Size ScreenSize() const override;
    bool ShowsOnAScreen(const Rect& frame) const override;
    Size WindowSize() const override;
    Point Position() const override;
    Point ClientOrigin() const override;
    void MoveTo(Point top_left) override;
    void SetShape(const std::optional<Region>& shape) override;
    void SetCursor(const host::Cursor& cursor) override;
    void Minimize() override;
    void Restore() override;
    void ShowBackdrop(const host::Backdrop& backdrop) override;
    void MinimizeBackdrop() override;
    void RestoreBackdrop() override;
    void Invalidate(const Rect& rect) override;
    void TimersChanged() override;
    void Close() override;

  private:
    void ApplyFlags();
    void ApplyShape();
    bool InDisplayMode() const { return widget_.Scaled() && !user_fullscreen_; }
    void EnterUserFullscreen();
    void LeaveUserFullscreen();

    QtEventLoop& events_;
    PresentationWidget widget_;
    std::unique_ptr<BackdropWidget> backdrop_;
    TimerWake wake_;
    host::WindowStyle style_;
    std::optional<Region> shape_;
    // While the presentation is shown scaled: the display mode it asked for, which it takes for
    // the screen, and where it believes its window is.
    Size mode_size_;
    Point scaled_position_;
    // Fullscreen by the user: where the window was, and goes back to.
    bool user_fullscreen_ = false;
    QPoint window_position_;
    std::function<void()> switched_;
};

}  // namespace velk::desktop
