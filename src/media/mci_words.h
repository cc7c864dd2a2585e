// The words of a media control command string: blanks separate them, any number of them, and
// double quotes hold a word that has blanks (a file name in a folder with spaces).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk::media {

// The words of `command` in order; quotes are taken off. An unclosed quote runs to the end.
std::vector<std::string> SplitMciWords(std::string_view command);

// A whole word read as a decimal number that is not negative ("12"); none for anything else or
// a number beyond 2^53, so that every accepted number survives conversions exactly.
std::optional<std::int64_t> MciNumber(std::string_view word);

}  // namespace velk::media
