// The expressions of a list's records, prepared once for a list that runs pass after pass (a
// loop body): its assignments and conditions keep their compiled programs instead of being
// looked up by their text on every pass.
#pragma once

#include <cstddef>
#include <vector>

#include "document/action_list.h"
#include "script/evaluator.h"

namespace velk {

class RecordPrograms {
  public:
    // `list` must outlive this; its records' texts are used in place.
    explicit RecordPrograms(const ActionList& list) : first_(list.records.data()) {
        programs_.reserve(list.records.size());
        for (const ActionRecord& record : list.records) {
            programs_.emplace_back(record.argument, record.code == kCodeIf);
        }
    }

    // The argument of `record`, a record of the list, as an assignment or a condition.
    Evaluator::Repeated& Argument(const ActionRecord& record) {
        return programs_[static_cast<std::size_t>(&record - first_)];
    }

  private:
    const ActionRecord* first_;
    std::vector<Evaluator::Repeated> programs_;
};

}  // namespace velk
