#include "controls/bubble.h"

#include <algorithm>
#include <cstdlib>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/canvas_constants.h"
#include "gfx/font.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"

namespace velk {
namespace {

// The screen's dots per inch, as the old desktop reported them at normal size.
constexpr std::int32_t kScreenDpi = 96;
// The one-pixel border of a bordered pop-up window, in the window-frame colour.
constexpr std::int32_t kBorder = 1;
constexpr Bgrx kWindowFrame = MakeBgrx(0, 0, 0);
constexpr std::int32_t kMaxWidth = 8192;

// A swiss face without a name: the desktop's font mapper chose its sans face, whose metrics
// Arial's replacement shares.
LogFont BubbleLogFont(std::int32_t points) {
    LogFont font;
    // MulDiv rounds to the nearest: 8 points are 11 pixels.
    font.height = -((points * kScreenDpi + 36) / 72);
    font.face_name = "Arial";
    font.pitch_and_family = 0x20;  // FF_SWISS
    return font;
}

struct BubbleLines {
    std::string_view first, second;
    bool two = false;
};

BubbleLines SplitLines(std::string_view text) {
    const std::size_t feed = text.find('\n');
    if (feed == std::string_view::npos) return {text, {}, false};
    return {text.substr(0, feed), text.substr(feed + 1), true};
}

}  // namespace

Bubble::Bubble(BubbleOwner& owner, FontCache* fonts) : owner_(owner), fonts_(fonts) {}

Bubble::~Bubble() = default;

void Bubble::SetFontSize(std::int32_t points) {
    if (font_ == nullptr) font_points_ = points;
}

const Font* Bubble::BubbleFont() {
    if (font_ == nullptr && fonts_ != nullptr) font_ = fonts_->Get(BubbleLogFont(font_points_));
    return font_.get();
}

std::int32_t Bubble::GetLineHeight() const {
    if (font_ == nullptr) return 0;
    const TextMetrics& metrics = font_->Metrics();
    return metrics.height + metrics.external_leading + 6 * kBorder;
}

Surface Bubble::Render(std::string_view text) const {
    const BubbleLines lines = SplitLines(text);
    // Two lines are measured by the one with more characters.
    const std::string_view measured =
        lines.two && lines.second.size() > lines.first.size() ? lines.second : lines.first;
    const TextExtent extent = font_->Extent(lines.two ? measured : text);
    const std::int32_t line_count = lines.two ? 2 : 1;
    // A bubble wider than any screen shows no more: its pixels stop there.
    Surface pixels(std::min(extent.cx, kMaxWidth) + 6 * kBorder, line_count * extent.cy + 4);
    Canvas canvas(pixels);
    canvas.FrameRect({0, 0, pixels.Width(), pixels.Height()}, kWindowFrame);
    const Rect client{kBorder, kBorder, pixels.Width() - kBorder, pixels.Height() - kBorder};
    canvas.FillSolidRect(client, canvas.SysColour(kColorInfoBk));
    canvas.SelectFont(font_);
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SetTextAlign(kTaCenter | kTaTop);
    canvas.SetTextColour(canvas.SysColour(kColorInfoText));
    const std::int32_t centre = client.left + client.Width() / 2;
    if (lines.two) {
        TextOut(canvas, centre, client.top, lines.first);
        TextOut(canvas, centre, client.top + extent.cy, lines.second);
    } else {
        TextOut(canvas, centre, client.top + (client.Height() - extent.cy) / 2, text);
    }
    return pixels;
}

void Bubble::Show(Point screen, std::string_view text) {
    if (BubbleFont() == nullptr) return;
    Hide();
    const Surface pixels = Render(text);
    const Rect desktop = owner_.DesktopRect();
    const std::int32_t width = pixels.Width();
    const std::int32_t height = pixels.Height();
    std::int32_t x = screen.x;
    std::int32_t y = std::max(screen.y, 0);
    if (y + height > desktop.bottom) y = desktop.bottom - height - 1;
    // A negative x asks for the bubble centred on |x|.
    if (x < 0) x = SaturateToInt32(-std::int64_t{x} - width / 2);
    if (x + width > desktop.right) x = desktop.right - width - 1;
    owner_.ShowBubbleWindow({x, y}, pixels, text);
    visible_ = true;
}

void Bubble::Hide() {
    if (!visible_) return;
    visible_ = false;
    owner_.HideBubbleWindow();
}

void Bubble::ShowBelow(Point client, std::string_view text) {
    const Point screen = owner_.ClientToScreen(client);
    Show({screen.x, screen.y + kBelowPointer}, text);
}

void Bubble::Track(Point point, std::string_view text) {
    if (pending_) {
        // The same text keeps the bubble as it is: no flicker while the pointer rests.
        if (text == text_) return;
        Hide();
        text_ = text;
        point_ = point;
        ShowBelow(point_, text_);
        return;
    }
    text_ = text;
    point_ = point;
    pending_ = true;
    owner_.SetBubbleTimer(kRestMs);
}

void Bubble::OnTimer() {
    owner_.KillBubbleTimer();
    if (pending_) {
        ShowBelow(point_, text_);
    } else {
        Hide();
    }
}

void Bubble::MouseMoved(Point point) {
    if (!pending_) return;
    const auto near = [](std::int32_t a, std::int32_t b) {
        return std::abs(std::int64_t{a} - b) <= kJitter;
    };
    if (near(point.x, point_.x) && near(point.y, point_.y)) {
        point_ = point;
        return;
    }
    Cancel();
}

void Bubble::Cancel() {
    if (!pending_) return;
    Hide();
    owner_.KillBubbleTimer();
    pending_ = false;
}

}  // namespace velk
