// Tokens: one character at a time, blanks and tabs skipped (so blanks never separate anything),
// and the numbers gathered from them.
#include <array>

#include "script/expression_parser.h"
#include "script/number_text.h"

namespace velk {
namespace {

constexpr std::array<bool, 256> MakeOperatorTable() {
    std::array<bool, 256> table{};
    constexpr std::string_view kOperators = "0123456789(){}[]<>+-*/=&^%$#@?!:.,;'|~`\\";
    for (char c : kOperators) table[static_cast<unsigned char>(c)] = true;
    return table;
}

constexpr std::array<bool, 256> kOperatorChars = MakeOperatorTable();

bool IsNumberLetter(int token) {
    return token == 'e' || token == 'E' || token == 'd' || token == 'D';
}

}  // namespace

ExpressionParser::ExpressionParser(Evaluator& evaluator, std::string_view text, bool condition)
    : evaluator_(evaluator), text_(text), condition_(condition) {}

void ExpressionParser::Next() {
    while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t')) {
        ++position_;
    }
    if (position_ >= text_.size()) {
        token_ = kEnd;
        return;
    }
    token_ = static_cast<unsigned char>(text_[position_++]);
}

bool ExpressionParser::IsNameChar(int token) {
    return token != kEnd && !kOperatorChars[static_cast<std::size_t>(token)];
}

std::string ExpressionParser::Name() {
    std::string name;
    while (IsNameChar(token_) || IsDigit(token_)) {
        name += static_cast<char>(token_);
        Next();
    }
    return name;
}

double ExpressionParser::Number() {
    // A "-" where an operand is expected gathers nothing and gives 0: the "-" is left to the
    // sum, so -5 is 0-5 and 2*-3 is (2*0)-3.
    std::string number;
    bool after_letter = false;
    while (IsDigit(token_) || token_ == '.' || IsNumberLetter(token_) ||
           (token_ == '-' && after_letter)) {
        after_letter = IsNumberLetter(token_);
        number += static_cast<char>(token_);
        Next();
    }
    const double value = TextToDouble(number);
    CheckFollow();
    return value;
}

void ExpressionParser::CheckFollow() {
    if (IsNameChar(token_) || token_ == '(') Fail(ScriptError::kOperandMissing);
}

}  // namespace velk
