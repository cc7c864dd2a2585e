// The interpreter: the expression grammar evaluated as it is read, shared by the evaluator's
// files and the built-ins (not for other modules). One parser lives for one evaluation, on the
// stack: an action list that runs while a built-in waits (a message box pumps events) evaluates
// with a parser of its own.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "script/evaluator.h"
#include "script/expression_grammar.h"
#include "script/number_text.h"
#include "script/numeric_operators.h"

namespace velk {

class ScriptOwner;

class ExpressionParser : public ExpressionGrammar<ExpressionParser, double> {
  public:
    ExpressionParser(Evaluator& evaluator, std::string_view text, bool condition)
        : ExpressionGrammar(text, condition), evaluator_(evaluator) {}

    bool HasError() const { return error_; }
    std::string& ErrorText() { return error_text_; }
    std::string& ErrorContext() { return error_context_; }

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
    friend class ExpressionGrammar<ExpressionParser, double>;

    // The grammar's pieces, evaluated now.
    static double Constant(double value) { return value; }
    static double Bitwise(int op, double left, double right) {
        return velk::Bitwise(op, left, right);
    }
    static double Compare(int first, int second, double left, double right) {
        return CompareValues(first, second, left, right);
    }
    static double Add(int op, double left, double right) {
        return op == '+' ? left + right : left - right;
    }
    static double Multiply(int op, double left, double right) {
        return op == '*' ? left * right : Divide(left, right);
    }
    static double Raise(double base, double exponent) { return RepeatedPower(base, exponent); }
    static int ProductStart() { return 0; }
    double EndProduct(int /*start*/, double value) {
        if (value > kLargestProduct) [[unlikely]] {
            Fail(ScriptError::kOverflow);
            return kLargestProduct;
        }
        return value;
    }
    double Call(NumericBuiltin builtin) { return builtin(*this); }

    // Numeric variables and array elements, by their finished names (evaluator_names.cpp).
    static std::string NamedTarget(std::string name) { return name; }
    static std::string ElementTarget(std::string name, double index) {
        AppendIndex(name, "[", index);
        return name;
    }
    double Load(const std::string& name) {
        const Variable* variable = Variables().Find(name);
        return variable != nullptr ? variable->number : 0.0;
    }
    double Assign(const std::string& name, double value) {
        Variables().SetNumber(name, value);
        return value;
    }
    // A string variable where a number is expected: assigned or compared, anything else is an
    // error (evaluator_names.cpp).
    double StringVariableTerm(std::string name);
    bool StringComparison(std::string_view name);
    // "[" expression "]" after a string variable's name, appended as "$[index]". False when the
    // "]" is missing.
    bool StringIndex(std::string& name);

    void StringTerm(std::string& out);
    void ConstantTerm(std::string& out);
    void MacroTerm(std::string& out);
    void SystemVariableTerm(std::string_view name, std::string& out);

    Evaluator& evaluator_;
    bool error_ = false;
    std::string error_text_;
    std::string error_context_;
};

extern template class ExpressionGrammar<ExpressionParser, double>;

}  // namespace velk
