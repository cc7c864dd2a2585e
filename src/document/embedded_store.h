// The project's embedded file store: reading, writing and lookup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/embedded_file.h"
#include "document/load_context.h"

namespace velk {

// Reads the store; entries keep their data (extraction is a separate step).
std::vector<EmbeddedFile> ReadEmbeddedStore(ByteReader& in, LoadContext& ctx);
void WriteEmbeddedStore(ByteWriter& out, const std::vector<EmbeddedFile>& files,
                        std::int32_t version);

// First entry whose name matches without regard to case, or null.
const EmbeddedFile* FindEmbedded(const std::vector<EmbeddedFile>& files, std::string_view name);

}  // namespace velk
