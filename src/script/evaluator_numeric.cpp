// The numeric grammar, from the lowest binding level to the highest:
//   1 comparison { ("&" | "|") comparison }     32-bit AND / OR
//   2 sum { ("<" | ">" | "=")[("=" | "<" | ">")] sum }
//   3 product { ("+" | "-") product }
//   4 power { ("*" | "/") power }
//   5 factor [ "^" factor ]
//   6 number | "(" expression ")" | name term
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "base/saturate.h"
#include "script/expression_parser.h"

namespace velk {
namespace {

constexpr double kLargestProduct = 1e301;

bool IsComparisonChar(int token) {
    return token == '<' || token == '>' || token == '=';
}

}  // namespace

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

double ExpressionParser::Run() {
    Next();
    const double value = Expression();
    if (token_ == ')') Fail(ScriptError::kBraces, " : You have more ')' braces than '('");
    return value;
}

double ExpressionParser::Expression() {
    // Each nested bracket or assignment recurses; a text from a damaged project must not be able
    // to exhaust the stack.
    if (depth_ >= kDeepestNesting) {
        Fail(ScriptError::kSyntax);
        return -1.0;
    }
    ++depth_;
    double value = Comparison();
    while (token_ == '&' || token_ == '|') {
        const int op = token_;
        Next();
        const std::int32_t left = SaturateCast<std::int32_t>(value);
        const std::int32_t right = SaturateCast<std::int32_t>(Comparison());
        value = op == '&' ? (left & right) : (left | right);
    }
    --depth_;
    return value;
}

double ExpressionParser::Comparison() {
    double value = Sum();
    while (IsComparisonChar(token_)) {
        const int first = token_;
        Next();
        int second = 0;
        if (IsComparisonChar(token_)) {
            second = token_;
            Next();
        }
        value = CompareValues(first, second, value, Sum());
    }
    return value;
}

double ExpressionParser::Sum() {
    double value = Product();
    while (token_ == '+' || token_ == '-') {
        const int op = token_;
        Next();
        const double right = Product();
        value = op == '+' ? value + right : value - right;
    }
    return value;
}

double ExpressionParser::Product() {
    double value = Power();
    while (token_ == '*' || token_ == '/') {
        const int op = token_;
        Next();
        const double right = Power();
        if (op == '*') {
            value *= right;
        } else {
            value = right == 0.0 ? 0.0 : value / right;
        }
    }
    if (value > kLargestProduct) {
        value = kLargestProduct;
        Fail(ScriptError::kOverflow);
    }
    return value;
}

double ExpressionParser::Power() {
    const double base = Factor();
    if (token_ != '^') return base;
    Next();
    return RepeatedPower(base, Factor());
}

double ExpressionParser::Factor() {
    if (IsDigit(token_) || token_ == '-') return Number();
    if (token_ == '(') return ParenthesisedFactor();
    if (IsNameChar(token_)) return NameTerm();
    Fail(ScriptError::kSyntax);
    return -1.0;
}

double ExpressionParser::ParenthesisedFactor() {
    Next();
    const double value = Expression();
    if (token_ != ')') {
        Fail(ScriptError::kBraces, " Expected ')'");
        return value;
    }
    Next();
    CheckFollow();
    return value;
}

}  // namespace velk
