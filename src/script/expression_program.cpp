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
using Step = ExpressionProgram::Step;

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

    void Emit(Op op, std::int32_t slot = 0, double value = 0.0) {
        program_.steps_.push_back({.op = op, .slot = slot, .value = value});
    }
    // An operator whose right operand is a lone variable or number (the last step pushed it,
    // and a step that pushes without taking anything is the whole operand) reads it in place;
    // the operand keeps its own overflow check.
    void EmitBinary(Op op, Op with_constant, Op with_load, int first = 0, int second = 0) {
        auto& steps = program_.steps_;
        if (failed_ || steps.empty()) return;  // given up anyway
        Step& right = steps.back();
        if (right.op == Op::kLoad) {
            right.operand_ceiling = right.ceiling;
            right.operand_overflow = right.overflow;
            right.ceiling = ExpressionProgram::kNoCeiling;
            right.overflow = -1;
            right.op = with_load;
        } else if (right.op == Op::kConstant && right.overflow < 0) {
            right.op = with_constant;
        } else {
            Emit(op);
        }
        steps.back().first = first;
        steps.back().second = second;
    }
    std::int32_t Slot(const std::string& name) { return Index(program_.slots_, name); }
    std::int32_t Base(const std::string& name) { return Index(program_.bases_, name); }
    template <typename Names>
    static std::int32_t Index(Names& names, const std::string& name) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (NameOf(names[i]) == name) return static_cast<std::int32_t>(i);
        }
        names.push_back({name});
        return static_cast<std::int32_t>(names.size() - 1);
    }
    static const std::string& NameOf(const std::string& name) { return name; }
    static const std::string& NameOf(const ExpressionProgram::Slot& slot) { return slot.name; }

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
            EmitBinary(Op::kCompare, Op::kCompareConstant, Op::kCompareLoad, first, second);
        }
    }

    void Sum() {
        Product();
        while (token_ == '+' || token_ == '-') {
            const int op = token_;
            Next();
            Product();
            if (op == '+') {
                EmitBinary(Op::kAdd, Op::kAddConstant, Op::kAddLoad);
            } else {
                EmitBinary(Op::kSubtract, Op::kSubtractConstant, Op::kSubtractLoad);
            }
        }
    }

    void Product() {
        const std::size_t start = program_.steps_.size();
        Power();
        while (token_ == '*' || token_ == '/') {
            const int op = token_;
            Next();
            Power();
            if (op == '*') {
                EmitBinary(Op::kMultiply, Op::kMultiplyConstant, Op::kMultiplyLoad);
            } else {
                EmitBinary(Op::kDivide, Op::kDivideConstant, Op::kDivideLoad);
            }
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
        steps.back().ceiling = ExpressionProgram::kLargestProduct;
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
        Emit(Op::kConstant, 0, TextToDouble(number));
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
            Emit(Op::kConstant, 0, name == "TRUE" ? 1.0 : 0.0);
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
        // Elements are found by their finished names: only plain variables keep a slot.
        const std::int32_t slot = element ? Base(name) : Slot(name);
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
    auto& steps = program->steps_;
    program->constant_ =
        steps.size() == 1 && steps.front().op == Op::kConstant && steps.front().overflow < 0;
    // An assignment ends with its store: done after the loop rather than as one more step of it.
    if (steps.back().op == Op::kStore) {
        program->final_store_ = steps.back();
        program->stores_ = true;
        steps.pop_back();
    }
    return program;
}

namespace {

// x / 0 is 0.
double Divide(double left, double right) {
    return right == 0.0 ? 0.0 : left / right;
}

void ElementName(std::string& out, const std::string& base, double index) {
    out.assign(base);
    out += '[';
    AppendInt(out, SaturateCast<std::int32_t>(index));
    out += ']';
}

}  // namespace

void ExpressionProgram::Bind(VariableStore& variables) {
    const VariableStore::Stamp now = variables.CurrentStamp();
    const bool same_records = now.store == bound_.store && now.epoch == bound_.epoch;
    for (Slot& slot : slots_) {
        if (!same_records || slot.record == nullptr) slot.record = variables.FindRecord(slot.name);
    }
    bound_ = now;
}

// A store that creates its variable remembers the new record at once. No other slot can name
// it (each name has one slot, and element names hold brackets), so the other slots stay right.
void ExpressionProgram::Store(VariableStore& variables, std::int32_t slot, double value) {
    Slot& target = slots_[slot];
    if (target.record != nullptr) {
        target.record->number = value;
    } else {
        target.record = &variables.SetNumberRecord(target.name, value);
    }
}

double ExpressionProgram::Overflow(std::int32_t overflow, bool& error, std::string& context) {
    if (!error) {
        error = true;
        context = contexts_[overflow];
    }
    return kLargestProduct;
}

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
    double* top = stack_.data();  // one past the top value
    // An operand read in place, checked like the product it is.
    const auto operand = [&](const Step& step) {
        const double value = Load(step.slot);
        return value > step.operand_ceiling ? Overflow(step.operand_overflow, error, context)
                                            : value;
    };
    for (const Step& step : steps_) {
        switch (step.op) {
            case Op::kConstant:
                *top++ = step.value;
                break;
            case Op::kLoad:
                *top++ = Load(step.slot);
                break;
            case Op::kLoadElement:
                top[-1] = LoadElement(variables, bases_[step.slot], top[-1]);
                break;
            case Op::kStore:
                Store(variables, step.slot, top[-1]);
                break;
            case Op::kStoreElement:
                --top;
                StoreElement(variables, bases_[step.slot], top[-1], top[0]);
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
                top[-1] = Divide(top[-1], top[0]);
                break;
            case Op::kPower:
                --top;
                top[-1] = RepeatedPower(top[-1], top[0]);
                break;
            case Op::kCompare:
                --top;
                top[-1] = CompareValues(step.first, step.second, top[-1], top[0]);
                break;
            case Op::kAnd:
            case Op::kOr: {
                --top;
                const std::int32_t left = SaturateCast<std::int32_t>(top[-1]);
                const std::int32_t right = SaturateCast<std::int32_t>(top[0]);
                top[-1] = step.op == Op::kAnd ? (left & right) : (left | right);
                break;
            }
            case Op::kAddConstant:
                top[-1] += step.value;
                break;
            case Op::kSubtractConstant:
                top[-1] -= step.value;
                break;
            case Op::kMultiplyConstant:
                top[-1] *= step.value;
                break;
            case Op::kDivideConstant:
                top[-1] = Divide(top[-1], step.value);
                break;
            case Op::kCompareConstant:
                top[-1] = CompareValues(step.first, step.second, top[-1], step.value);
                break;
            case Op::kAddLoad:
                top[-1] += operand(step);
                break;
            case Op::kSubtractLoad:
                top[-1] -= operand(step);
                break;
            case Op::kMultiplyLoad:
                top[-1] *= operand(step);
                break;
            case Op::kDivideLoad:
                top[-1] = Divide(top[-1], operand(step));
                break;
            case Op::kCompareLoad:
                top[-1] = CompareValues(step.first, step.second, top[-1], operand(step));
                break;
        }
        if (top[-1] > step.ceiling) [[unlikely]] {
            top[-1] = Overflow(step.overflow, error, context);
        }
    }
    if (stores_) {
        Store(variables, final_store_.slot, top[-1]);
        if (top[-1] > final_store_.ceiling) [[unlikely]] {
            top[-1] = Overflow(final_store_.overflow, error, context);
        }
    }
    return top[-1];
}

}  // namespace velk
