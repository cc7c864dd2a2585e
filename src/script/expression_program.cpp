// The compiler mirrors the interpreter's grammar function by function (evaluator_numeric.cpp,
// evaluator_names.cpp, evaluator_tokens.cpp), emitting steps instead of computing; wherever the
// interpreter would report an error other than the overflow of a product it gives up, and the
// text stays with the interpreter.
#include "script/expression_program.h"

#include <algorithm>

#include "base/saturate.h"
#include "script/builtins.h"
#include "script/expression_parser.h"
#include "script/number_text.h"

namespace velk {

using Op = ExpressionProgram::Op;

class ProgramBuilder {
  public:
    ProgramBuilder(ExpressionProgram& program, std::string_view text, bool condition)
        : program_(program), text_(text), condition_(condition) {}

    bool Build() {
        Next();
        Expression();
        if (token_ == ')') failed_ = true;
        return !failed_;
    }

  private:
    static constexpr int kEnd = ExpressionParser::kEnd;

    void Next() {
        while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t')) {
            ++position_;
        }
        token_ = position_ < text_.size() ? static_cast<unsigned char>(text_[position_++]) : kEnd;
    }
    static bool IsDigit(int token) { return ExpressionParser::IsDigit(token); }
    static bool IsNameChar(int token) { return ExpressionParser::IsNameChar(token); }
    static bool IsComparisonChar(int token) { return token == '<' || token == '>' || token == '='; }

    void Emit(Op op, std::int32_t a = 0, std::int32_t b = 0, double value = 0.0) {
        program_.steps_.push_back({op, a, b, value, -1});
    }
    std::int32_t Slot(const std::string& name) {
        auto& slots = program_.slots_;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (slots[i].name == name) return static_cast<std::int32_t>(i);
        }
        slots.emplace_back(name);
        return static_cast<std::int32_t>(slots.size() - 1);
    }

    void Expression() {
        if (depth_ >= ExpressionParser::kDeepestNesting) {
            failed_ = true;
            return;
        }
        ++depth_;
        Comparison();
        while (token_ == '&' || token_ == '|') {
            const int op = token_;
            Next();
            Comparison();
            Emit(op == '&' ? Op::kAnd : Op::kOr);
        }
        --depth_;
    }

    void Comparison() {
        Sum();
        while (IsComparisonChar(token_)) {
            const int first = token_;
            Next();
            int second = 0;
            if (IsComparisonChar(token_)) {
                second = token_;
                Next();
            }
            Sum();
            Emit(Op::kCompare, first, second);
        }
    }

    void Sum() {
        Product();
        while (token_ == '+' || token_ == '-') {
            const int op = token_;
            Next();
            Product();
            Emit(op == '+' ? Op::kAdd : Op::kSubtract);
        }
    }

    void Product() {
        const std::size_t start = program_.steps_.size();
        Power();
        while (token_ == '*' || token_ == '/') {
            const int op = token_;
            Next();
            Power();
            Emit(op == '*' ? Op::kMultiply : Op::kDivide);
        }
        auto& steps = program_.steps_;
        if (failed_ || steps.size() == start) return;  // given up anyway
        // A lone constant is known now: no check when it cannot overflow. A check already on
        // the last step (a bracket's own product) leaves no value above 1e301 for this one.
        if (steps.size() == start + 1 && steps[start].op == Op::kConstant &&
            !(steps[start].value > 1e301)) {
            return;
        }
        if (steps.back().overflow >= 0) return;
        std::string context(text_.substr(0, position_));
        context += " ?????";
        program_.contexts_.push_back(std::move(context));
        // The check belongs to the step that left the product's value on the stack.
        steps.back().overflow = static_cast<std::int32_t>(program_.contexts_.size() - 1);
    }

    void Power() {
        Factor();
        if (token_ != '^') return;
        Next();
        Factor();
        Emit(Op::kPower);
    }

    void Factor() {
        if (IsDigit(token_) || token_ == '-') return Number();
        if (token_ == '(') return ParenthesisedFactor();
        if (IsNameChar(token_)) return NameTerm();
        failed_ = true;
    }

    void Number() {
        std::string number;
        bool after_letter = false;
        const auto is_letter = [](int t) { return t == 'e' || t == 'E' || t == 'd' || t == 'D'; };
        while (IsDigit(token_) || token_ == '.' || is_letter(token_) ||
               (token_ == '-' && after_letter)) {
            after_letter = is_letter(token_);
            number += static_cast<char>(token_);
            Next();
        }
        Emit(Op::kConstant, 0, 0, TextToDouble(number));
        CheckFollow();
    }

    void CheckFollow() {
        if (IsNameChar(token_) || token_ == '(') failed_ = true;
    }

    void ParenthesisedFactor() {
        Next();
        Expression();
        if (token_ != ')') {
            failed_ = true;
            return;
        }
        Next();
        CheckFollow();
    }

    void NameTerm() {
        std::string name;
        while (IsNameChar(token_) || IsDigit(token_)) {
            name += static_cast<char>(token_);
            Next();
        }
        if (token_ == '$') {
            failed_ = true;
            return;
        }
        if (name == "TRUE" || name == "FALSE") {
            Emit(Op::kConstant, 0, 0, name == "TRUE" ? 1.0 : 0.0);
            return;
        }
        if (token_ == '(' && FindNumericBuiltin(name) != nullptr) {
            failed_ = true;
            return;
        }
        bool element = false;
        if (token_ == '[') {
            Next();
            Expression();
            if (token_ != ']') {
                failed_ = true;
                return;
            }
            Next();
            CheckFollow();
            element = true;
        }
        const std::int32_t slot = Slot(name);
        if (!condition_ && token_ == '=') {
            Next();
            Expression();
            Emit(element ? Op::kStoreElement : Op::kStore, slot);
            return;
        }
        Emit(element ? Op::kLoadElement : Op::kLoad, slot);
    }

    ExpressionProgram& program_;
    std::string_view text_;
    bool condition_;
    std::size_t position_ = 0;
    int token_ = kEnd;
    int depth_ = 0;
    bool failed_ = false;
};

