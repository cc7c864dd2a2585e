#include "document/page_io.h"

#include "document/binary_fields.h"
#include "document/embedded_store.h"
#include "document/page_fields.h"

namespace velk {
namespace {

// The smallest page record any version stores: the strings empty, no objects, no image.
constexpr std::size_t kMinPageBytes = 1 + 4 + 1 + 4 * 8 + 1 + 2 + 4 * 6;

void SkipU32s(ByteReader& in, int count) {
    for (int i = 0; i < count; ++i) in.U32();
}

void WriteZeros(ByteWriter& out, int count) {
    for (int i = 0; i < count; ++i) out.U32(0);
}

}  // namespace

Page ReadPage(ByteReader& in, LoadContext& ctx) {
    Page page;
    FieldReader<Page> reader(in, ctx, page);
    VisitFields(RecordTag<Page>{}, reader);
    return page;
}

void WritePage(ByteWriter& out, const Page& page, std::int32_t version) {
    FieldWriter<Page> writer(out, page, version);
    VisitFields(RecordTag<Page>{}, writer);
}

void ReadPageManager(ByteReader& in, LoadContext& ctx, Project& project) {
    const std::int32_t v = ctx.version;
    project.pages.clear();
    project.master_page = Project::MakeSharedLayer("Master Page 000");
    project.master_layer = Project::MakeSharedLayer("Master Layer 000");
    project.shape = WindowShape{};
    project.embedded_files.clear();

    std::uint32_t page_count = in.U32();
    in.RequireItems(page_count, kMinPageBytes);
    for (std::uint32_t i = 0; i < page_count; ++i) project.pages.push_back(ReadPage(in, ctx));

    ReadStored(in, project.shape.shape_points);
    if (v > 2) {
        project.master_page = ReadPage(in, ctx);
        project.master_layer = ReadPage(in, ctx);
    }
    for (int i = 0; i < 3; ++i) in.ArchiveString();
    project.shape.shape_mask_present = in.U32();
    if (project.shape.shape_mask_present != 0) {
        project.shape.shape_mask_width = in.U32();
        project.shape.shape_mask_height = in.U32();
        ReadStored(in, project.shape.shape_mask);
    }
    SkipU32s(in, 5);
    if (v > 6) project.embedded_files = ReadEmbeddedStore(in, ctx);
}

void WritePageManager(ByteWriter& out, const Project& project, std::int32_t version) {
    const std::int32_t v = version;
    out.U32(static_cast<std::uint32_t>(project.pages.size()));
    for (const auto& page : project.pages) WritePage(out, page, version);
    WriteStored(out, project.shape.shape_points);
    if (v > 2) {
        WritePage(out, project.master_page, version);
        WritePage(out, project.master_layer, version);
    }
    for (int i = 0; i < 3; ++i) out.ArchiveString("");
    out.U32(project.shape.shape_mask_present);
    if (project.shape.shape_mask_present != 0) {
        out.U32(project.shape.shape_mask_width);
        out.U32(project.shape.shape_mask_height);
        WriteStored(out, project.shape.shape_mask);
    }
    WriteZeros(out, 5);
    if (v > 6) WriteEmbeddedStore(out, project.embedded_files, version);
}

}  // namespace velk
