#include "hosts/headless/headless_window.h"

#include <algorithm>

namespace velk::headless {

void HeadlessWindow::SetClientSize(std::int32_t width, std::int32_t height) {
    client_ = {width, height};
    // A window shown or resized paints all of itself.
    dirty_ = {0, 0, width, height};
    shown_ = Surface(width, height);
}

void HeadlessWindow::ShowFullscreenScaled(std::int32_t width, std::int32_t height) {
    // The client area keeps its size: the desktop host scales it, the headless one records.
    fullscreen_ = Size{width, height};
}

Size HeadlessWindow::WindowSize() const {
    if (!style_.has_caption) return client_;
    return {client_.width + 2 * kFrameWidth, client_.height + kCaptionHeight + 2 * kFrameWidth};
}

void HeadlessWindow::Invalidate(const Rect& rect) {
    dirty_ = dirty_.Union(rect);
}

Rect HeadlessWindow::TakeDirty() {
    const Rect dirty = dirty_;
    dirty_ = {};
    return dirty;
}

void HeadlessWindow::Present(const Surface& back_buffer, const Rect& dirty) {
    const Rect area = dirty.Intersect({0, 0, shown_.Width(), shown_.Height()});
    if (area.IsEmpty()) return;
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        Bgrx* row = shown_.Row(y);
        std::fill(row + area.left, row + area.right, Bgrx{0});
        if (y >= back_buffer.Height()) continue;
        const std::int32_t right = std::min(area.right, back_buffer.Width());
        if (right > area.left) {
            std::copy(back_buffer.Row(y) + area.left, back_buffer.Row(y) + right, row + area.left);
        }
    }
}

void HeadlessWindow::Close() {
    if (closed_) return;
    closed_ = true;
    if (on_close_) on_close_();
}

}  // namespace velk::headless
