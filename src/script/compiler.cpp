// A whole script text into an action list: lines split and parsed, rejected lines kept as
// comments, and the If/End and For/Next balance checked.
#include "script/compiler.h"

#include "document/command_vocabulary.h"
#include "document/load_context.h"
#include "script/line_text.h"

namespace velk {
namespace {

constexpr std::string_view kRejectedPrefix = "** Error ";
constexpr std::string_view kMoreEnds = "Expected 'If' \nYou have more 'End' than 'If' commands.";
constexpr std::string_view kMoreIfs = "Expected 'End' \nYou have more 'If' than 'End' commands.";
constexpr std::string_view kMoreNexts =
    "Expected 'For' \nYou have more 'Next' than 'For' commands.";
constexpr std::string_view kMoreFors =
    "Expected 'Next' \nYou have more 'For' than 'Next' commands.";

struct Line {
    std::int32_t number;
    std::string_view text;
};

// Lines end at "\r\n" or a lone "\n"; each is trimmed and empty ones are dropped.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::int32_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        line = script_text::Trim(line);
        if (!line.empty()) lines.push_back({number, line});
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// How far the blocks are open: +1 for each If (For), -1 for each End (Next).
struct Balance {
    std::int32_t ifs = 0;
    std::int32_t fors = 0;

    void Count(std::int32_t code) {
        if (code == kCodeIf) ++ifs;
        if (code == kCodeEnd) --ifs;
        if (code == kCodeFor) ++fors;
        if (code == kCodeNext) --fors;
    }
};

std::optional<std::string_view> BalanceMessage(const Balance& balance) {
    if (balance.ifs != 0) return balance.ifs < 1 ? kMoreEnds : kMoreIfs;
    if (balance.fors != 0) return balance.fors < 1 ? kMoreNexts : kMoreFors;
    return std::nullopt;
}

}  // namespace

CompiledScript CompileScript(std::string_view text) {
    CompiledScript result;
    Balance balance;
    for (const Line& line : SplitLines(text)) {
        ActionRecord record;
        ParsedLine parsed = ParseLine(record, line.text);
        if (!parsed.ok) {
            result.ok = false;
            result.messages.push_back({line.number, std::move(parsed.message)});
            // The rejected line stays in the list as a comment, and still counts as the block
            // it was meant to open, so that its End or Next does not look unmatched.
            if (parsed.intent == LineIntent::kIf) ++balance.ifs;
            if (parsed.intent == LineIntent::kFor) ++balance.fors;
            ParseLine(record, std::string(kRejectedPrefix) + std::string(line.text));
        }
        balance.Count(record.code);
        result.list.records.push_back(std::move(record));
    }
    if (auto message = BalanceMessage(balance)) {
        result.ok = false;
        result.messages.push_back({0, std::string(*message)});
    }
    return result;
}

CompiledScript CompileScript(std::string_view text, host::Ui& ui) {
    CompiledScript result = CompileScript(text);
    for (const CompileMessage& message : result.messages) {
        ui.MessageBox(kApplicationName, message.text);
    }
    return result;
}

namespace {

// The line the compiler turns into `record`, if the record has a form the compiler makes.
std::optional<std::string> RecordLine(const ActionRecord& record) {
    switch (record.code) {
        case kCodeAssign:
        case kCodeComment:
            return record.argument;
        case kCodeIf:
            return "If (" + record.argument + ") Then";
        case kCodeEnd:
            return "End";
        case kCodeElse:
            return "Else";
        case kCodeFor:
            return "For " + record.argument + " To " + record.limit;
        case kCodeNext:
            return "Next " + record.argument;
        default:
            break;
    }
    const std::optional<std::string_view> name = CommandName(record.code);
    if (!name) return std::nullopt;
    std::string line(*name);
    line += '(';
    if (record.argument_count >= 1) line += '"' + record.target + '"';
    if (record.argument_count >= 2) line += ",\"" + record.argument + '"';
    line += ')';
    return line;
}

}  // namespace

std::optional<std::string> DecompileScript(const ActionList& list) {
    std::string text;
    for (const ActionRecord& record : list.records) {
        std::optional<std::string> line = RecordLine(record);
        if (!line) return std::nullopt;
        if (!text.empty()) text += '\n';
        text += *line;
    }
    // Whatever the records hold (blanks the compiler would trim, quotes, line breaks), the text
    // is only good when it compiles back to the very same records.
    const CompiledScript again = CompileScript(text);
    if (!again.ok || !again.messages.empty() || again.list != list) return std::nullopt;
    return text;
}

}  // namespace velk
