// The argument forms of the built-ins that do not take a parenthesised expression.
#include "base/saturate.h"
#include "document/object.h"
#include "script/builtin_support.h"
#include "script/number_text.h"

namespace velk {

bool ExpressionParser::StringArgument(std::string& text) {
    Next();
    text = StringExpression();
    if (Token() != ')') {
        Fail(ScriptError::kMessage, "Expecting: ')'");
        return false;
    }
    Next();
    return true;
}

bool ExpressionParser::RawArguments(std::span<std::string_view> pieces) {
    // The text from the "(" up to the first ")": commas and ")" cannot occur inside arguments,
    // quoted or not.
    const std::string_view text = Text();
    const std::size_t close = text.find(')', Position());
    if (close == std::string_view::npos) {
        MoveTo(text.size());
        Fail(ScriptError::kMessage, "Expecting )");
        return false;
    }
    const std::string_view raw = text.substr(Position(), close - Position());
    MoveTo(close + 1);

    std::size_t at = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        while (at < raw.size() && raw[at] == ',') ++at;  // consecutive commas count as one
        const bool last = i + 1 == pieces.size();
        const std::size_t end = last ? raw.size() : raw.find(',', at);
        if (at >= raw.size() || end == std::string_view::npos) {
            Fail(ScriptError::kParameters, "Wrong number of parameters.");
            return false;
        }
        std::string_view piece = raw.substr(at, end - at);
        at = end + 1;
        if (piece.front() == '\'') {
            if (piece.size() < 2 || piece.back() != '\'') {
                Fail(ScriptError::kMessage, "Expecting '");
                return false;
            }
            piece = piece.substr(1, piece.size() - 2);
        }
        pieces[i] = TrimWhiteSpace(piece);
    }
    return true;
}

std::string ReadText(ExpressionParser& parser, std::string_view piece) {
    std::string text;
    if (parser.Variables().GetString(piece, text)) return text;
    return std::string(piece);
}

std::int32_t ReadWholeNumber(ExpressionParser& parser, std::string_view piece) {
    double value = 0.0;
    if (parser.Variables().GetNumber(piece, value)) return SaturateCast<std::int32_t>(value);
    return TextToInt(piece);
}

double ReadNumber(ExpressionParser& parser, std::string_view piece) {
    double value = 0.0;
    if (parser.Variables().GetNumber(piece, value)) return value;
    return TextToDouble(piece);
}

std::string ReadPath(ExpressionParser& parser, std::string_view piece) {
    std::string text = ReadText(parser, piece);
    ScriptOwner* owner = parser.Owner();
    return owner != nullptr ? owner->ExpandPath(text) : text;
}

Object* ReadObject(ExpressionParser& parser, std::string_view piece) {
    ScriptOwner* owner = parser.Owner();
    if (owner == nullptr) return nullptr;
    const std::string name =
        ResolveObjectName(ReadText(parser, piece), /*array_indexing=*/true, parser.Variables());
    return owner->FindObject(name);
}

}  // namespace velk
