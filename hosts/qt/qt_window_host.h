// The presentation's main window on the desktop: what the core asks of its window (title,
// styles, size, position, shape, cursor, backdrop, repaint, timers, closing) carried out on a
// Qt widget.
#pragma once

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
};

}  // namespace velk::desktop
