// The key numbers a presentation sees: its shortcuts, the keys Input text fields edit with and
// the keys the player answers itself. They are the numbers of the system the format comes
// from; a host turns its own key events into them, and letters and digits are their upper-case
// characters ('A' is 0x41, '7' is 0x37).
#pragma once

#include <cstdint>

namespace velk {

inline constexpr std::uint32_t kVkBack = 0x08;
inline constexpr std::uint32_t kVkTab = 0x09;
inline constexpr std::uint32_t kVkClear = 0x0C;
inline constexpr std::uint32_t kVkReturn = 0x0D;
inline constexpr std::uint32_t kVkShift = 0x10;
inline constexpr std::uint32_t kVkControl = 0x11;
inline constexpr std::uint32_t kVkAlt = 0x12;
inline constexpr std::uint32_t kVkPause = 0x13;
inline constexpr std::uint32_t kVkCapsLock = 0x14;
inline constexpr std::uint32_t kVkEscape = 0x1B;
inline constexpr std::uint32_t kVkSpace = 0x20;
inline constexpr std::uint32_t kVkPageUp = 0x21;
inline constexpr std::uint32_t kVkPageDown = 0x22;
inline constexpr std::uint32_t kVkEnd = 0x23;
inline constexpr std::uint32_t kVkHome = 0x24;
inline constexpr std::uint32_t kVkLeft = 0x25;
inline constexpr std::uint32_t kVkUp = 0x26;
inline constexpr std::uint32_t kVkRight = 0x27;
inline constexpr std::uint32_t kVkDown = 0x28;
inline constexpr std::uint32_t kVkSelect = 0x29;
inline constexpr std::uint32_t kVkPrint = 0x2A;
inline constexpr std::uint32_t kVkExecute = 0x2B;
inline constexpr std::uint32_t kVkPrintScreen = 0x2C;
inline constexpr std::uint32_t kVkInsert = 0x2D;
inline constexpr std::uint32_t kVkDelete = 0x2E;
inline constexpr std::uint32_t kVkHelp = 0x2F;
inline constexpr std::uint32_t kVkLeftWindows = 0x5B;
inline constexpr std::uint32_t kVkRightWindows = 0x5C;
inline constexpr std::uint32_t kVkApplications = 0x5D;
inline constexpr std::uint32_t kVkSleep = 0x5F;
// The number pad: digits 0x60 ... 0x69, then its operators.
inline constexpr std::uint32_t kVkNumpad0 = 0x60;
inline constexpr std::uint32_t kVkNumpad9 = 0x69;
inline constexpr std::uint32_t kVkMultiply = 0x6A;
inline constexpr std::uint32_t kVkAdd = 0x6B;
inline constexpr std::uint32_t kVkSubtract = 0x6D;
inline constexpr std::uint32_t kVkDecimal = 0x6E;
inline constexpr std::uint32_t kVkDivide = 0x6F;
// Function keys F1 ... F24 follow one another.
inline constexpr std::uint32_t kVkF1 = 0x70;
inline constexpr std::uint32_t kVkF12 = 0x7B;
inline constexpr std::uint32_t kVkNumLock = 0x90;
inline constexpr std::uint32_t kVkScrollLock = 0x91;
// The punctuation keys, named by what they show on a US layout, plain / shifted.
inline constexpr std::uint32_t kVkSemicolon = 0xBA;     // ; :
inline constexpr std::uint32_t kVkEquals = 0xBB;        // = +
inline constexpr std::uint32_t kVkComma = 0xBC;         // , <
inline constexpr std::uint32_t kVkMinus = 0xBD;         // - _
inline constexpr std::uint32_t kVkPeriod = 0xBE;        // . >
inline constexpr std::uint32_t kVkSlash = 0xBF;         // / ?
inline constexpr std::uint32_t kVkBackquote = 0xC0;     // ` ~
inline constexpr std::uint32_t kVkOpenBracket = 0xDB;   // [ {
inline constexpr std::uint32_t kVkBackslash = 0xDC;     // \ |
inline constexpr std::uint32_t kVkCloseBracket = 0xDD;  // ] }
inline constexpr std::uint32_t kVkQuote = 0xDE;         // ' "

}  // namespace velk
