#include "platform/headless/key_names.h"

#include <array>
#include <string>

#include "base/codepage.h"

namespace velk::host {
namespace {

constexpr std::uint32_t kVirtualKeyEscape = 27;

struct NamedKey {
    std::string_view name;
    std::uint32_t code;
};

// The keys without a character of their own, by the names the event scripts use. Letters,
// digits and function keys follow a rule and are not listed.
constexpr std::array<NamedKey, 17> kNamedKeys{{
    {"BACKSPACE", 8},
    {"TAB", 9},
    {"RETURN", 13},
    {"ENTER", 13},
    {"ESCAPE", kVirtualKeyEscape},
    {"SPACE", 32},
    {"PAGEUP", 33},
    {"PAGEDOWN", 34},
    {"END", 35},
    {"HOME", 36},
    {"LEFT", 37},
    {"UP", 38},
    {"RIGHT", 39},
    {"DOWN", 40},
    {"INSERT", 45},
    {"DELETE", 46},
    {"ESC", kVirtualKeyEscape},
}};

constexpr std::uint32_t kVirtualKeyF1 = 112;

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
        if (number >= 1 && number <= 12 && upper[1] != '0') return kVirtualKeyF1 + number - 1;
        return std::nullopt;
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == upper) return key.code;
    }
    return std::nullopt;
}

}  // namespace velk::host