std::unique_ptr<ExpressionProgram> ExpressionProgram::Compile(std::string_view text,
                                                              bool condition) {
    auto program = std::make_unique<ExpressionProgram>();
    if (!ProgramBuilder(*program, text, condition).Build()) return nullptr;
    // Every step pushes at most one value.
    program->stack_.resize(program->steps_.size() + 1);
    const Step& first = program->steps_.front();
    program->constant_ =
        program->steps_.size() == 1 && first.op == Op::kConstant && first.overflow < 0;
    return program;
}

namespace {

void ElementName(std::string& out, const std::string& base, double index) {
    out.assign(base);
    out += '[';
    AppendInt(out, SaturateCast<std::int32_t>(index));
    out += ']';
}

}  // namespace

// Array elements are looked up by their finished names; kept out of line so that the loop over
// the steps stays small.
double ExpressionProgram::LoadElement(VariableStore& variables, const std::string& base,
                                      double index) {
    ElementName(element_, base, index);
    const Variable* variable = variables.Find(element_);
    return variable != nullptr ? variable->number : 0.0;
}

void ExpressionProgram::StoreElement(VariableStore& variables, const std::string& base,
                                     double index, double value) {
    ElementName(element_, base, index);
    variables.SetNumber(element_, value);
}

double ExpressionProgram::RunSteps(VariableStore& variables, bool& error, std::string& context) {
    error = false;
    double* top = stack_.data();  // one past the top value
    for (const Step& step : steps_) {
        switch (step.op) {
            case Op::kConstant:
                *top++ = step.value;
                break;
            case Op::kLoad: {
                const Variable* variable = variables.Find(slots_[step.a]);
                *top++ = variable != nullptr ? variable->number : 0.0;
                break;
            }
            case Op::kLoadElement:
                top[-1] = LoadElement(variables, slots_[step.a].name, top[-1]);
                break;
            case Op::kStore:
                variables.SetNumber(slots_[step.a], top[-1]);
                break;
            case Op::kStoreElement:
                --top;
                StoreElement(variables, slots_[step.a].name, top[-1], top[0]);
                top[-1] = top[0];
                break;
            case Op::kAdd:
                --top;
                top[-1] += top[0];
                break;
            case Op::kSubtract:
                --top;
                top[-1] -= top[0];
                break;
            case Op::kMultiply:
                --top;
                top[-1] *= top[0];
                break;
            case Op::kDivide:
                --top;
                top[-1] = top[0] == 0.0 ? 0.0 : top[-1] / top[0];
                break;
            case Op::kPower:
                --top;
                top[-1] = RepeatedPower(top[-1], top[0]);
                break;
            case Op::kCompare:
                --top;
                top[-1] = CompareValues(step.a, step.b, top[-1], top[0]);
                break;
            case Op::kAnd:
            case Op::kOr: {
                --top;
                const std::int32_t left = SaturateCast<std::int32_t>(top[-1]);
                const std::int32_t right = SaturateCast<std::int32_t>(top[0]);
                top[-1] = step.op == Op::kAnd ? (left & right) : (left | right);
                break;
            }
        }
        if (step.overflow >= 0 && top[-1] > 1e301) {
            top[-1] = 1e301;
            if (!error) {
                error = true;
                context = contexts_[step.overflow];
            }
        }
    }
    return top[-1];
}

}  // namespace velk
