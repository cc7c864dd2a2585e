// The stored form of action lists.
#pragma once

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/action_list.h"

namespace velk {

// No field is validated: unknown codes are kept as read.
ActionList ReadActionList(ByteReader& in);
void WriteActionList(ByteWriter& out, const ActionList& list);

}  // namespace velk
