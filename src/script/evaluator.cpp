#include "script/evaluator.h"

#include "script/expression_parser.h"
#include "script/number_text.h"

namespace velk {

// The interpreter's grammar, made here once for every file that reads expressions.
template class ExpressionGrammar<ExpressionParser, double>;

Evaluator::Evaluator(VariableStore& variables, RuntimeRandom& random, ScriptOwner* owner)
    : variables_(variables), random_(random), owner_(owner) {}

double Evaluator::Run(std::string_view text, bool condition) {
    if (ExpressionProgram* program = programs_.Find(text, condition)) return RunProgram(*program);
    return Interpret(text, condition);
}

double Evaluator::EvaluateAgain(Repeated& repeated) {
    if (repeated.generation_ != programs_.Generation()) {
        repeated.program_ = programs_.Find(repeated.text_, repeated.condition_);
        repeated.generation_ = programs_.Generation();  // after Find, which may start afresh
    }
    if (repeated.program_ != nullptr) return RunProgram(*repeated.program_);
    return Interpret(repeated.text_, repeated.condition_);
}

void Evaluator::NoteOverflow() {
    error_text_ = "Overflow  ";  // the table text, a blank, no suffix
}

double Evaluator::Interpret(std::string_view text, bool condition) {
    ExpressionParser parser(*this, TrimWhiteSpace(text), condition);
    const double value = parser.Run();
    error_ = parser.HasError();
    if (error_) {
        error_text_ = std::move(parser.ErrorText());
        error_context_ = std::move(parser.ErrorContext());
    } else {
        error_context_.clear();
    }
    return value;
}

}  // namespace velk
