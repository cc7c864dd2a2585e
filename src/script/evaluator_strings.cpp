// String expressions, after a string variable's "=" or comparison operator: terms joined by
// "+". A term is a quoted constant, a macro ("<SrcDir>", "<List>n"), a string variable, a
// system variable or a string built-in.
#include <algorithm>

#include "script/builtins.h"
#include "script/expression_parser.h"
#include "script/number_text.h"
#include "script/script_owner.h"

namespace velk {

std::string ExpressionParser::StringExpression() {
    std::string text;
    StringTerm(text);
    while (Token() == '+') {
        Next();
        StringTerm(text);
    }
    return text;
}

void ExpressionParser::StringTerm(std::string& out) {
    if (Token() == '\'') return ConstantTerm(out);
    if (Token() == '<') return MacroTerm(out);
    if (IsNameChar(Token())) {
        std::string name = Name();
        if (Token() == '$') {
            Next();
            if (Token() == '[') {
                StringIndex(name);
            } else {
                name += '$';
            }
            if (const Variable* variable = Variables().Find(name)) out += variable->text;
            return;
        }
        if (Token() != '(' && name.starts_with("ZIZ_")) return SystemVariableTerm(name, out);
        if (Token() == '(') {
            if (StringBuiltin builtin = FindStringBuiltin(name)) {
                out += builtin(*this);
                return;
            }
        }
    }
    Fail(ScriptError::kMessage,
         "Error:You are trying to mix string and non-string variables.\n"
         "To convert a numeric variable to the string use CHAR(variable)\n"
         "To assign a constant string use: string$='abcdef' not string$=\"abcdef\"");
}

void ExpressionParser::ConstantTerm(std::string& out) {
    // Characters one by one, blanks included, up to a "'" not preceded by "\".
    const std::string_view text = Text();
    std::string constant;
    std::size_t i = Position();
    for (;; ++i) {
        if (i >= text.size()) {
            MoveTo(text.size());
            Fail(ScriptError::kMessage, "Missing ' on the end of constant string.");
            return;
        }
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\'') {
            constant += '\'';
            ++i;
            continue;
        }
        if (text[i] == '\'') break;
        constant += text[i];
    }
    MoveTo(i + 1);
    ScriptOwner* owner = Owner();
    if (owner != nullptr && constant.find('<') != std::string::npos) {
        out += owner->ExpandPath(constant);
    } else {
        out += constant;
    }
}

void ExpressionParser::MacroTerm(std::string& out) {
    const std::string_view text = Text();
    const std::size_t start = Position() - 1;
    const std::size_t close = text.find('>', Position());
    if (close == std::string_view::npos) {
        MoveTo(text.size());
        Fail(ScriptError::kMessage, "Expecting >");
        return;
    }
    const std::string_view macro = text.substr(start, close + 1 - start);
    MoveTo(close + 1);
    ScriptOwner* owner = Owner();
    if (macro != "<List>") {
        out += owner != nullptr ? owner->ExpandPath(macro) : std::string(macro);
        return;
    }
    // "<List>n": entry n of the song list; n is a numeric variable or a number.
    const std::string index_text = Name();
    double index = 0.0;
    if (const Variable* variable = Variables().Find(index_text)) {
        index = variable->number;
    } else {
        index = TextToDouble(index_text);
    }
    if (owner == nullptr || !(index >= 1.0)) return;
    if (auto entry = owner->SongListEntry(static_cast<std::int64_t>(std::min(index, 1e18)))) {
        out += *entry;
    }
}

void ExpressionParser::SystemVariableTerm(std::string_view name, std::string& out) {
    const Variable* variable = Variables().Find(name);
    if (variable == nullptr) return;
    if (!variable->text.empty()) {
        out += variable->text;
    } else if (variable->number != kNoNumber) {
        out += NumberToText(variable->number);
    }
}

}  // namespace velk
