// One script line into one action record: the line rules, tried in a fixed order, and the
// arguments of commands.
#include <optional>

#include "base/codepage.h"
#include "base/runtime_random.h"
#include "document/command_vocabulary.h"
#include "script/compiler.h"
#include "script/evaluator.h"
#include "script/line_text.h"
#include "script/variable_store.h"

namespace velk {
namespace {

using script_text::Trim;
using script_text::TrimLeft;
using script_text::TrimRight;

constexpr std::string_view kExpectingTo = "Expecting 'To'\nFormat is (example): For i=1 To 5";
constexpr std::string_view kForFormat =
    "Incorrect command format\nFormat is (example): For i=1 To 5";
constexpr std::string_view kIfMissingLeft =
    "If command - missing left bracket.\nFormat is (example): If (i=1) Then";
constexpr std::string_view kIfMissingRight =
    "If command - missing right bracket.\nFormat is (example): If (i=1) Then";
constexpr std::string_view kIfFormat =
    "Incorrect command format\nFormat is (example): If (i=1) Then";
constexpr std::string_view kUnknownFunction = "Unknown function ";
constexpr std::string_view kMissingFirstQuote =
    "Missing ' \" ' before first argument: Command(\"Object\"...";
constexpr std::string_view kMissingSecondQuote =
    "Missing ' \" ' after the first argument: Command(\"Object\"...";
constexpr std::string_view kNeedsArgument =
    "This command needs another argument\n Command(\"ObjName\",\"Argument\")";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// What the evaluator says about `text`: its error text and context, or nothing when the text
// evaluates cleanly. Each trial has its own empty variables, so lines never see each other.
std::optional<std::string> TrialError(std::string_view text, bool condition) {
    VariableStore variables;
    RuntimeRandom random;
    Evaluator trial(variables, random);
    if (condition) {
        trial.EvaluateCondition(text);
    } else {
        trial.Evaluate(text);
    }
    if (!trial.HasError()) return std::nullopt;
    return trial.ErrorText() + "\n" + trial.ErrorContext();
}

ParsedLine Rejected(std::string message, LineIntent intent = LineIntent::kOther) {
    return ParsedLine{.ok = false, .message = std::move(message), .intent = intent};
}

// An error kept in the record; the compiler shows it with the line.
ParsedLine RejectedWithText(ActionRecord& record, std::string_view line, std::string error) {
    record.error_text = std::move(error);
    return Rejected(record.error_text + "\n" + std::string(line));
}

ParsedLine ParseFor(ActionRecord& record, std::string_view line) {
    record.code = kCodeFor;
    const std::string_view rest = TrimLeft(line.substr(4));
    const std::size_t to = rest.find(" To ");
    if (to == std::string_view::npos) {
        const bool has_to = rest.find("To") != std::string_view::npos;
        return Rejected(std::string(has_to ? kForFormat : kExpectingTo), LineIntent::kFor);
    }
    record.argument = std::string(TrimRight(rest.substr(0, to)));
    record.limit = std::string(rest.substr(to + 4));
    if (auto error = TrialError(record.argument, false)) return Rejected(*error);
    if (auto error = TrialError(record.limit, false)) return Rejected(*error);
    return {};
}

ParsedLine ParseIf(ActionRecord& record, std::string_view line) {
    record.code = kCodeIf;
    const std::size_t open = line.find('(');
    if (open == std::string_view::npos)
        return Rejected(std::string(kIfMissingLeft), LineIntent::kIf);
    const std::size_t close = line.rfind(')');
    if (close == std::string_view::npos) {
        return Rejected(std::string(kIfMissingRight), LineIntent::kIf);
    }
    record.argument = close > open ? std::string(line.substr(open + 1, close - open - 1)) : "";
    if (auto error = TrialError(record.argument, true)) {
        // "Then" is optional, but a failing line that has one is blamed on its format.
        const bool then_follows = line.find("Then", close) != std::string_view::npos;
        return Rejected(then_follows ? std::string(kIfFormat) : *error, LineIntent::kIf);
    }
    return {};
}

ParsedLine ParseCommand(ActionRecord& record, std::string_view line) {
    const std::size_t paren = line.find('(');
    const std::string_view name =
        paren == std::string_view::npos ? std::string_view() : line.substr(0, paren);
    const std::optional<CommandEntry> entry = FindCommand(name);
    if (!entry)
        return RejectedWithText(record, line,
                                std::string(kUnknownFunction) + Cp1252LowerString(name));
    record.code = entry->code;
    record.argument_count = entry->argument_count;
    if (entry->argument_count == 0) return {};

    // The target runs between the first two double quotes and cannot hold one itself; the
    // argument runs from the third to the last, so it may.
    const std::size_t first = line.find('"');
    if (first == std::string_view::npos) {
        return RejectedWithText(record, line, std::string(kMissingFirstQuote));
    }
    const std::size_t second = line.find('"', first + 1);
    if (second == std::string_view::npos) {
        return RejectedWithText(record, line, std::string(kMissingSecondQuote));
    }
    record.target = std::string(line.substr(first + 1, second - first - 1));
    if (entry->argument_count == 1) return {};

    const std::size_t third = line.find('"', second + 1);
    const std::size_t last = line.rfind('"');
    if (third == std::string_view::npos || last <= third) {
        return RejectedWithText(record, line, std::string(kNeedsArgument));
    }
    record.argument = std::string(line.substr(third + 1, last - third - 1));
    return {};
}

bool IsAssignment(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return false;
    const std::size_t paren = line.find('(');
    return paren == std::string_view::npos || paren > equals;
}

}  // namespace

ParsedLine ParseLine(ActionRecord& record, std::string_view line) {
    record = ActionRecord{};
    line = Trim(line);
    if (line.starts_with('*')) {
        record.code = kCodeComment;
        record.argument = std::string(line);
        return {};
    }
    if (EqualsIgnoreCase(line, "end")) {
        record.code = kCodeEnd;
        return {};
    }
    if (EqualsIgnoreCase(line, "else")) {
        record.code = kCodeElse;
        return {};
    }
    if (line.starts_with("For ")) return ParseFor(record, line);
    if (line.starts_with("Next ")) {
        record.code = kCodeNext;
        record.argument = std::string(Trim(line.substr(5)));
        return {};
    }
    if (IsAssignment(line)) {
        record.code = kCodeAssign;
        record.argument = std::string(line);
        if (auto error = TrialError(line, false)) return Rejected(*error);
        return {};
    }
    if (StartsWithIgnoringCase(line, "if ") || StartsWithIgnoringCase(line, "if(")) {
        return ParseIf(record, line);
    }
    return ParseCommand(record, line);
}

}  // namespace velk
