// The names of keys in event scripts and the virtual-key codes the player receives for them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velk::headless {

// "A" … "Z", "0" … "9", "F1" … "F12", "Numpad0" … "Numpad9", "Escape"/"Esc", "Return"/"Enter",
// "Tab", "Space", "Left", "Right", "Up", "Down", "Home", "End", "PageUp", "PageDown", "Backspace",
// "Delete", "Insert"; letter case does not matter ("a" is the A key). Nothing for an unknown name.
std::optional<std::uint32_t> VirtualKeyFromName(std::string_view name);

// Modifier keys held with a key, as bits of ScriptedEvent::modifiers.
inline constexpr std::uint32_t kModifierShift = 1;
inline constexpr std::uint32_t kModifierCtrl = 2;
inline constexpr std::uint32_t kModifierAlt = 4;

// A key name with its modifiers in front ("Shift+Ctrl+A"; letter case does not matter): the
// virtual-key code and the modifier bits. Nothing for an unknown name or modifier.
struct KeyWithModifiers {
    std::uint32_t key = 0;
    std::uint32_t modifiers = 0;
};
std::optional<KeyWithModifiers> KeyFromChord(std::string_view chord);

}  // namespace velk::headless
