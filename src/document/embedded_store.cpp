#include "document/embedded_store.h"

#include "base/codepage.h"
#include "document/zlib_block.h"

namespace velk {
namespace {

constexpr std::string_view kEntryInflateMessage = "Uncompression failed (Embedded Sound)";

// Entries of version 11 on carry U and C; older ones a plain size.
constexpr std::int32_t kLastVersionWithPlainSize = 10;

// Type, a size word and an empty name: the smallest stored entry of any version.
constexpr std::size_t kMinEntryBytes = 4 + 4 + 1;

EmbeddedFile ReadEntry(ByteReader& in, LoadContext& ctx) {
    EmbeddedFile entry;
    entry.file_type = in.U32();
    if (ctx.version <= kLastVersionWithPlainSize) {
        entry.size = in.U32();
        entry.data = in.Bytes(entry.size);
    } else {
        entry.size = in.U32();
        if (entry.size != 0) {
            ZlibBlock block = ReadZlibBlock(in, entry.size);
            if (!block.ok) ctx.Message(kEntryInflateMessage);
            entry.compressed = block.compressed;
            entry.data = std::move(block.bytes);
        }
    }
    entry.file_name = in.ArchiveString();
    return entry;
}

void WriteEntry(ByteWriter& out, const EmbeddedFile& entry, std::int32_t version) {
    out.U32(entry.file_type);
    auto size = static_cast<std::uint32_t>(entry.data.size());
    out.U32(size);
    if (version <= kLastVersionWithPlainSize) {
        out.Bytes(entry.data);
    } else if (size != 0) {
        WriteZlibBlock(out, entry.data, entry.compressed);
    }
    out.ArchiveString(entry.file_name);
}

}  // namespace

std::vector<EmbeddedFile> ReadEmbeddedStore(ByteReader& in, LoadContext& ctx) {
    std::vector<EmbeddedFile> files;
    std::uint32_t count = in.U32();
    in.RequireItems(count, kMinEntryBytes);
    files.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) files.push_back(ReadEntry(in, ctx));
    return files;
}

void WriteEmbeddedStore(ByteWriter& out, const std::vector<EmbeddedFile>& files,
                        std::int32_t version) {
    out.U32(static_cast<std::uint32_t>(files.size()));
    for (const auto& entry : files) WriteEntry(out, entry, version);
}

const EmbeddedFile* FindEmbedded(const std::vector<EmbeddedFile>& files, std::string_view name) {
    for (const auto& entry : files) {
        if (EqualsIgnoreCase(entry.file_name, name)) return &entry;
    }
    return nullptr;
}

}  // namespace velk
