// What the numeric operators of expressions compute, the same whether a text is interpreted or
// run as a compiled program.
#pragma once

#include <cstdint>

#include "base/saturate.h"

namespace velk {

// A product's value above this is clamped to it and reports an overflow.
inline constexpr double kLargestProduct = 1e301;

// x / 0 is 0.
inline double Divide(double left, double right) {
    return right == 0.0 ? 0.0 : left / right;
}

// "&" and "|" work on the operands saturated to 32-bit integers.
inline double Bitwise(int op, double left, double right) {
    const std::int32_t a = SaturateCast<std::int32_t>(left);
    const std::int32_t b = SaturateCast<std::int32_t>(right);
    return op == '&' ? (a & b) : (a | b);
}

// A comparison operator of one or two characters ("<", "<=", "<<", ...; `second` 0 for one)
// applied to two values.
double CompareValues(int first, int second, double left, double right);
// base ^ e: base multiplied into 1 once for each integer from 1 up to e.
double RepeatedPower(double base, double e);

}  // namespace velk
