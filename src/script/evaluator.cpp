#include "script/evaluator.h"

#include "script/expression_parser.h"
#include "script/number_text.h"

namespace velk {

Evaluator::Evaluator(VariableStore& variables, RuntimeRandom& random, ScriptOwner* owner)
    : variables_(variables), random_(random), owner_(owner) {}

double Evaluator::Run(std::string_view text, bool condition) {
    if (ExpressionProgram* program = programs_.Find(text, condition)) {
        const double value = program->Run(variables_, error_, error_context_);
        if (error_) {
            error_text_ = "Overflow  ";  // the table text, a blank, no suffix
        } else {
            error_context_.clear();
        }
        return value;
    }
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
