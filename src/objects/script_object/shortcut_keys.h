// Key objects: a Script object (kind 17) names a shortcut key and the Shift, Ctrl and Alt states
// it needs. This is how a key press is named and how a page finds the object it starts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/object.h"
#include "document/page.h"

namespace velk {

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool operator==(const KeyModifiers&) const = default;
};

// Arrow keys held down while a key is pressed, as bits.
enum ArrowKeys : std::uint32_t {
    kArrowNone = 0,
    kArrowDown = 1,
    kArrowUp = 2,
    kArrowLeft = 4,
    kArrowRight = 8,
};

// The name of the key `virtual_key`: its character (nothing below 32), upper-cased; "DOWN",
// "UP", "LEFT", "RIGHT" while such an arrow is held (the last of that order wins); "DELETE",
// "HOME", "INSERT", "END", "ENTER", "SPACE", "TAB", "ESC"; "F1" ... "F12"; "0" ... "9" for the
// numeric keypad's digits. `held_arrows` includes the key itself when it is an arrow.
std::string KeyName(std::uint32_t virtual_key, std::uint32_t held_arrows);

// The arrow bit of `virtual_key`, kArrowNone for other keys.
std::uint32_t ArrowBit(std::uint32_t virtual_key);

// The first Script object of `page` (list order) whose shortcut is on, whose Shift, Ctrl and Alt
// states equal `modifiers` and whose key name equals `name` exactly; null when none does.
Object* FindKeyObject(Page& page, std::string_view name, KeyModifiers modifiers);

}  // namespace velk
