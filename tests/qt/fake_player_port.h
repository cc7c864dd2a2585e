// A player stand-in that records what the window hands it and shows a fixed picture.
#pragma once

#include <vector>

#include "hosts/qt/player_port.h"

namespace velk::desktop {

class FakePlayerPort : public PlayerPort {
  public:
    explicit FakePlayerPort(Surface buffer) : buffer_(std::move(buffer)) {}

    void Paint(const Rect& dirty) override { painted.push_back(dirty); }
    const Surface& BackBuffer() const override { return buffer_; }
    std::optional<std::uint32_t> NextTimerDue() const override { return due; }
    void DeliverDueTimers() override {
        ++deliveries;
        due.reset();
    }
    void OnPointer(const PointerEvent& event) override { pointer.push_back(event); }
    bool OnKeyDown(std::uint32_t virtual_key, KeyModifiers /*modifiers*/) override {
        keys.push_back(virtual_key);
        return virtual_key == swallowed_key;
    }
    void OnChar(std::uint8_t character) override { chars.push_back(character); }
    void OnCancel() override { ++cancels; }
    void OnFocusLost() override { ++focus_losses; }

    std::vector<Rect> painted;
    std::optional<std::uint32_t> due;
    int deliveries = 0;
    std::vector<PointerEvent> pointer;
    std::vector<std::uint32_t> keys;
    std::uint32_t swallowed_key = 0;
    std::vector<std::uint8_t> chars;
    int cancels = 0;
    int focus_losses = 0;

  private:
    Surface buffer_;
};

}  // namespace velk::desktop
