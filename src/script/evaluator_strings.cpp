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
    while (token_ == '+') {
        Next();
        StringTerm(text);
    }
    return text;
}

void ExpressionParser::StringTerm(std::string& out) {
    if (token_ == '\'') return ConstantTerm(out);
    if (token_ == '<') return MacroTerm(out);
    if (IsNameChar(token_)) {
        std::string name = Name();
        if (token_ == '$') {
            Next();
            if (token_ == '[') {
                Index(name, "$[");
            } else {
                name += '$';
            }
            if (const Variable* variable = Variables().Find(name)) out += variable->text;
            return;
        }
        if (token_ != '(' && name.starts_with("ZIZ_")) return SystemVariableTerm(name, out);
        if (token_ == '(') {
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
    std::string constant;
    std::size_t i = position_;
    for (;; ++i) {
        if (i >= text_.size()) {
            position_ = text_.size();
            token_ = kEnd;
            Fail(ScriptError::kMessage, "Missing ' on the end of constant string.");
            return;
        }
        if (text_[i] == '\\' && i + 1 < text_.size() && text_[i + 1] == '\'') {
            constant += '\'';
            ++i;
            continue;
        }
        if (text_[i] == '\'') break;
        constant += text_[i];
    }
    position_ = i + 1;
    Next();
    ScriptOwner* owner = Owner();
    if (owner != nullptr && constant.find('<') != std::string::npos) {
        out += owner->ExpandPath(constant);
    } else {
        out += constant;
    }
}

void ExpressionParser::MacroTerm(std::string& out) {
    const std::size_t start = position_ - 1;
    const std::size_t close = text_.find('>', position_);
    if (close == std::string_view::npos) {
        position_ = text_.size();
        token_ = kEnd;
        Fail(ScriptError::kMessage, "Expecting >");
        return;
    }
    const std::string_view macro = text_.substr(start, close + 1 - start);
    position_ = close + 1;
    Next();
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
