// The script compiler: script text, one statement a line, into action records. The authoring
// tool compiles with the same rules, so what a line becomes here is what stored projects hold;
// the player needs it for script text that reaches it at run time (the Flash command channel)
// and `velk build` for scripts written as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/action_list.h"
#include "host/host.h"

namespace velk {

// What a line was meant to be, for the block balance: a rejected If still counts as an If, a
// For rejected for its missing "To" still counts as a For.
enum class LineIntent { kOther, kIf, kFor };

struct ParsedLine {
    bool ok = true;
    // A rejected line: what its message box shows. Errors kept in the record's error text are
    // followed by "\n" and the line, as the compiler shows them.
    std::string message;
    LineIntent intent = LineIntent::kOther;
};

// Fills `record` from one trimmed, non-empty line. Assignments, If conditions and both parts
// of a For are tried with a fresh evaluator that has no variables and no window.
ParsedLine ParseLine(ActionRecord& record, std::string_view line);

struct CompileMessage {
    // The line of the text it concerns (from 1); 0 for the block balance.
    std::int32_t line = 0;
    std::string text;
};

struct CompiledScript {
    // Rejected lines are in it as comments "** Error " + line, so that the rest still runs.
    ActionList list;
    // False after any rejected line or an unbalanced If/End or For/Next.
    bool ok = true;
    // Every message box of the compilation, in order.
    std::vector<CompileMessage> messages;
};

CompiledScript CompileScript(std::string_view text);
// The same, with each message shown in a message box (the player's compilations).
CompiledScript CompileScript(std::string_view text, host::Ui& ui);

// Script text that compiles to exactly `list` without any message; nothing when no text does
// (records that the compiler would not make, such as a command with a stray argument).
std::optional<std::string> DecompileScript(const ActionList& list);

}  // namespace velk
