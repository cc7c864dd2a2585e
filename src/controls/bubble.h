// The tooltip bubble: one or two centred lines of text in the tooltip colours, shown 20 pixels
// below the pointer once it has rested over an object with a tooltip for half a second, and gone
// as soon as the pointer moves away, a button is pressed or a key is typed into a field.
//
// The bubble decides what it shows and where; it draws its own pixels, border included, so
// that every host shows the same bubble. The host only puts the pixels on the screen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "gfx/surface.h"

namespace velk {

class Font;
class FontCache;

// What the bubble needs from the window that owns it.
class BubbleOwner {
  public:
    virtual ~BubbleOwner() = default;
    // A point of the owner's client area in screen coordinates.
    virtual Point ClientToScreen(Point client) = 0;
    // The desktop the bubble must stay inside, in screen coordinates.
    virtual Rect DesktopRect() = 0;
    // The bubble's own rest timer: `OnTimer` is due `interval_ms` from now.
    virtual void SetBubbleTimer(std::uint32_t interval_ms) = 0;
    virtual void KillBubbleTimer() = 0;
    // Puts the bubble's pixels on the screen with their top-left corner at `top_left`, above
    // every other window and without taking the keyboard; `text` is what it says.
    virtual void ShowBubbleWindow(Point top_left, const Surface& pixels, std::string_view text) = 0;
    virtual void HideBubbleWindow() = 0;
};

class Bubble {
  public:
    // Half a second of rest before the text shows.
    static constexpr std::uint32_t kRestMs = 500;
    // How far the pointer may wander (on each axis, inclusive) without hiding the bubble.
    static constexpr std::int32_t kJitter = 5;
    // The bubble shows this far below the pointer.
    static constexpr std::int32_t kBelowPointer = 20;

    // `fonts` is null when no font could be loaded; the bubble then never shows.
    Bubble(BubbleOwner& owner, FontCache* fonts);
    ~Bubble();
    Bubble(const Bubble&) = delete;
    Bubble& operator=(const Bubble&) = delete;

    // The pointer rests over an object whose tooltip is `text` (owner client coordinates).
    void Track(Point point, std::string_view text);
    // The pointer moved.
    void MouseMoved(Point point);
    // Forget the pending text and hide.
    void Cancel();
    // The rest timer fired.
    void OnTimer();

    // Shows `text` at once at a screen point; a negative x asks for the bubble centred on |x|.
    void Show(Point screen, std::string_view text);
    void Hide();

    bool Visible() const { return visible_; }
    bool Pending() const { return pending_; }
    // The font's height and external leading plus six border widths.
    std::int32_t GetLineHeight() const;
    // Used by the next font creation (before the first bubble is shown).
    void SetFontSize(std::int32_t points);

  private:
    const Font* BubbleFont();
    Surface Render(std::string_view text) const;
    void ShowBelow(Point client, std::string_view text);

    BubbleOwner& owner_;
    FontCache* fonts_;
    std::shared_ptr<const Font> font_;
    std::int32_t font_points_ = 8;
    bool visible_ = false;
    bool pending_ = false;
    std::string text_;
    Point point_;
};

}  // namespace velk
