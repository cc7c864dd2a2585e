// The script-level commands: Return, Break, RunScript, ScriptTimer, Pause, Message and
// DisplayValue.
#include <algorithm>

#include "base/codepage.h"
#include "base/saturate.h"
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "document/command_vocabulary.h"
#include "script/evaluator.h"
#include "script/number_text.h"
#include "script/variable_store.h"

namespace velk {
namespace {

constexpr std::int32_t kMaxPauseMs = 0x7FFFFFFE;

// These commands use whatever value an expression gives; its errors are not shown.
double QuietValue(CommandContext& ctx, std::string_view text) {
    return ctx.owner.ScriptEvaluator().Evaluate(text);
}

CommandResult PerformReturn(CommandContext& ctx) {
    // What the list changed so far is painted as at its end.
    if (!ctx.frame.repaint.IsEmpty()) ctx.owner.Invalidate(ctx.frame.repaint.Inflate(1));
    return CommandResult::kEndList;
}

CommandResult PerformBreak(CommandContext& ctx) {
    // The run returns at its next record, and so does every enclosing one, until a For loop
    // takes the flag.
    ctx.dispatcher.SetBreak(true);
    return CommandResult::kGoOn;
}

CommandResult PerformRunScript(CommandContext& ctx) {
    if (ctx.object == nullptr) return CommandResult::kGoOn;
    ctx.dispatcher.RunGuarded(ctx.owner.ShareList(ctx.object->actions_click));
    return CommandResult::kGoOn;
}

// The timer a prefix selects, by its lower-case form.
std::uint32_t ScriptTimerFor(std::string_view prefix) {
    if (EqualsIgnoreCase(prefix, "timera")) return kScriptTimerAId;
    if (EqualsIgnoreCase(prefix, "timerb")) return kScriptTimerBId;
    if (EqualsIgnoreCase(prefix, "timerc")) return kScriptTimerCId;
    return kScriptTimerId;
}

CommandResult PerformScriptTimer(CommandContext& ctx) {
    if (ctx.record.target.empty() || ctx.record.argument.empty()) return CommandResult::kGoOn;
    const std::string argument = ctx.Argument();
    std::int32_t delay = LeadingInteger(argument);
    if (delay <= 0) delay = std::max(SaturateCast<std::int32_t>(QuietValue(ctx, argument)), 0);
    // "TimerB=Obj" names one of the three extra timers; any other prefix the default one.
    std::string_view name = ctx.target;
    std::uint32_t id = kScriptTimerId;
    const std::size_t equals = name.find('=');
    if (equals != std::string_view::npos && equals > 0) {
        id = ScriptTimerFor(name.substr(0, equals));
        name = name.substr(equals + 1);
    }
    ctx.owner.StartScriptTimer(id, name, static_cast<std::uint32_t>(delay));
    return CommandResult::kGoOn;
}

CommandResult PerformPause(CommandContext& ctx) {
    if (ctx.target.empty()) return CommandResult::kGoOn;
    // A negative time would wait for the tick count to wrap (49 days); it waits for none.
    // Waits stay below half the tick range, where tick differences keep their sign.
    const std::int32_t ms = std::clamp(SaturateCast<std::int32_t>(QuietValue(ctx, ctx.target)),
                                       std::int32_t{0}, kMaxPauseMs);
    if (ctx.dispatcher.Stopping()) return CommandResult::kEndList;
    // The pause is over once more than `ms` milliseconds have passed.
    const std::uint32_t deadline =
        ctx.owner.Clock().TickCount() + static_cast<std::uint32_t>(ms) + 1;
    // Given up (the page changed, the player stops): the whole list ends.
    if (!ctx.owner.WaitUntil(deadline)) return CommandResult::kEndList;
    return ctx.dispatcher.Stopping() ? CommandResult::kEndList : CommandResult::kGoOn;
}

// An argument that names a string variable shows its text; any other is evaluated.
std::optional<std::string> VariableText(CommandContext& ctx) {
    std::string resolved = ctx.Argument();
    if (resolved != ctx.record.argument) return resolved;
    return std::nullopt;
}

CommandResult PerformMessage(CommandContext& ctx) {
    std::string text = ctx.target;
    if (!ctx.record.argument.empty()) {
        if (auto value = VariableText(ctx)) {
            text += "\n" + *value;
        } else {
            const double number = QuietValue(ctx, ctx.record.argument);
            text += "\n" + ctx.record.argument + " : " + NumberToText(number) + " ";
        }
    }
    ctx.owner.Ui().MessageBox(ctx.owner.ProjectTitle(), text, host::MessageIcon::kWarning);
    return CommandResult::kGoOn;
}

// An Input text that has been drawn shows the value in its field, and its variables follow.
void ShowInField(CommandContext& ctx, Object& input_text, const std::string& value) {
    input_text.input_field->text = value;
    VariableStore& variables = ctx.owner.Variables();
    if (!input_text.text_variable.empty()) variables.SetString(input_text.text_variable, value);
    if (input_text.number_variable.empty()) return;
    if (input_text.option3 == 1) variables.SetNumber(input_text.number_variable, TextToInt(value));
    if (input_text.option3 == 2) {
        variables.SetNumber(input_text.number_variable, TextToDouble(value));
    }
}

CommandResult PerformDisplayValue(CommandContext& ctx) {
    if (ctx.object == nullptr) return CommandResult::kGoOn;
    std::string value;
    if (auto text = VariableText(ctx)) {
        value = std::move(*text);
    } else {
        value = NumberToText(QuietValue(ctx, ctx.record.argument));
    }
    if (ctx.object->input_field) ShowInField(ctx, *ctx.object, value);
    ctx.object->text = std::move(value);
    // Room for a value that has grown wider than the object.
    Rect area = ctx.object->rect;
    area.right = SaturateToInt32(std::int64_t{area.right} + 200);
    ctx.owner.Invalidate(area);
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdReturn, &PerformReturn},
    {kCmdBreak, &PerformBreak},
    {kCmdRunScript, &PerformRunScript},
    {kCmdScriptTimer, &PerformScriptTimer},
    {kCmdPause, &PerformPause},
    {kCmdMessage, &PerformMessage},
    {kCmdDisplayValue, &PerformDisplayValue},
};

}  // namespace

std::span<const CommandRow> ScriptCommands() {
    return kRows;
}

}  // namespace velk
