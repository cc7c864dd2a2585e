// The presentation's window in a headless run: a record of what the player asked of it, on a
// screen of a fixed size, and the pixels it shows. Like a desktop window it takes the player's
// back buffer only where it was invalidated, so that a screenshot shows what a forgotten
// invalidation would leave on the screen.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "gfx/surface.h"
#include "host/host.h"

namespace velk::headless {

class HeadlessWindow : public host::WindowHost {
  public:
    // The frame a window with a caption gets around its client area: the old desktop's dialog
    // frame (3 pixels) on every side and a 19-pixel caption.
    static constexpr std::int32_t kFrameWidth = 3;
    static constexpr std::int32_t kCaptionHeight = 19;

    explicit HeadlessWindow(Size screen = {1024, 768}) : screen_(screen) {}

    // Called once when the player closes the window (the event loop quits there).
    void OnClose(std::function<void()> closed) { on_close_ = std::move(closed); }
    void SetScreenSize(Size screen) { screen_ = screen; }

    void SetTitle(std::string_view title) override { title_ = title; }
    void SetStyle(const host::WindowStyle& style) override { style_ = style; }
    void SetClientSize(std::int32_t width, std::int32_t height) override;
    void ShowFullscreenScaled(std::int32_t width, std::int32_t height) override;
    Size ScreenSize() const override { return screen_; }
    Size WindowSize() const override;
    Point Position() const override { return position_; }
    void MoveTo(Point top_left) override { position_ = top_left; }
    void SetShape(const std::optional<Region>& shape) override { shape_ = shape; }
    void SetCursor(const host::Cursor& cursor) override { cursor_ = cursor; }
    void Minimize() override { minimized_ = true; }
    void Restore() override { minimized_ = false; }
    void ShowBackdrop(const host::Backdrop& backdrop) override { backdrop_ = backdrop; }
    void MinimizeBackdrop() override { backdrop_minimized_ = true; }
    void RestoreBackdrop() override { backdrop_minimized_ = false; }
    void Invalidate(const Rect& rect) override;
    void TimersChanged() override {}  // the event loop asks the player at every step
    void Close() override;

    // What was recorded.
    const std::string& Title() const { return title_; }
    const host::WindowStyle& Style() const { return style_; }
    Size ClientSize() const { return client_; }
    // The size a fullscreen display mode was asked for, if one was.
    const std::optional<Size>& Fullscreen() const { return fullscreen_; }
    const std::optional<Region>& Shape() const { return shape_; }
    const host::Cursor& CurrentCursor() const { return cursor_; }
    bool Minimized() const { return minimized_; }
    const std::optional<host::Backdrop>& ShownBackdrop() const { return backdrop_; }
    bool BackdropMinimized() const { return backdrop_minimized_; }
    // The area invalidated since the last TakeDirty (empty when none).
    Rect TakeDirty();
    // The part `dirty` of the client area is painted from `back_buffer`; where the buffer does
    // not reach, the window shows black.
    void Present(const Surface& back_buffer, const Rect& dirty);
    // The client area's pixels as the window shows them.
    const Surface& Shown() const { return shown_; }
    bool Closed() const { return closed_; }

  private:
    Size screen_;
    std::string title_;
    host::WindowStyle style_;
    Size client_;
    std::optional<Size> fullscreen_;
    Point position_;
    std::optional<Region> shape_;
    host::Cursor cursor_;
    bool minimized_ = false;
    std::optional<host::Backdrop> backdrop_;
    bool backdrop_minimized_ = false;
    Rect dirty_;
    Surface shown_;
    bool closed_ = false;
    std::function<void()> on_close_;
};

}  // namespace velk::headless
