#include "objects/script_object/shortcut_keys.h"

#include <array>

#include "base/codepage.h"
#include "base/virtual_keys.h"
#include "objects/script_object/script_object_fields.h"

namespace velk {
namespace {

struct NamedKey {
    std::uint32_t code;
    std::string_view name;
};
constexpr std::array<NamedKey, 8> kNamedKeys{{
    {kVkDelete, "DELETE"},
    {kVkHome, "HOME"},
    {kVkInsert, "INSERT"},
    {kVkEnd, "END"},
    {kVkReturn, "ENTER"},
    {kVkSpace, "SPACE"},
    {kVkTab, "TAB"},
    {kVkEscape, "ESC"},
}};

}  // namespace

std::uint32_t ArrowBit(std::uint32_t virtual_key) {
    switch (virtual_key) {
        case kVkDown:
            return kArrowDown;
        case kVkUp:
            return kArrowUp;
        case kVkLeft:
            return kArrowLeft;
        case kVkRight:
            return kArrowRight;
        default:
            return kArrowNone;
    }
}

std::string KeyName(std::uint32_t virtual_key, std::uint32_t held_arrows) {
    std::string name;
    if (virtual_key >= 32 && virtual_key <= 255) name = std::string(1, char(virtual_key));
    for (auto [bit, text] : {std::pair{kArrowDown, "DOWN"}, std::pair{kArrowUp, "UP"},
                             std::pair{kArrowLeft, "LEFT"}, std::pair{kArrowRight, "RIGHT"}}) {
        if ((held_arrows & bit) != 0) name = text;
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.code == virtual_key) name = std::string(key.name);
    }
    // Function keys and keypad digits have codes that are letters' characters; naming them by
    // those characters would make F2 start the object of the key "Q".
    if (virtual_key >= kVkF1 && virtual_key <= kVkF12) {
        name = "F" + std::to_string(virtual_key - kVkF1 + 1);
    } else if (virtual_key >= kVkNumpad0 && virtual_key <= kVkNumpad9) {
        name = std::string(1, char('0' + (virtual_key - kVkNumpad0)));
    }
    return Cp1252UpperString(name);
}

Object* FindKeyObject(Page& page, std::string_view name, KeyModifiers modifiers) {
    for (Object& object : page.objects) {
        if (object.kind != kKindScript) continue;
        const ScriptObjectFields fields(object);
        if (!fields.HasShortcut()) continue;
        if (fields.Shift() != std::uint32_t{modifiers.shift} ||
            fields.Ctrl() != std::uint32_t{modifiers.ctrl} ||
            fields.Alt() != std::uint32_t{modifiers.alt}) {
            continue;
        }
        if (fields.ShortcutKey() == name) return &object;
    }
    return nullptr;
}

}  // namespace velk
