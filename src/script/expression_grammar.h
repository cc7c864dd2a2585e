// The numeric grammar of expressions, walked once for both ways of running a text: the
// interpreter evaluates as it reads (ExpressionParser), the compiler emits the steps of a program
// (ProgramBuilder). The levels, from the lowest binding to the highest:
//   1 comparison { ("&" | "|") comparison }     32-bit AND / OR
//   2 sum { ("<" | ">" | "=")[("=" | "<" | ">")] sum }
//   3 product { ("+" | "-") product }
//   4 power { ("*" | "/") power }
//   5 factor [ "^" factor ]
//   6 number | "(" expression ")" | name term
// A name term is TRUE or FALSE, a built-in call, a string variable, or a numeric variable or
// array element, read, or assigned in assignment mode.
//
// `Backend` derives from the grammar and gives what each piece means as `Value`s: Constant,
// Bitwise, Compare, Add, Multiply, Raise, ProductStart and EndProduct, NamedTarget and
// ElementTarget (what a name term reads or assigns), Load and Assign, Call (a numeric built-in),
// StringVariableTerm, and Fail for an error. An error does not stop the reading: the rest of
// the text still assigns and creates its variables in the interpreter, while the compiler, which
// gives the text up at its first error, reads on without emitting.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "script/builtins.h"
#include "script/expression_tokens.h"
#include "script/number_text.h"
#include "script/script_error.h"

namespace velk {

template <typename Backend, typename Value>
class ExpressionGrammar : public ExpressionTokens {
  public:
    // Brackets, indices and assignments nest at most this deep.
    static constexpr int kDeepestNesting = 256;

    // The whole text: an expression, then a ")" left over is an error.
    Value Run() {
        Next();
        const Value value = Expression();
        if (Token() == ')')
            Self().Fail(ScriptError::kBraces, " : You have more ')' braces than '('");
        return value;
    }

    // Level 1.
    Value Expression() {
        // Each nested bracket or assignment recurses; a text from a damaged project must not be
        // able to exhaust the stack.
        if (depth_ >= kDeepestNesting) return Error(ScriptError::kSyntax);
        ++depth_;
        Value value = Comparison();
        while (Token() == '&' || Token() == '|') {
            const int op = Token();
            Next();
            const Value right = Comparison();
            value = Self().Bitwise(op, value, right);
        }
        --depth_;
        return value;
    }

    // "(" expression ")" as a factor, the current token on the "(".
    Value ParenthesisedFactor() {
        Next();
        const Value value = Expression();
        if (Token() != ')') {
            Self().Fail(ScriptError::kBraces, " Expected ')'");
            return value;
        }
        Next();
        CheckFollow();
        return value;
    }

  protected:
    ExpressionGrammar(std::string_view text, bool condition)
        : ExpressionTokens(text), condition_(condition) {}

    // Condition mode: "=" after a variable compares rather than assigns.
    bool Condition() const { return condition_; }

    // "[" expression "]" after a name, the current token on the "[". False when the "]" is
    // missing (reported).
    bool Subscript(Value& index) {
        Next();
        index = Expression();
        if (Token() != ']') {
            Self().Fail(ScriptError::kBrackets, " Expected ']'");
            return false;
        }
        Next();
        return true;
    }

    // An operand directly followed by a name or "(" lacks an operator.
    void CheckFollow() {
        if (IsNameChar(Token()) || Token() == '(') Self().Fail(ScriptError::kOperandMissing);
    }

  private:
    Backend& Self() { return static_cast<Backend&>(*this); }

    // The value an operand that cannot be read leaves.
    Value Error(ScriptError number) {
        Self().Fail(number);
        return Self().Constant(-1.0);
    }

    static bool IsComparisonChar(int token) { return token == '<' || token == '>' || token == '='; }

    Value Comparison() {
        Value value = Sum();
        while (IsComparisonChar(Token())) {
            const int first = Token();
            Next();
            int second = 0;
            if (IsComparisonChar(Token())) {
                second = Token();
                Next();
            }
            const Value right = Sum();
            value = Self().Compare(first, second, value, right);
        }
        return value;
    }

    Value Sum() {
        Value value = Product();
        while (Token() == '+' || Token() == '-') {
            const int op = Token();
            Next();
            const Value right = Product();
            value = Self().Add(op, value, right);
        }
        return value;
    }

    Value Product() {
        const auto start = Self().ProductStart();
        Value value = Power();
        while (Token() == '*' || Token() == '/') {
            const int op = Token();
            Next();
            const Value right = Power();
            value = Self().Multiply(op, value, right);
        }
        return Self().EndProduct(start, value);
    }

    Value Power() {
        const Value base = Factor();
        if (Token() != '^') return base;
        Next();
        const Value exponent = Factor();
        return Self().Raise(base, exponent);
    }

    Value Factor() {
        if (IsDigit(Token()) || Token() == '-') return Number();
        if (Token() == '(') return ParenthesisedFactor();
        if (IsNameChar(Token())) return NameTerm();
        return Error(ScriptError::kSyntax);
    }

    Value Number() {
        // A "-" where an operand is expected gathers nothing and gives 0: the "-" is left to the
        // sum, so -5 is 0-5 and 2*-3 is (2*0)-3.
        const Value value = Self().Constant(TextToDouble(NumberText()));
        CheckFollow();
        return value;
    }

    Value NameTerm() {
        std::string name = Name();
        if (Token() == '$') return Self().StringVariableTerm(std::move(name));
        if (name == "TRUE") return Self().Constant(1.0);
        if (name == "FALSE") return Self().Constant(0.0);
        if (Token() == '(') {
            if (NumericBuiltin builtin = FindNumericBuiltin(name)) return Self().Call(builtin);
        }
        auto target = Token() == '[' ? SubscriptedTarget(std::move(name))
                                     : Self().NamedTarget(std::move(name));
        if (!condition_ && Token() == '=') {
            Next();
            const Value value = Expression();
            return Self().Assign(std::move(target), value);
        }
        return Self().Load(target);
    }

    // An array element: its name, then "[" index "]".
    auto SubscriptedTarget(std::string name) {
        Value index{};
        const bool closed = Subscript(index);
        auto target = Self().ElementTarget(std::move(name), index);
        if (closed) CheckFollow();
        return target;
    }

    bool condition_;
    int depth_ = 0;
};

}  // namespace velk
