// The compiler of programs: the expression grammar read once, emitting steps instead of
// computing. It declines (the text stays with the interpreter) wherever the interpreter would
// report an error other than the overflow of a product, and at everything not of the plain
// numeric kind: built-in calls and string variables.
#include <string>

#include "script/expression_grammar.h"
#include "script/expression_program.h"
#include "script/numeric_operators.h"

namespace velk {

using Op = ExpressionProgram::Op;
using Step = ExpressionProgram::Step;

// The value of a piece: what its steps leave on the program's stack.
struct OnStack {};

class ProgramBuilder : public ExpressionGrammar<ProgramBuilder, OnStack> {
  public:
    ProgramBuilder(ExpressionProgram& program, std::string_view text, bool condition)
        : ExpressionGrammar(text, condition), program_(program) {}

    bool Build() {
        Run();
        return !failed_;
    }

  private:
    friend class ExpressionGrammar<ProgramBuilder, OnStack>;

    // Any error the interpreter would report: the text is not compiled.
    void Fail(ScriptError /*number*/, std::string_view /*suffix*/ = {}) { failed_ = true; }

    // What a name term reads or assigns: a variable's slot, or the array of an element (whose
    // index is on the stack).
    struct Target {
        std::int32_t slot;
        bool element;
    };

    OnStack Constant(double value) { return Emit(Op::kConstant, 0, value); }
    OnStack Bitwise(int op, OnStack, OnStack) { return Emit(op == '&' ? Op::kAnd : Op::kOr); }
    OnStack Compare(int first, int second, OnStack, OnStack) {
        return EmitBinary(Op::kCompare, Op::kCompareConstant, Op::kCompareLoad, first, second);
    }
    OnStack Add(int op, OnStack, OnStack) {
        return op == '+' ? EmitBinary(Op::kAdd, Op::kAddConstant, Op::kAddLoad)
                         : EmitBinary(Op::kSubtract, Op::kSubtractConstant, Op::kSubtractLoad);
    }
    OnStack Multiply(int op, OnStack, OnStack) {
        return op == '*' ? EmitBinary(Op::kMultiply, Op::kMultiplyConstant, Op::kMultiplyLoad)
                         : EmitBinary(Op::kDivide, Op::kDivideConstant, Op::kDivideLoad);
    }
    OnStack Raise(OnStack, OnStack) { return Emit(Op::kPower); }
    std::size_t ProductStart() const { return program_.steps_.size(); }
    OnStack EndProduct(std::size_t start, OnStack);

    Target NamedTarget(const std::string& name) { return {Index(program_.slots_, name), false}; }
    // Elements are found by their finished names: only plain variables keep a slot.
    Target ElementTarget(const std::string& name, OnStack) {
        return {Index(program_.bases_, name), true};
    }
    OnStack Load(Target target) {
        return Emit(target.element ? Op::kLoadElement : Op::kLoad, target.slot);
    }
    OnStack Assign(Target target, OnStack) {
        return Emit(target.element ? Op::kStoreElement : Op::kStore, target.slot);
    }
    OnStack Call(NumericBuiltin) { return Decline(); }
    OnStack StringVariableTerm(const std::string&) { return Decline(); }
    OnStack Decline() {
        failed_ = true;
        return {};
    }

    // Nothing more is emitted once the text is given up: the grammar reads on to its end.
    OnStack Emit(Op op, std::int32_t slot = 0, double value = 0.0) {
        if (!failed_) program_.steps_.push_back({.op = op, .slot = slot, .value = value});
        return {};
    }
    OnStack EmitBinary(Op op, Op with_constant, Op with_load, int first = 0, int second = 0);
    template <typename Names>
    static std::int32_t Index(Names& names, const std::string& name);
    static const std::string& NameOf(const std::string& name) { return name; }
    static const std::string& NameOf(const ExpressionProgram::Slot& slot) { return slot.name; }

    ExpressionProgram& program_;
    bool failed_ = false;
};

// An operator whose right operand is a lone variable or number (the last step pushed it, and a
// step that pushes without taking anything is the whole operand) reads it in place; the operand
// keeps its own overflow check.
OnStack ProgramBuilder::EmitBinary(Op op, Op with_constant, Op with_load, int first, int second) {
    auto& steps = program_.steps_;
    if (failed_ || steps.empty()) return {};  // given up anyway
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
    return {};
}

OnStack ProgramBuilder::EndProduct(std::size_t start, OnStack) {
    auto& steps = program_.steps_;
    if (failed_ || steps.size() == start) return {};  // given up anyway
    // A lone constant is known now: no check when it cannot overflow. A check already on the
    // last step (a bracket's own product) leaves no value above 1e301 for this one.
    if (steps.size() == start + 1 && steps[start].op == Op::kConstant &&
        !(steps[start].value > kLargestProduct)) {
        return {};
    }
    if (steps.back().overflow >= 0) return {};
    program_.contexts_.push_back(ErrorPlace());
    // The check belongs to the step that left the product's value on the stack.
    steps.back().overflow = static_cast<std::int32_t>(program_.contexts_.size() - 1);
    steps.back().ceiling = kLargestProduct;
    return {};
}

template <typename Names>
std::int32_t ProgramBuilder::Index(Names& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (NameOf(names[i]) == name) return static_cast<std::int32_t>(i);
    }
    names.push_back({name});
    return static_cast<std::int32_t>(names.size() - 1);
}

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

}  // namespace velk
