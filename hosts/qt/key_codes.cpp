#include "hosts/qt/key_codes.h"

#include <array>

#include "base/virtual_keys.h"

namespace velk::desktop {

namespace {

struct KeyCode {
    int key;
    std::uint32_t virtual_key;
};

// Keys whose code is not their own character.
constexpr std::array kKeyTable = {
    KeyCode{Qt::Key_Backspace, kVkBack},
    KeyCode{Qt::Key_Tab, kVkTab},
    KeyCode{Qt::Key_Backtab, kVkTab},
    KeyCode{Qt::Key_Clear, kVkClear},
    KeyCode{Qt::Key_Return, kVkReturn},
    KeyCode{Qt::Key_Enter, kVkReturn},
    KeyCode{Qt::Key_Shift, kVkShift},
    KeyCode{Qt::Key_Control, kVkControl},
    KeyCode{Qt::Key_Alt, kVkAlt},
    KeyCode{Qt::Key_AltGr, kVkAlt},
    KeyCode{Qt::Key_Pause, kVkPause},
    KeyCode{Qt::Key_CapsLock, kVkCapsLock},
    KeyCode{Qt::Key_Escape, kVkEscape},
    KeyCode{Qt::Key_Space, kVkSpace},
    KeyCode{Qt::Key_PageUp, kVkPageUp},
    KeyCode{Qt::Key_PageDown, kVkPageDown},
    KeyCode{Qt::Key_End, kVkEnd},
    KeyCode{Qt::Key_Home, kVkHome},
    KeyCode{Qt::Key_Left, kVkLeft},
    KeyCode{Qt::Key_Up, kVkUp},
    KeyCode{Qt::Key_Right, kVkRight},
    KeyCode{Qt::Key_Down, kVkDown},
    KeyCode{Qt::Key_Select, kVkSelect},
    KeyCode{Qt::Key_Printer, kVkPrint},
    KeyCode{Qt::Key_Execute, kVkExecute},
    KeyCode{Qt::Key_Print, kVkPrintScreen},
    KeyCode{Qt::Key_Insert, kVkInsert},
    KeyCode{Qt::Key_Delete, kVkDelete},
    KeyCode{Qt::Key_Help, kVkHelp},
    KeyCode{Qt::Key_Meta, kVkLeftWindows},
    KeyCode{Qt::Key_Super_L, kVkLeftWindows},
    KeyCode{Qt::Key_Super_R, kVkRightWindows},
    KeyCode{Qt::Key_Menu, kVkApplications},
    KeyCode{Qt::Key_Sleep, kVkSleep},
    KeyCode{Qt::Key_NumLock, kVkNumLock},
    KeyCode{Qt::Key_ScrollLock, kVkScrollLock},
    // The punctuation keys of a US layout, plain and shifted.
    KeyCode{Qt::Key_Exclam, '1'},
    KeyCode{Qt::Key_At, '2'},
    KeyCode{Qt::Key_NumberSign, '3'},
    KeyCode{Qt::Key_Dollar, '4'},
    KeyCode{Qt::Key_Percent, '5'},
    KeyCode{Qt::Key_AsciiCircum, '6'},
    KeyCode{Qt::Key_Ampersand, '7'},
    KeyCode{Qt::Key_Asterisk, '8'},
    KeyCode{Qt::Key_ParenLeft, '9'},
    KeyCode{Qt::Key_ParenRight, '0'},
    KeyCode{Qt::Key_Semicolon, kVkSemicolon},
    KeyCode{Qt::Key_Colon, kVkSemicolon},
    KeyCode{Qt::Key_Equal, kVkEquals},
    KeyCode{Qt::Key_Plus, kVkEquals},
    KeyCode{Qt::Key_Comma, kVkComma},
    KeyCode{Qt::Key_Less, kVkComma},
    KeyCode{Qt::Key_Minus, kVkMinus},
    KeyCode{Qt::Key_Underscore, kVkMinus},
    KeyCode{Qt::Key_Period, kVkPeriod},
    KeyCode{Qt::Key_Greater, kVkPeriod},
    KeyCode{Qt::Key_Slash, kVkSlash},
    KeyCode{Qt::Key_Question, kVkSlash},
    KeyCode{Qt::Key_QuoteLeft, kVkBackquote},
    KeyCode{Qt::Key_AsciiTilde, kVkBackquote},
    KeyCode{Qt::Key_BracketLeft, kVkOpenBracket},
    KeyCode{Qt::Key_BraceLeft, kVkOpenBracket},
    KeyCode{Qt::Key_Backslash, kVkBackslash},
    KeyCode{Qt::Key_Bar, kVkBackslash},
    KeyCode{Qt::Key_BracketRight, kVkCloseBracket},
    KeyCode{Qt::Key_BraceRight, kVkCloseBracket},
    KeyCode{Qt::Key_Apostrophe, kVkQuote},
    KeyCode{Qt::Key_QuoteDbl, kVkQuote},
};

// The number pad's own codes, when Qt marks the key as coming from it.
constexpr std::array kKeypadTable = {
    KeyCode{Qt::Key_Asterisk, kVkMultiply}, KeyCode{Qt::Key_Plus, kVkAdd},
    KeyCode{Qt::Key_Minus, kVkSubtract},    KeyCode{Qt::Key_Period, kVkDecimal},
    KeyCode{Qt::Key_Comma, kVkDecimal},     KeyCode{Qt::Key_Slash, kVkDivide},
};

std::uint32_t Find(const auto& table, int key) {
    for (const KeyCode& k : table) {
        if (k.key == key) return k.virtual_key;
    }
    return 0;
}

}  // namespace

std::uint32_t VirtualKeyOf(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const auto digit = static_cast<std::uint32_t>(key - Qt::Key_0);
        return keypad ? kVkNumpad0 + digit : '0' + digit;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + static_cast<std::uint32_t>(key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return kVkF1 + static_cast<std::uint32_t>(key - Qt::Key_F1);
    }
    if (keypad) {
        if (const std::uint32_t code = Find(kKeypadTable, key)) return code;
    }
    return Find(kKeyTable, key);
}

}  // namespace velk::desktop
