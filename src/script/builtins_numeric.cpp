// Numeric built-ins on numbers and texts: rnd, int, abs, val, ord, len, pos, getarraynum.
#include <cmath>

#include "base/runtime_random.h"
#include "script/builtin_support.h"
#include "script/number_text.h"

namespace velk {
namespace {

double Rnd(ExpressionParser& parser) {
    const double x = parser.ParenthesisedFactor();
    const double draw = parser.Random().Next();
    return std::trunc(draw / RuntimeRandom::kMax * x + 0.5);
}

double Int(ExpressionParser& parser) {
    return std::trunc(parser.ParenthesisedFactor());
}

double Abs(ExpressionParser& parser) {
    return std::trunc(std::fabs(parser.ParenthesisedFactor()));
}

double Val(ExpressionParser& parser) {
    std::string text;
    if (!parser.StringArgument(text)) return 0.0;
    return TextToDouble(text);
}

double Ord(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return 0.0;
    const std::string text = ReadText(parser, args[0]);
    return text.empty() ? 0.0 : static_cast<unsigned char>(text[0]);
}

double Len(ExpressionParser& parser) {
    std::array<std::string_view, 1> args;
    if (!WindowCall(parser, args)) return 0.0;
    return static_cast<double>(ReadText(parser, args[0]).size());
}

double Pos(ExpressionParser& parser) {
    std::array<std::string_view, 2> args;
    if (!WindowCall(parser, args)) return 0.0;
    const std::string sub = ReadText(parser, args[0]);
    const std::string text = ReadText(parser, args[1]);
    if (sub.empty()) return 0.0;
    const std::size_t at = text.find(sub);
    return at == std::string::npos ? 0.0 : static_cast<double>(at + 1);
}

// A separator written "0x41" is the one character with that code.
std::string Separator(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        unsigned code = 0;
        std::size_t i = 2;
        for (; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
            const char c = text[i];
            const unsigned digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            code = (code * 16 + digit) & 0xFFFFu;
        }
        if (i > 2) return std::string(1, static_cast<char>(code & 0xFF));
    }
    return std::string(text);
}

double GetArrayNum(ExpressionParser& parser) {
    std::array<std::string_view, 2> args;
    if (!WindowCall(parser, args)) return 0.0;
    // The list must be named by a string variable.
    if (!args[0].ends_with('$')) return 0.0;
    const std::string list = ReadText(parser, args[0]);
    const std::string separator = Separator(ReadText(parser, args[1]));
    if (separator.empty()) return 0.0;
    double count = 0;
    for (std::size_t at = list.find(separator); at != std::string::npos;
         at = list.find(separator, at + 1)) {
        ++count;
    }
    return count;
}

constexpr NumericEntry kArithmetic[] = {
    {"rnd", Rnd}, {"int", Int}, {"abs", Abs}, {"val", Val},
    {"ord", Ord}, {"len", Len}, {"pos", Pos}, {"getarraynum", GetArrayNum},
};

}  // namespace

std::span<const NumericEntry> ArithmeticBuiltins() {
    return kArithmetic;
}

}  // namespace velk
