#include "document/page_io.h"

#include "document/action_list_io.h"
#include "document/embedded_store.h"
#include "document/object_io.h"
#include "document/picture_io.h"
#include "document/zlib_block.h"

namespace velk {
namespace {

constexpr std::string_view kMaskInflateMessage = "Uncompression failed (2)";

// The smallest page record any version stores: the strings empty, no objects, no image.
constexpr std::size_t kMinPageBytes = 1 + 4 + 1 + 4 * 8 + 1 + 2 + 4 * 6;
// Every object record starts with at least its kind word.
constexpr std::size_t kMinObjectBytes = 4;
constexpr std::size_t kShapePointBytes = 8;

TransitionMask ReadTransitionMask(ByteReader& in, LoadContext& ctx) {
    TransitionMask mask;
    mask.size = in.U32();
    if (mask.size == 0) return mask;
    ZlibBlock block = ReadZlibBlock(in, mask.size);
    if (!block.ok) ctx.Message(kMaskInflateMessage);
    mask.compressed = block.compressed;
    mask.bytes = std::move(block.bytes);
    return mask;
}

void WriteTransitionMask(ByteWriter& out, const TransitionMask& mask) {
    out.U32(static_cast<std::uint32_t>(mask.bytes.size()));
    if (!mask.bytes.empty()) WriteZlibBlock(out, mask.bytes, mask.compressed);
}

void SkipU32s(ByteReader& in, int count) {
    for (int i = 0; i < count; ++i) in.U32();
}

void WriteZeros(ByteWriter& out, int count) {
    for (int i = 0; i < count; ++i) out.U32(0);
}

}  // namespace

Page ReadPage(ByteReader& in, LoadContext& ctx) {
    const std::int32_t v = ctx.version;
    Page page;
    page.name = in.ArchiveString();
    page.serial = in.U32();
    page.notes = in.ArchiveString();
    page.page_option_a = in.U32();
    // Stored one above the cursor table entry; 0 and 1 both mean the default arrow.
    std::uint32_t cursor = in.U32();
    page.page_cursor = cursor > 0 ? cursor - 1 : 0;
    std::uint32_t has_background_image = in.U32();
    page.use_first_page_background = in.U32();
    if (has_background_image != 0) page.background_image = ReadPageBackground(in, ctx);
    page.background_colour = in.U32();
    page.tile_background = in.U32();
    page.page_option_c = in.U32();
    std::uint32_t object_count = in.U32();
    in.RequireItems(object_count, kMinObjectBytes);
    for (std::uint32_t i = 0; i < object_count; ++i) page.objects.push_back(ReadObject(in, ctx));
    page.transition_file = in.ArchiveString();
    in.ArchiveString();
    in.ArchiveString();
    page.use_master_background = in.U32();
    SkipU32s(in, 2);
    page.page_value1 = in.U32();
    page.transition_effect = in.U32();
    page.transition_duration = in.U32();
    if (v > 3) page.entry_actions = ReadActionList(in);
    if (v > 10) {
        page.transition_mask_width = in.U32();
        page.transition_mask_height = in.U32();
        page.transition_mask = ReadTransitionMask(in, ctx);
        page.mask_stretch = in.U32();
        page.mask_invert = in.U32();
        SkipU32s(in, 5);
    }
    if (v > 18) page.exit_actions = ReadActionList(in);
    return page;
}

void WritePage(ByteWriter& out, const Page& page, std::int32_t version) {
    const std::int32_t v = version;
    out.ArchiveString(page.name);
    out.U32(page.serial);
    out.ArchiveString(page.notes);
    out.U32(page.page_option_a);
    out.U32(page.page_cursor + 1);
    out.U32(page.background_image ? 1 : 0);
    out.U32(page.use_first_page_background);
    if (page.background_image) WritePageBackground(out, *page.background_image);
    out.U32(page.background_colour);
    out.U32(page.tile_background);
    out.U32(page.page_option_c);
    out.U32(static_cast<std::uint32_t>(page.objects.size()));
    for (const auto& object : page.objects) WriteObject(out, object, version);
    out.ArchiveString(page.transition_file);
    out.ArchiveString("");
    out.ArchiveString("");
    out.U32(page.use_master_background);
    WriteZeros(out, 2);
    out.U32(page.page_value1);
    out.U32(page.transition_effect);
    out.U32(page.transition_duration);
    if (v > 3) WriteActionList(out, page.entry_actions);
    if (v > 10) {
        out.U32(page.transition_mask_width);
        out.U32(page.transition_mask_height);
        WriteTransitionMask(out, page.transition_mask);
        out.U32(page.mask_stretch);
        out.U32(page.mask_invert);
        WriteZeros(out, 5);
    }
    if (v > 18) WriteActionList(out, page.exit_actions);
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

    std::uint32_t point_count = in.U32();
    in.RequireItems(point_count, kShapePointBytes);
    project.shape.shape_points.reserve(point_count);
    for (std::uint32_t i = 0; i < point_count; ++i) {
        Point point;
        point.x = in.I32();
        point.y = in.I32();
        project.shape.shape_points.push_back(point);
    }
    if (v > 2) {
        project.master_page = ReadPage(in, ctx);
        project.master_layer = ReadPage(in, ctx);
    }
    for (int i = 0; i < 3; ++i) in.ArchiveString();
    project.shape.shape_mask_present = in.U32();
    if (project.shape.shape_mask_present != 0) {
        project.shape.shape_mask_width = in.U32();
        project.shape.shape_mask_height = in.U32();
        std::uint32_t length = in.U32();
        project.shape.shape_mask = in.Bytes(length);
    }
    SkipU32s(in, 5);
    if (v > 6) project.embedded_files = ReadEmbeddedStore(in, ctx);
}

void WritePageManager(ByteWriter& out, const Project& project, std::int32_t version) {
    const std::int32_t v = version;
    out.U32(static_cast<std::uint32_t>(project.pages.size()));
    for (const auto& page : project.pages) WritePage(out, page, version);
    out.U32(static_cast<std::uint32_t>(project.shape.shape_points.size()));
    for (const auto& point : project.shape.shape_points) {
        out.I32(point.x);
        out.I32(point.y);
    }
    if (v > 2) {
        WritePage(out, project.master_page, version);
        WritePage(out, project.master_layer, version);
    }
    for (int i = 0; i < 3; ++i) out.ArchiveString("");
    out.U32(project.shape.shape_mask_present);
    if (project.shape.shape_mask_present != 0) {
        out.U32(project.shape.shape_mask_width);
        out.U32(project.shape.shape_mask_height);
        out.U32(static_cast<std::uint32_t>(project.shape.shape_mask.size()));
        out.Bytes(project.shape.shape_mask);
    }
    WriteZeros(out, 5);
    if (v > 6) WriteEmbeddedStore(out, project.embedded_files, version);
}

}  // namespace velk
