// The stored form of pages and of the page manager record.
#pragma once

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/load_context.h"
#include "document/project.h"

namespace velk {

Page ReadPage(ByteReader& in, LoadContext& ctx);
void WritePage(ByteWriter& out, const Page& page, std::int32_t version);

// Pages, window shape, master page and layer, and (version 7 on) the embedded file store.
void ReadPageManager(ByteReader& in, LoadContext& ctx, Project& project);
void WritePageManager(ByteWriter& out, const Project& project, std::int32_t version);

}  // namespace velk
