// The assignment statement, the record scripts run most: the dispatcher performs it in line,
// without building a command context for it.
#pragma once

#include "commands/command_host.h"
#include "commands/record_programs.h"
#include "document/action_list.h"
#include "script/evaluator.h"

namespace velk {

// The evaluator's complaint, shown the way running statements show it; the script goes on.
void ShowEvaluationError(CommandHost& host, const Evaluator& evaluator);

// Evaluates the record's argument in assignment mode, through its prepared program when the
// list has them.
inline void PerformAssignment(CommandHost& host, const ActionRecord& record,
                              RecordPrograms* programs) {
    if (record.argument.empty()) return;
    Evaluator& evaluator = host.ScriptEvaluator();
    if (programs != nullptr) {
        evaluator.Evaluate(programs->Argument(record));
    } else {
        evaluator.Evaluate(record.argument);
    }
    if (evaluator.HasError()) ShowEvaluationError(host, evaluator);
}

}  // namespace velk
