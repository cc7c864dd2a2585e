// The assignment statement, the record scripts run most: the dispatcher performs it in line,
// without building a command context for it.
#pragma once

#include "commands/command_owner.h"
#include "commands/record_programs.h"
#include "document/action_list.h"
#include "script/evaluator.h"

namespace velk {

// The evaluator's complaint, shown the way running statements show it; the script goes on.
void ShowEvaluationError(CommandOwner& owner, const Evaluator& evaluator);

// Evaluates the record's argument in assignment mode, through its prepared program when the
// list has them.
inline void PerformAssignment(CommandOwner& owner, const ActionRecord& record,
                              RecordPrograms* programs) {
    if (record.argument.empty()) return;
    Evaluator& evaluator = owner.ScriptEvaluator();
    if (programs != nullptr) {
        evaluator.Evaluate(programs->Argument(record));
    } else {
        evaluator.Evaluate(record.argument);
    }
    if (evaluator.HasError()) ShowEvaluationError(owner, evaluator);
}

}  // namespace velk
