#include "script/numeric_operators.h"

#include <algorithm>
#include <cmath>

namespace velk {

double CompareValues(int first, int second, double left, double right) {
    if (second == 0) {
        if (first == '<') return left < right;
        if (first == '>') return left > right;
        return left == right;
    }
    const auto pair = [&](char a, char b) {
        return (first == a && second == b) || (first == b && second == a);
    };
    if (pair('<', '=')) return left <= right;
    if (pair('>', '=')) return left >= right;
    if (pair('<', '>')) return left != right;
    if (first == '=') return left == right;  // "=="
    return left;                             // "<<" and ">>" keep the left value
}

// base multiplied into 1 once for each integer from 1 up to e: base to the whole power
// floor(e) when e >= 1, else 1. The first steps multiply one by one as they always did; past
// them the product has either settled (0, infinity, NaN, a power of -1) or goes on
// geometrically, so the rest is taken in one step and a huge exponent costs no time.
double RepeatedPower(double base, double e) {
    if (!(e >= 1.0)) return 1.0;
    constexpr double kStepByStep = 4096;
    const double count = std::floor(e);
    const double steps = std::min(count, kStepByStep);
    double result = 1.0;
    for (double i = 0; i < steps; ++i) result *= base;
    if (count == steps) return result;
    return result * std::pow(base, count - steps);
}

}  // namespace velk
