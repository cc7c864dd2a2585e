#include "document/page_io.h"

#include "document/binary_fields.h"
#include "document/embedded_store.h"
#include "document/page_fields.h"

namespace velk {
namespace {

// The smallest page record any version stores: the strings empty, no objects, no image.
constexpr std::size_t kMinPageBytes = 1 + 4 + 1 + 4 * 8 + 1 + 2 + 4 * 6;

// Pages read so far as the reading's progress: from where inflating leaves it to just short of
// the end, which the archive reader reports itself.
std::uint32_t PagesPermille(std::size_t done, std::size_t total) {
    constexpr std::uint32_t kFirst = kInflatedPermille, kLast = kLoadDonePermille - 1;
    if (total == 0) return kLast;
    const auto share = static_cast<std::uint64_t>(kLast - kFirst) * done / total;
    return kFirst + static_cast<std::uint32_t>(share);
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
    // The pages hold nearly all of a project's bytes (their pictures): progress follows them.
    const std::size_t start = in.Position();
    const std::size_t size = start + in.Remaining();
    for (std::uint32_t i = 0; i < page_count; ++i) {
        project.pages.push_back(ReadPage(in, ctx));
        ctx.Progress(PagesPermille(in.Position() - start, size - start));
    }

    FieldReader<WindowShape> shape(in, ctx, project.shape);
    VisitShapeFieldsBeforeMasters(shape);
    if (v > 2) {
        project.master_page = ReadPage(in, ctx);
        project.master_layer = ReadPage(in, ctx);
    }
    VisitShapeFieldsAfterMasters(shape);
    if (v > 6) project.embedded_files = ReadEmbeddedStore(in, ctx);
}

void WritePageManager(ByteWriter& out, const Project& project, std::int32_t version) {
    const std::int32_t v = version;
    out.U32(static_cast<std::uint32_t>(project.pages.size()));
    for (const auto& page : project.pages) WritePage(out, page, version);
    FieldWriter<WindowShape> shape(out, project.shape, version);
    VisitShapeFieldsBeforeMasters(shape);
    if (v > 2) {
        WritePage(out, project.master_page, version);
        WritePage(out, project.master_layer, version);
    }
    VisitShapeFieldsAfterMasters(shape);
    if (v > 6) WriteEmbeddedStore(out, project.embedded_files, version);
}

}  // namespace velk
