// Small text helpers of the script compiler: white space as the C library's isspace sees it in
// the "C" locale, so that bytes above 127 (code-page letters) are never taken for blanks.
#pragma once

#include <string_view>

namespace velk::script_text {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

inline std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

inline std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

inline std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

}  // namespace velk::script_text
