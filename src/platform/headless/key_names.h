// The names of keys in event scripts and the virtual-key codes the player receives for them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velk::host {

// "A" … "Z", "0" … "9", "F1" … "F12", "Escape"/"Esc", "Return"/"Enter", "Tab", "Space", "Left",
// "Right", "Up", "Down", "Home", "End", "PageUp", "PageDown", "Backspace", "Delete", "Insert";
// letter case does not matter ("a" is the A key). Nothing for an unknown name.
std::optional<std::uint32_t> VirtualKeyFromName(std::string_view name);

}  // namespace velk::host
