// Numbers as script text, independent of the C locale: the runtime's text-to-number conversions
// (which stop at the first character they cannot use) and the number-to-text rule of scripts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"

namespace velk {

// Leading white space, a sign, digits with an optional "." and an exponent introduced by "e",
// "E", "d" or "D". Stops at the first character it cannot use; 0 when no number starts the
// text. Too large gives infinity, too small 0. `used` receives the characters taken.
double TextToDouble(std::string_view text, std::size_t* used = nullptr);

// Leading white space, a sign and decimal digits; saturates to 32 bits; 0 when no digit.
std::int32_t TextToInt(std::string_view text);

// "%d" of a 32-bit integer.
std::string IntToText(std::int32_t value);
void AppendInt(std::string& out, std::int32_t value);
// An array element's index as its name carries it: `opener` ("[" or "$["), the index saturated
// to a 32-bit integer, "]".
void AppendIndex(std::string& out, std::string_view opener, double index);

}  // namespace velk
