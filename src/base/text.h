// Small text helpers shared by every layer.
#pragma once

#include <string_view>

namespace velk {

// The white space the old runtime's trimming removed: blank, tab, line ends, vertical tab, form
// feed.
inline constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

constexpr bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// `text` without white space at either end.
constexpr std::string_view TrimWhiteSpace(std::string_view text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

}  // namespace velk
