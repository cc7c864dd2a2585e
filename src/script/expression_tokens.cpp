#include "script/expression_tokens.h"

namespace velk {
namespace {

bool IsNumberLetter(int token) {
    return token == 'e' || token == 'E' || token == 'd' || token == 'D';
}

}  // namespace

std::string ExpressionTokens::Name() {
    std::string name;
    while (IsNameChar(token_) || IsDigit(token_)) {
        name += static_cast<char>(token_);
        Next();
    }
    return name;
}

std::string ExpressionTokens::NumberText() {
    std::string number;
    bool after_letter = false;
    while (IsDigit(token_) || token_ == '.' || IsNumberLetter(token_) ||
           (token_ == '-' && after_letter)) {
        after_letter = IsNumberLetter(token_);
        number += static_cast<char>(token_);
        Next();
    }
    return number;
}

std::string ExpressionTokens::ErrorPlace() const {
    std::string place(text_.substr(0, position_));
    place += " ?????";
    return place;
}

}  // namespace velk
