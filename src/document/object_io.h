// The stored form of object records, for every file version.
#pragma once

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/load_context.h"
#include "document/object.h"

namespace velk {

// A new object with the defaults of a fresh record; the font comes from the profile's "Font"
// section.
Object MakeObject(const host::ProfileStore& profile);

// Reads one record of version ctx.version and applies the conversions for older versions.
// Raises ArchiveError on a read past the end, and also after "ERROR 0: This file cannot be
// loaded!", which leaves the rest of the archive out of step.
Object ReadObject(ByteReader& in, LoadContext& ctx);

// Writes one record in the layout of `version` (fields the version lacks are left out).
void WriteObject(ByteWriter& out, const Object& object, std::int32_t version);

}  // namespace velk
