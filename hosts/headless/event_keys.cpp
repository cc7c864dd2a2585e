#include "hosts/headless/event_keys.h"

#include <array>
#include <string>

#include "base/codepage.h"
#include "base/virtual_keys.h"

namespace velk::headless {
namespace {

struct NamedKey {
    std::string_view name;
    std::uint32_t code;
};

// The keys without a character of their own, by the names the event scripts use. Letters,
// digits and function keys follow a rule and are not listed.
constexpr std::array<NamedKey, 17> kNamedKeys{{
    {"BACKSPACE", kVkBack},
    {"TAB", kVkTab},
    {"RETURN", kVkReturn},
    {"ENTER", kVkReturn},
    {"ESCAPE", kVkEscape},
    {"SPACE", kVkSpace},
    {"PAGEUP", kVkPageUp},
    {"PAGEDOWN", kVkPageDown},
    {"END", kVkEnd},
    {"HOME", kVkHome},
    {"LEFT", kVkLeft},
    {"UP", kVkUp},
    {"RIGHT", kVkRight},
    {"DOWN", kVkDown},
    {"INSERT", kVkInsert},
    {"DELETE", kVkDelete},
    {"ESC", kVkEscape},
}};

constexpr std::string_view kNumpad = "NUMPAD";

}  // namespace

std::optional<std::uint32_t> VirtualKeyFromName(std::string_view name) {
    const std::string upper = Cp1252UpperString(name);
    // Letters and digits are their own codes ("A" is 65, "7" is 55).
    if (upper.size() == 1) {
        const char c = upper[0];
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            return static_cast<std::uint32_t>(c);
        }
    }
    if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == 'F') {
        std::uint32_t number = 0;
        for (char c : upper.substr(1)) {
            if (c < '0' || c > '9') return std::nullopt;
            number = number * 10 + static_cast<std::uint32_t>(c - '0');
        }
        if (number >= 1 && number <= 12 && upper[1] != '0') return kVkF1 + number - 1;
        return std::nullopt;
    }
    if (upper.size() == kNumpad.size() + 1 && upper.starts_with(kNumpad)) {
        const char digit = upper.back();
        if (digit >= '0' && digit <= '9') {
            return kVkNumpad0 + static_cast<std::uint32_t>(digit - '0');
        }
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == upper) return key.code;
    }
    return std::nullopt;
}

std::optional<KeyWithModifiers> KeyFromChord(std::string_view chord) {
    KeyWithModifiers result;
    // "+" alone is no modifier list: the last "+" that has text after it ends the modifiers.
    std::size_t plus = chord.find('+');
    while (plus != std::string_view::npos && plus + 1 < chord.size()) {
        const std::string modifier = Cp1252UpperString(chord.substr(0, plus));
        if (modifier == "SHIFT") {
            result.modifiers |= kModifierShift;
        } else if (modifier == "CTRL") {
            result.modifiers |= kModifierCtrl;
        } else if (modifier == "ALT") {
            result.modifiers |= kModifierAlt;
        } else {
            return std::nullopt;
        }
        chord.remove_prefix(plus + 1);
        plus = chord.find('+');
    }
    const std::optional<std::uint32_t> key = VirtualKeyFromName(chord);
    if (!key) return std::nullopt;
    result.key = *key;
    return result;
}

}  // namespace velk::headless
