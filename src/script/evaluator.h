// The expression evaluator: a recursive-descent parser over single-character tokens that
// evaluates while it parses, reads and writes the variable store and calls the built-ins.
// Numbers are doubles; the bitwise operators work on 32-bit integers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/runtime_random.h"
#include "script/expression_cache.h"
#include "script/variable_store.h"

namespace velk {

class ScriptOwner;

class Evaluator {
  public:
    // `owner` is the main window, or null for the compiler's trial evaluators (built-ins that
    // read the window then give 0 or the empty text).
    Evaluator(VariableStore& variables, RuntimeRandom& random, ScriptOwner* owner = nullptr);

    // Assignment mode: "=" after a variable assigns.
    double Evaluate(std::string_view text) { return Run(text, false); }
    // Condition mode: "=" after a variable compares. True when not 0.
    double EvaluateCondition(std::string_view text) { return Run(text, true); }

    // A text one caller evaluates again and again (a loop's limit, the records of a loop body):
    // found in the cache once, then run directly while the cache keeps its program. Evaluating
    // it is Evaluate(text), or EvaluateCondition(text) for a condition, in every respect. The
    // text must outlive it.
    class Repeated {
      public:
        explicit Repeated(std::string_view text, bool condition = false)
            : text_(text), condition_(condition) {}

      private:
        friend class Evaluator;
        std::string_view text_;
        bool condition_;
        ExpressionProgram* program_ = nullptr;
        std::uint64_t generation_ = ~std::uint64_t{0};
    };
    double Evaluate(Repeated& repeated) {
        if (repeated.program_ != nullptr && repeated.generation_ == programs_.Generation()) {
            return RunProgram(*repeated.program_);
        }
        return EvaluateAgain(repeated);
    }

    // The state the last evaluation left: only its first error counts.
    bool HasError() const { return error_; }
    const std::string& ErrorText() const { return error_text_; }
    const std::string& ErrorContext() const { return error_context_; }

    void SetOwner(ScriptOwner* owner) { owner_ = owner; }
    ScriptOwner* Owner() const { return owner_; }
    VariableStore& Variables() { return variables_; }
    // The player's generator: the evaluator draws from it and never seeds it.
    RuntimeRandom& Random() { return random_; }

  private:
    double Run(std::string_view text, bool condition);
    // A Repeated whose program is unknown, gone, or that the interpreter runs.
    double EvaluateAgain(Repeated& repeated);
    double RunProgram(ExpressionProgram& program) {
        const double value = program.Run(variables_, error_, error_context_);
        if (error_) {
            NoteOverflow();
        } else {
            error_context_.clear();
        }
        return value;
    }
    void NoteOverflow();
    double Interpret(std::string_view text, bool condition);

    VariableStore& variables_;
    RuntimeRandom& random_;
    ScriptOwner* owner_;
    ExpressionCache programs_;
    bool error_ = false;
    std::string error_text_;
    std::string error_context_;
};

// A number as scripts see it as text: "%d" when it equals its truncation to a 32-bit integer,
// "%.15g" otherwise; never dependent on the C locale.
std::string NumberToText(double value);

}  // namespace velk
