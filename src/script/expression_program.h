// A compiled expression: the evaluator's fast path for texts it runs again and again (loop
// bodies, loop limits, conditions). Only texts of a plain numeric kind compile: numbers, numeric
// variables and array elements, the arithmetic, comparison and bitwise operators, brackets and
// assignments, and only when reading the text raises no error. Such a text is parsed the same
// way whatever the values, so its program computes, creates and stores exactly what the
// interpreter would; everything else (built-ins, strings, TRUE and FALSE followed by more, any
// syntax error) is left to the interpreter.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/numeric_operators.h"
#include "script/variable_store.h"

namespace velk {

class ExpressionProgram {
  public:
    enum class Op : std::uint8_t {
        kConstant,      // push value
        kLoad,          // push the slot's number, 0 when absent
        kLoadElement,   // pop index; push element name[index], 0 when absent
        kStore,         // store the top in the slot (it stays on the stack)
        kStoreElement,  // pop value, pop index; store; push value
        kAdd,
        kSubtract,
        kMultiply,
        kDivide,  // x / 0 is 0
        kPower,
        kCompare,  // first, second: the comparison characters
        kAnd,
        kOr,
        // The common operators with their right operand read in place rather than pushed first
        // (most operands are a variable or a number): value as the operand, or the slot's number
        // checked against the operand's own ceiling.
        kAddConstant,
        kSubtractConstant,
        kMultiplyConstant,
        kDivideConstant,
        kCompareConstant,
        kAddLoad,
        kSubtractLoad,
        kMultiplyLoad,
        kDivideLoad,
        kCompareLoad,
    };
    // A product's value above kLargestProduct becomes kLargestProduct and reports the overflow;
    // values checked against no ceiling are never above it (not even infinity or NaN).
    static constexpr double kNoCeiling = std::numeric_limits<double>::infinity();

    struct Step {
        Op op;
        std::int32_t slot = 0;    // the variable loaded or stored (the array's name for elements)
        std::int32_t first = 0;   // the comparison characters
        std::int32_t second = 0;  //
        double value = 0.0;       // the constant
        // The value the step leaves is checked against this: a step that ends a product has
        // the ceiling kLargestProduct and reports its overflow with error context `overflow`.
        double ceiling = kNoCeiling;
        std::int32_t overflow = -1;
        // The same for an operand read in place, before the operator takes it.
        std::int32_t operand_overflow = -1;
        double operand_ceiling = kNoCeiling;
    };

    // Null when `text` (trimmed) is outside the compiled kind or raises an error while read.
    static std::unique_ptr<ExpressionProgram> Compile(std::string_view text, bool condition);

    // The value; `error` and `context` are set for the first overflow (`error` false otherwise).
    double Run(VariableStore& variables, bool& error, std::string& context) {
        error = false;
        if (constant_) return steps_.front().value;  // a loop's limit, most often
        if (variables.CurrentStamp() != bound_) [[unlikely]]
            Bind(variables);
        return RunSteps(variables, error, context);
    }

  private:
    // A variable of the program: its record while the store's stamp says it is still valid.
    struct Slot {
        std::string name;
        Variable* record = nullptr;
    };

    double RunSteps(VariableStore& variables, bool& error, std::string& context);
    // Looks the slots up again: all of them when the records were replaced, the absent ones when
    // records were created.
    void Bind(VariableStore& variables);
    double Load(std::int32_t slot) const {
        const Variable* record = slots_[slot].record;
        return record != nullptr ? record->number : 0.0;
    }
    void Store(VariableStore& variables, std::int32_t slot, double value);
    // The value clamped to 1e301; the first overflow of a run is reported.
    [[gnu::noinline]] double Overflow(std::int32_t overflow, bool& error, std::string& context);
    [[gnu::noinline]] double LoadElement(VariableStore& variables, const std::string& base,
                                         double index);
    [[gnu::noinline]] void StoreElement(VariableStore& variables, const std::string& base,
                                        double index, double value);

    friend class ProgramBuilder;
    std::vector<Step> steps_;
    // The kStore that ends an assignment, taken out of the steps.
    Step final_store_{.op = Op::kStore};
    bool stores_ = false;
    std::vector<Slot> slots_;
    std::vector<std::string> bases_;  // the names of the arrays whose elements are used
    VariableStore::Stamp bound_;
    std::vector<std::string> contexts_;
    std::vector<double> stack_;
    std::string element_;
    bool constant_ = false;
};

}  // namespace velk
