#include "hosts/qt/key_codes.h"

#include <array>

namespace velk::desktop {

namespace {

struct KeyCode {
    int key;
    std::uint32_t virtual_key;
};

// Keys whose code is not their own character.
constexpr std::array kKeyTable = {
    KeyCode{Qt::Key_Backspace, 0x08},
    KeyCode{Qt::Key_Tab, 0x09},
    KeyCode{Qt::Key_Backtab, 0x09},
    KeyCode{Qt::Key_Clear, 0x0C},
    KeyCode{Qt::Key_Return, 0x0D},
    KeyCode{Qt::Key_Enter, 0x0D},
    KeyCode{Qt::Key_Shift, 0x10},
    KeyCode{Qt::Key_Control, 0x11},
    KeyCode{Qt::Key_Alt, 0x12},
    KeyCode{Qt::Key_AltGr, 0x12},
    KeyCode{Qt::Key_Pause, 0x13},
    KeyCode{Qt::Key_CapsLock, 0x14},
    KeyCode{Qt::Key_Escape, 0x1B},
    KeyCode{Qt::Key_Space, 0x20},
    KeyCode{Qt::Key_PageUp, 0x21},
    KeyCode{Qt::Key_PageDown, 0x22},
    KeyCode{Qt::Key_End, 0x23},
    KeyCode{Qt::Key_Home, 0x24},
    KeyCode{Qt::Key_Left, 0x25},
    KeyCode{Qt::Key_Up, 0x26},
    KeyCode{Qt::Key_Right, 0x27},
    KeyCode{Qt::Key_Down, 0x28},
    KeyCode{Qt::Key_Select, 0x29},
    KeyCode{Qt::Key_Printer, 0x2A},
    KeyCode{Qt::Key_Execute, 0x2B},
    KeyCode{Qt::Key_Print, 0x2C},
    KeyCode{Qt::Key_Insert, 0x2D},
    KeyCode{Qt::Key_Delete, 0x2E},
    KeyCode{Qt::Key_Help, 0x2F},
    KeyCode{Qt::Key_Meta, 0x5B},
    KeyCode{Qt::Key_Super_L, 0x5B},
    KeyCode{Qt::Key_Super_R, 0x5C},
    KeyCode{Qt::Key_Menu, 0x5D},
    KeyCode{Qt::Key_Sleep, 0x5F},
    KeyCode{Qt::Key_NumLock, 0x90},
    KeyCode{Qt::Key_ScrollLock, 0x91},
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
    KeyCode{Qt::Key_Semicolon, 0xBA},
    KeyCode{Qt::Key_Colon, 0xBA},
    KeyCode{Qt::Key_Equal, 0xBB},
    KeyCode{Qt::Key_Plus, 0xBB},
    KeyCode{Qt::Key_Comma, 0xBC},
    KeyCode{Qt::Key_Less, 0xBC},
    KeyCode{Qt::Key_Minus, 0xBD},
    KeyCode{Qt::Key_Underscore, 0xBD},
    KeyCode{Qt::Key_Period, 0xBE},
    KeyCode{Qt::Key_Greater, 0xBE},
    KeyCode{Qt::Key_Slash, 0xBF},
    KeyCode{Qt::Key_Question, 0xBF},
    KeyCode{Qt::Key_QuoteLeft, 0xC0},
    KeyCode{Qt::Key_AsciiTilde, 0xC0},
    KeyCode{Qt::Key_BracketLeft, 0xDB},
    KeyCode{Qt::Key_BraceLeft, 0xDB},
    KeyCode{Qt::Key_Backslash, 0xDC},
    KeyCode{Qt::Key_Bar, 0xDC},
    KeyCode{Qt::Key_BracketRight, 0xDD},
    KeyCode{Qt::Key_BraceRight, 0xDD},
    KeyCode{Qt::Key_Apostrophe, 0xDE},
    KeyCode{Qt::Key_QuoteDbl, 0xDE},
};

// The number pad's own codes, when Qt marks the key as coming from it.
constexpr std::array kKeypadTable = {
    KeyCode{Qt::Key_Asterisk, 0x6A}, KeyCode{Qt::Key_Plus, 0x6B},  KeyCode{Qt::Key_Minus, 0x6D},
    KeyCode{Qt::Key_Period, 0x6E},   KeyCode{Qt::Key_Comma, 0x6E}, KeyCode{Qt::Key_Slash, 0x6F},
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
        return keypad ? 0x60 + digit : '0' + digit;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + static_cast<std::uint32_t>(key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + static_cast<std::uint32_t>(key - Qt::Key_F1);
    }
    if (keypad) {
        if (const std::uint32_t code = Find(kKeypadTable, key)) return code;
    }
    return Find(kKeyTable, key);
}

}  // namespace velk::desktop
