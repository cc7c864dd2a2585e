// The project archive behind the container: the header with the page manager inside it.
#pragma once

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/load_context.h"
#include "document/project.h"

namespace velk {

// Reads the header (and, through it, the page manager) and applies the header's derivations.
void ReadProjectHeader(ByteReader& in, LoadContext& ctx, Project& project);
void WriteProjectHeader(ByteWriter& out, const Project& project, std::int32_t version);

}  // namespace velk
