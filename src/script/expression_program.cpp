// Running a compiled program: its steps over a stack of values, the variables through slots
// bound to their records.
#include "script/expression_program.h"

#include "script/number_text.h"
#include "script/numeric_operators.h"

namespace velk {

using Op = ExpressionProgram::Op;
using Step = ExpressionProgram::Step;

namespace {

void ElementName(std::string& out, const std::string& base, double index) {
    out.assign(base);
    AppendIndex(out, "[", index);
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
                --top;
                top[-1] = Bitwise('&', top[-1], top[0]);
                break;
            case Op::kOr:
                --top;
                top[-1] = Bitwise('|', top[-1], top[0]);
                break;
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
