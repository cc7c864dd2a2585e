// The built-in functions of expressions, found by name in any case. A built-in is called with
// the current token on its "(" and consumes its arguments up to and including the ")".
#pragma once

#include <string>
#include <string_view>

namespace velk {

class ExpressionParser;

using NumericBuiltin = double (*)(ExpressionParser&);
using StringBuiltin = std::string (*)(ExpressionParser&);

// Null when `name` is no built-in of that kind.
NumericBuiltin FindNumericBuiltin(std::string_view name);
StringBuiltin FindStringBuiltin(std::string_view name);

}  // namespace velk
