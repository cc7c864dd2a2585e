// The fields of an action record, in the order a file stores them.
#pragma once

#include "document/action_list.h"
#include "document/field_list.h"

namespace velk {

template <class V>
void VisitFields(RecordTag<ActionRecord>, V&& v) {
    using A = ActionRecord;
    v("code", &A::code, Emit::kAlways);
    v("target", &A::target);
    v("argument", &A::argument);
    v("limit", &A::limit);
    v("spare_text", &A::spare_text, Emit::kSparse);
    v("spare_number", &A::spare_number, Emit::kSparse);
    v("argument_count", &A::argument_count);
    v("spare_pair", &A::spare_pair, Emit::kSparse);
    v("end_marker", &A::end_marker, Emit::kSparse);
    v.InJson("error_text", &A::error_text, Emit::kSparse);
}

}  // namespace velk
