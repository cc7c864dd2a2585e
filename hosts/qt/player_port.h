// What the desktop host needs of a player: its pictures, its timers and its input. The window
// classes talk to this rather than to the Player itself, so that they can be tried with a
// stand-in.
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "gfx/surface.h"
#include "player/player.h"

namespace velk::desktop {

class PlayerPort {
  public:
    virtual ~PlayerPort() = default;
    virtual void Paint(const Rect& dirty) = 0;
    virtual const Surface& BackBuffer() const = 0;
    virtual std::optional<std::uint32_t> NextTimerDue() const = 0;
    virtual void DeliverDueTimers() = 0;
    virtual void OnPointer(const PointerEvent& event) = 0;
    virtual bool OnKeyDown(std::uint32_t virtual_key, KeyModifiers modifiers) = 0;
    virtual void OnChar(std::uint8_t character) = 0;
    virtual void OnCancel() = 0;
    virtual void OnFocusLost() = 0;
};

// The port of a real player.
class PlayerAdapter : public PlayerPort {
  public:
    explicit PlayerAdapter(Player& player) : player_(player) {}
    void Paint(const Rect& dirty) override { player_.Paint(dirty); }
    const Surface& BackBuffer() const override { return player_.BackBuffer(); }
    std::optional<std::uint32_t> NextTimerDue() const override { return player_.NextTimerDue(); }
    void DeliverDueTimers() override { player_.DeliverDueTimers(); }
    void OnPointer(const PointerEvent& event) override { player_.OnPointer(event); }
    bool OnKeyDown(std::uint32_t virtual_key, KeyModifiers modifiers) override {
        return player_.OnKeyDown(virtual_key, modifiers);
    }
    void OnChar(std::uint8_t character) override { player_.OnChar(character); }
    void OnCancel() override { player_.OnCancel(); }
    void OnFocusLost() override { player_.OnFocusLost(); }

  private:
    Player& player_;
};

}  // namespace velk::desktop
