// Name terms of numeric expressions: numeric variables (read, or assigned in assignment mode),
// array elements, TRUE and FALSE, built-in calls, and string variables where a number is
// expected: assigned or compared, anything else is an error.
#include <cstdint>

#include "base/saturate.h"
#include "script/builtins.h"
#include "script/expression_parser.h"
#include "script/number_text.h"

namespace velk {

bool ExpressionParser::Index(std::string& name, std::string_view opener) {
    Next();
    const double index = Expression();
    name += opener;
    AppendInt(name, SaturateCast<std::int32_t>(index));
    name += ']';
    if (token_ != ']') {
        Fail(ScriptError::kBrackets, " Expected ']'");
        return false;
    }
    Next();
    return true;
}

double ExpressionParser::NameTerm() {
    std::string name = Name();
    if (token_ == '$') return StringVariableTerm(std::move(name));
    if (name == "TRUE") return 1.0;
    if (name == "FALSE") return 0.0;
    if (token_ == '(') {
        if (NumericBuiltin builtin = FindNumericBuiltin(name)) return builtin(*this);
    }
    if (token_ == '[') {
        if (Index(name, "[")) CheckFollow();
    }
    if (!condition_ && token_ == '=') {
        Next();
        const double value = Expression();
        Variables().SetNumber(name, value);
        return value;
    }
    const Variable* variable = Variables().Find(name);
    return variable != nullptr ? variable->number : 0.0;
}

double ExpressionParser::StringVariableTerm(std::string name) {
    Next();
    if (token_ == kEnd) {
        Fail(ScriptError::kMessage,
             "Using String variable in the wrong place \nor as a part of non-string expression..");
        return 0.0;
    }
    if (token_ == '[') {
        Index(name, "$[");
    } else {
        name += '$';
    }
    if (!condition_ && token_ == '=') {
        Next();
        Variables().SetString(name, StringExpression());
        return 1.0;
    }
    if (condition_ && (token_ == '=' || token_ == '<' || token_ == '>')) {
        return StringComparison(name) ? 1.0 : 0.0;
    }
    Fail(ScriptError::kMessage,
         "String on wrong place \nor using string in non-string expression.");
    return 0.0;
}

bool ExpressionParser::StringComparison(std::string_view name) {
    const int first = token_;
    Next();
    int second = 0;
    if (first != '=' && (token_ == '<' || token_ == '>')) {
        second = token_;
        Next();
    }
    const std::string right = StringExpression();
    const Variable* variable = Variables().Find(name);
    const std::string_view left = variable != nullptr ? std::string_view(variable->text) : "";
    // Byte by byte, unsigned, case-sensitive: char_traits<char> compares as unsigned char.
    const int order = left.compare(right);
    if (second != 0) return order != 0;
    if (first == '=') return order == 0;
    return first == '>' ? order > 0 : order < 0;
}

}  // namespace velk
