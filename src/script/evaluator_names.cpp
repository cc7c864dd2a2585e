// String variables where the interpreter expects a number: assigned in assignment mode, compared
// in condition mode, anything else is an error.
#include "script/expression_parser.h"

namespace velk {

bool ExpressionParser::StringIndex(std::string& name) {
    double index = 0.0;
    const bool closed = Subscript(index);
    AppendIndex(name, "$[", index);
    return closed;
}

double ExpressionParser::StringVariableTerm(std::string name) {
    Next();
    if (Token() == kEnd) {
        Fail(ScriptError::kMessage,
             "Using String variable in the wrong place \nor as a part of non-string expression..");
        return 0.0;
    }
    if (Token() == '[') {
        StringIndex(name);
    } else {
        name += '$';
    }
    if (!Condition() && Token() == '=') {
        Next();
        Variables().SetString(name, StringExpression());
        return 1.0;
    }
    if (Condition() && (Token() == '=' || Token() == '<' || Token() == '>')) {
        return StringComparison(name) ? 1.0 : 0.0;
    }
    Fail(ScriptError::kMessage,
         "String on wrong place \nor using string in non-string expression.");
    return 0.0;
}

bool ExpressionParser::StringComparison(std::string_view name) {
    const int first = Token();
    Next();
    int second = 0;
    if (first != '=' && (Token() == '<' || Token() == '>')) {
        second = Token();
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
