// The statements of the script language while records run: assignments, If, Else, End, For
// and Next. Skipped records (inside an If that does not run) are the dispatcher's.
#include <cstdint>
#include <memory>

#include "base/saturate.h"
#include "base/text.h"
#include "commands/assignment.h"
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "commands/record_programs.h"
#include "document/load_context.h"
#include "script/evaluator.h"
#include "script/variable_store.h"

namespace velk {

void ShowEvaluationError(CommandOwner& owner, const Evaluator& evaluator) {
    if (!evaluator.HasError()) return;
    owner.Ui().MessageBox(kApplicationName,
                          evaluator.ErrorText() + "\n" + evaluator.ErrorContext());
}

namespace {

constexpr std::string_view kUnusedNext = "Script Error: Unused next\nnext ";

void PerformIf(CommandContext& ctx) {
    Evaluator& evaluator = ctx.owner.ScriptEvaluator();
    const double value = ctx.frame.programs != nullptr
                             ? evaluator.Evaluate(ctx.frame.programs->Argument(ctx.record))
                             : evaluator.EvaluateCondition(ctx.record.argument);
    ShowEvaluationError(ctx.owner, evaluator);
    if (!ctx.frame.ifs.EnterIf(value != 0.0)) {
        ctx.owner.Ui().MessageBox(kApplicationName, kIfDepthMessage);
    }
}

// The name a For loop counts in: the text before the first "=" of its initialisation.
std::string LoopVariable(std::string_view initialisation) {
    const std::size_t equals = initialisation.find('=');
    if (equals == std::string_view::npos || equals == 0) return {};
    return std::string(TrimWhiteSpace(initialisation.substr(0, equals)));
}

bool IsInfinity(std::string_view limit) {
    return limit == "infinity" || limit == "INFINITY" || limit == "Infinity";
}

// The records between a For and the Next of its variable, taken out of the running list: the
// run goes on behind that Next. Nothing when the stop flag came up meanwhile; `found` tells
// whether the Next was there.
std::shared_ptr<ActionList> TakeLoopBody(CommandContext& ctx, std::string_view variable,
                                         bool& found) {
    auto body = std::make_shared<ActionList>();
    found = false;
    const std::vector<ActionRecord>& records = ctx.frame.list->records;
    while (ctx.frame.position < records.size()) {
        if (ctx.dispatcher.Stopping()) return nullptr;
        const ActionRecord& record = records[ctx.frame.position++];
        if (record.code == kCodeNext && TrimWhiteSpace(record.argument) == variable) {
            found = true;
            break;
        }
        body->records.push_back(record);
    }
    return body;
}

// For loops evaluate without showing errors: the value obtained is used.
std::int32_t QuietInt(CommandContext& ctx, std::string_view text) {
    return SaturateCast<std::int32_t>(ctx.owner.ScriptEvaluator().Evaluate(text));
}

CommandResult RunCountedLoop(CommandContext& ctx, const std::string& variable, std::int64_t counter,
                             const ActionListPtr& body, RecordPrograms& programs) {
    // Both belong to the main window, which outlives the loop; the counter's record is looked up
    // once, not every pass.
    Evaluator& evaluator = ctx.owner.ScriptEvaluator();
    VariableStore& variables = ctx.owner.Variables();
    VariableSlot counter_variable(variable);
    Evaluator::Repeated limit(ctx.record.limit);
    std::int64_t end = SaturateCast<std::int32_t>(evaluator.Evaluate(limit));
    // The direction is fixed at the start; the limit may move after every pass.
    const bool upward = counter <= end;
    Dispatcher& dispatcher = ctx.dispatcher;
    do {
        variables.SetNumber(counter_variable, static_cast<double>(counter));
        if (dispatcher.Stopping()) return CommandResult::kEndList;
        if (dispatcher.RunHeld(body, &programs) == 0) return CommandResult::kEndList;
        if (dispatcher.BreakSet()) {
            dispatcher.SetBreak(false);
            counter = end;
        }
        if (dispatcher.Stopping()) return CommandResult::kEndList;
        end = SaturateCast<std::int32_t>(evaluator.Evaluate(limit));
        counter += upward ? 1 : -1;
    } while (upward ? counter <= end : counter >= end);
    return CommandResult::kGoOn;
}

CommandResult RunInfiniteLoop(CommandContext& ctx, const ActionListPtr& body,
                              RecordPrograms& programs) {
    Dispatcher& dispatcher = ctx.dispatcher;
    while (!dispatcher.Stopping()) {
        if (dispatcher.RunHeld(body, &programs) == 0) return CommandResult::kEndList;
        if (dispatcher.BreakSet()) {
            dispatcher.SetBreak(false);
            return CommandResult::kGoOn;
        }
        ctx.owner.InvalidateWindow();
        if (!ctx.owner.PumpMessages()) return CommandResult::kEndList;
    }
    return CommandResult::kEndList;
}

CommandResult PerformFor(CommandContext& ctx) {
    const ActionRecord& record = ctx.record;
    if (record.argument.empty() || record.limit.empty()) return CommandResult::kGoOn;
    // The initialisation assigns the loop variable.
    const std::int64_t start = QuietInt(ctx, record.argument);
    const std::string variable = LoopVariable(record.argument);

    bool found = false;
    std::shared_ptr<ActionList> body = TakeLoopBody(ctx, variable, found);
    if (body == nullptr) return CommandResult::kEndList;
    if (!found) {
        const std::string question = "Script Error: Cannot find 'next' for identifier '" +
                                     variable + "'\nDo you want to continue?";
        if (ctx.owner.Ui().Ask(kApplicationName, question, host::MessageButtons::kYesNo,
                               host::MessageIcon::kNone) == host::MessageAnswer::kNo) {
            ctx.owner.Exit();
            return CommandResult::kEndList;
        }
        // The rest of the list was the body that never ran; the run ends normally.
        return CommandResult::kGoOn;
    }
    // The body runs pass after pass: its expressions are looked up once for all passes.
    RecordPrograms programs(*body);
    if (IsInfinity(record.limit)) return RunInfiniteLoop(ctx, body, programs);
    return RunCountedLoop(ctx, variable, start, body, programs);
}

}  // namespace

CommandResult PerformStatement(CommandContext& ctx) {
    switch (ctx.record.code) {
        case kCodeAssign:
            PerformAssignment(ctx.owner, ctx.record, ctx.frame.programs);
            break;
        case kCodeIf:
            PerformIf(ctx);
            break;
        case kCodeElse:
            ctx.frame.ifs.ElseWhileRunning();
            break;
        case kCodeEnd:
            ctx.frame.ifs.End();
            break;
        case kCodeFor:
            return PerformFor(ctx);
        case kCodeNext:
            // A Next that no For took as its end.
            if (!ctx.record.argument.empty()) {
                ctx.owner.Ui().MessageBox(kApplicationName,
                                          std::string(kUnusedNext) + ctx.record.argument);
            }
            break;
        default:
            break;
    }
    return CommandResult::kGoOn;
}

}  // namespace velk
