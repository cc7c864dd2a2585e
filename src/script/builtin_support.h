// What the built-ins share (not for other modules): their tables, the readings of raw argument
// pieces, and the window rule.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "script/builtins.h"
#include "script/expression_parser.h"
#include "script/script_owner.h"

namespace velk {

struct NumericEntry {
    std::string_view name;  // lower case
    NumericBuiltin call;
};
struct StringEntry {
    std::string_view name;
    StringBuiltin call;
};

std::span<const NumericEntry> ArithmeticBuiltins();   // builtins_numeric.cpp
std::span<const NumericEntry> WindowBuiltins();       // builtins_window.cpp
std::span<const NumericEntry> ObjectBuiltins();       // builtins_objects.cpp
std::span<const NumericEntry> FileNumericBuiltins();  // builtins_files.cpp
std::span<const StringEntry> FileStringBuiltins();    // builtins_files.cpp
std::span<const StringEntry> TextBuiltins();          // builtins_string.cpp
std::span<const StringEntry> SystemStringBuiltins();  // builtins_window.cpp

// The raw arguments cut into pieces, and the window rule: false (the built-in gives 0 or the
// empty text) when the call failed or the evaluator has no window. The arguments are consumed
// either way.
template <std::size_t N>
bool WindowCall(ExpressionParser& parser, std::array<std::string_view, N>& pieces) {
    return parser.RawArguments(pieces) && parser.Owner() != nullptr;
}

// The readings of a piece. Text: the string variable of that name, else the piece itself.
std::string ReadText(ExpressionParser& parser, std::string_view piece);
// Whole number: the numeric variable of that name, truncated, else the leading digits.
std::int32_t ReadWholeNumber(ExpressionParser& parser, std::string_view piece);
// Path: the text with its path macros expanded.
std::string ReadPath(ExpressionParser& parser, std::string_view piece);
// A number: the numeric variable of that name, else the piece as a decimal number.
double ReadNumber(ExpressionParser& parser, std::string_view piece);
// The object a piece names (array indexing on); null when there is none.
Object* ReadObject(ExpressionParser& parser, std::string_view piece);

}  // namespace velk
