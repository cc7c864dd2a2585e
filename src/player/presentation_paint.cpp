// Painting: the window composes the page off-screen into its back buffer, which the host shows.
#include <algorithm>

#include "controls/speech_wait_window.h"
#include "gfx/canvas.h"
#include "pages/field_watch.h"
#include "pages/image_scroll_overlay.h"
#include "pages/page_painter.h"
#include "player/presentation.h"

namespace velk {
namespace {

// The header's client size is untrusted; a window larger than this is not made.
constexpr std::int32_t kMaxClientSide = 16384;
constexpr std::int64_t kMaxClientPixels = 64ll * 1024 * 1024;

}  // namespace

Size Presentation::ClientSize() const {
    const ProjectHeader& header = project_->header;
    std::int32_t width = static_cast<std::int32_t>(
        std::min<std::uint32_t>(header.client_width, static_cast<std::uint32_t>(kMaxClientSide)));
    std::int32_t height = static_cast<std::int32_t>(
        std::min<std::uint32_t>(header.client_height, static_cast<std::uint32_t>(kMaxClientSide)));
    if (std::int64_t{width} * height > kMaxClientPixels) height = kMaxClientPixels / width;
    return {std::max(width, 1), std::max(height, 1)};
}

void Presentation::InvalidateAll() {
    const Size client = ClientSize();
    services_.window.Invalidate(Rect{0, 0, client.width, client.height});
}

void Presentation::Invalidate(const Rect& rect) {
    const Size client = ClientSize();
    const Rect visible = rect.Intersect(Rect{0, 0, client.width, client.height});
    if (!visible.IsEmpty()) services_.window.Invalidate(visible);
}

void Presentation::ShowSpeechWaitWindow(bool shown) {
    speech_wait_shown_ = shown;
    Invalidate(SpeechWaitWindowRect(ClientSize()));
}

void Presentation::Paint(const Rect& /*dirty*/) {
    const Size client = ClientSize();
    if (back_buffer_.Width() != client.width || back_buffer_.Height() != client.height) {
        back_buffer_ = Surface(client.width, client.height);
    }
    if (minimized_) return;
    // While a transition runs, its window covers the client area and shows its frame.
    if (transition_.Running()) {
        const Surface& frame = transition_.Frame();
        if (frame.Width() == client.width && frame.Height() == client.height) {
            back_buffer_ = frame;
        }
        return;
    }
    Page* page = pages_.Current();
    if (page == nullptr) return;
    // The whole page is composed each time: the layers overlap freely and a page of a hundred
    // objects paints in a few milliseconds.
    const FieldWatch fields(*project_, *page);
    Canvas canvas(back_buffer_);
    PaintPage(*project_, *page, canvas, fonts_, pictures_);
    PaintImageScrollBars(pages_, canvas);
    PaintPanorama();
    PaintMciWindows(canvas);
    PaintVideos();
    if (speech_wait_shown_) DrawSpeechWaitWindow(canvas, &fonts_, SpeechWaitWindowRect(client));
    // A field that took a new size from its text is shown again where it was and where it is:
    // the area invalidated before this paint knew only one of them.
    Invalidate(fields.Changed());
}

}  // namespace velk
