// The evaluator's parser, shared by its files and the built-ins (not for other modules). One
// parser lives for one evaluation, on the stack: an action list that runs while a built-in
// waits (a message box pumps events) evaluates with a parser of its own.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "script/evaluator.h"

namespace velk {

class ScriptOwner;

// The error numbers scripts report.
enum class ScriptError : int {
    kSyntax = 1,
    kBrackets = 3,
    kBraces = 4,
    kOperandMissing = 5,
    kMessage = 10,
    kParameters = 11,
    kOverflow = 23,
};

// A comparison operator of one or two characters ("<", "<=", "<<", ...; `second` 0 for one)
// applied to two values.
double CompareValues(int first, int second, double left, double right);
// base ^ e: base multiplied into 1 once for each integer from 1 up to e.
double RepeatedPower(double base, double e);

class ExpressionParser {
  public:
    static constexpr int kEnd = -1;
    // Brackets, indices and assignments nest at most this deep.
    static constexpr int kDeepestNesting = 256;

    ExpressionParser(Evaluator& evaluator, std::string_view text, bool condition);

    // The whole text: an expression, then a ")" left over is an error.
    double Run();

    bool HasError() const { return error_; }
    std::string& ErrorText() { return error_text_; }
    std::string& ErrorContext() { return error_context_; }

    // Tokens (evaluator_tokens.cpp).
    int Token() const { return token_; }
    void Next();
    static bool IsDigit(int token) { return token >= '0' && token <= '9'; }
    static bool IsNameChar(int token);
    // A name: name characters, digits and "_", gathered from the tokens.
    std::string Name();

    // Grammar (evaluator_numeric.cpp): level 1, and "(" expression ")" as a factor.
    double Expression();
    double ParenthesisedFactor();
    // String expressions (evaluator_strings.cpp).
    std::string StringExpression();

    // Errors (evaluator_errors.cpp): only the first one of an evaluation counts.
    void Fail(ScriptError number, std::string_view suffix = {});

    // What the built-ins read.
    VariableStore& Variables() { return evaluator_.Variables(); }
    ScriptOwner* Owner() const { return evaluator_.Owner(); }
    RuntimeRandom& Random() { return evaluator_.Random(); }
    // Raw arguments: the text up to the first ")" cut into `pieces.size()` pieces (see
    // builtin_arguments.cpp). False when the call fails; the error is reported.
    bool RawArguments(std::span<std::string_view> pieces);
    // "(" string expression ")" then ")": the form of val.
    bool StringArgument(std::string& text);

  private:
    // Levels 2 to 6 of the numeric grammar.
    double Comparison();
    double Sum();
    double Product();
    double Power();
    double Factor();
    double Number();
    // A name term in a numeric expression, and its string-variable form.
    double NameTerm();
    double StringVariableTerm(std::string name);
    // "[" expression "]" after a name, appended as "[index]" (or "$[index]"). False when the
    // "]" is missing.
    bool Index(std::string& name, std::string_view opener);
    // An operand directly followed by a name or "(" lacks an operator.
    void CheckFollow();
    bool StringComparison(std::string_view name);
    void StringTerm(std::string& out);
    void ConstantTerm(std::string& out);
    void MacroTerm(std::string& out);
    void SystemVariableTerm(std::string_view name, std::string& out);

    Evaluator& evaluator_;
    std::string_view text_;
    std::size_t position_ = 0;
    int token_ = kEnd;
    bool condition_ = false;
    int depth_ = 0;
    bool error_ = false;
    std::string error_text_;
    std::string error_context_;
};

}  // namespace velk
