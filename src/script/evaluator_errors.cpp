// The error state of one evaluation: the first error's text (table text, a blank, suffix) and
// where it happened (the text up to the current token).
#include "script/expression_parser.h"

namespace velk {
namespace {

std::string_view TableText(ScriptError number) {
    switch (number) {
        case ScriptError::kSyntax:
            return "Syntax Error";
        case ScriptError::kBrackets:
            return "Unmatch brackets '[]'";
        case ScriptError::kBraces:
            return "Unmatched braces '()'";
        case ScriptError::kOperandMissing:
            return "Syntax Error - Operand missing";
        case ScriptError::kOverflow:
            return "Overflow ";
        case ScriptError::kMessage:
        case ScriptError::kParameters:
            break;
    }
    return {};
}

}  // namespace

void ExpressionParser::Fail(ScriptError number, std::string_view suffix) {
    if (error_) return;
    error_ = true;
    error_text_ = TableText(number);
    error_text_ += ' ';
    error_text_ += suffix;
    error_context_ = ErrorPlace();
}

}  // namespace velk
