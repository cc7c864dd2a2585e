// Qt's keys as the Windows virtual-key codes that presentations name keys by.
#pragma once

#include <Qt>
#include <cstdint>

namespace velk::desktop {

// The virtual-key code of `key` (with the keypad flag from `modifiers`), 0 for a key that has
// none. Keys that Qt reports shifted ("!" for Shift+1 on a US layout) give the code of the key
// itself, as the old system did.
std::uint32_t VirtualKeyOf(int key, Qt::KeyboardModifiers modifiers);

}  // namespace velk::desktop
