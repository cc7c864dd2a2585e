// A compiled expression: the evaluator's fast path for texts it runs again and again (loop
// bodies, loop limits, conditions). Only texts of a plain numeric kind compile: numbers, numeric
// variables and array elements, the arithmetic, comparison and bitwise operators, brackets and
// assignments, and only when reading the text raises no error. Such a text is parsed the same
// way whatever the values, so its program computes, creates and stores exactly what the
// interpreter would; everything else (built-ins, strings, TRUE and FALSE followed by more, any
// syntax error) is left to the interpreter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
    };
    struct Step {
        Op op;
        std::int32_t a = 0;  // slot or first comparison character
        std::int32_t b = 0;  // second comparison character
        double value = 0.0;
        // When not -1, the step ends a product: a value above 1e301 becomes 1e301 and reports
        // the overflow with this error context.
        std::int32_t overflow = -1;
    };

    // Null when `text` (trimmed) is outside the compiled kind or raises an error while read.
    static std::unique_ptr<ExpressionProgram> Compile(std::string_view text, bool condition);

    // The value; `error` and `context` are set for the first overflow (`error` false otherwise).
    double Run(VariableStore& variables, bool& error, std::string& context) {
        if (constant_) {  // a loop's limit, most often
            error = false;
            return steps_.front().value;
        }
        return RunSteps(variables, error, context);
    }

  private:
    double RunSteps(VariableStore& variables, bool& error, std::string& context);
    [[gnu::noinline]] double LoadElement(VariableStore& variables, const std::string& base,
                                         double index);
    [[gnu::noinline]] void StoreElement(VariableStore& variables, const std::string& base,
                                        double index, double value);

    friend class ProgramBuilder;
    std::vector<Step> steps_;
    std::vector<VariableSlot> slots_;
    std::vector<std::string> contexts_;
    std::vector<double> stack_;
    std::string element_;
    bool constant_ = false;
};

}  // namespace velk
