#include "document/project_io.h"

#include "document/page_io.h"
#include "document/picture_io.h"

namespace velk {
namespace {

// The window layer value that puts the presentation into the desktop.
constexpr std::uint32_t kDesktopLayer = 2;

void SkipStrings(ByteReader& in, int count) {
    for (int i = 0; i < count; ++i) in.ArchiveString();
}

void SkipU32s(ByteReader& in, int count) {
    for (int i = 0; i < count; ++i) in.U32();
}

void WriteEmptyStrings(ByteWriter& out, int count) {
    for (int i = 0; i < count; ++i) out.ArchiveString("");
}

void WriteZeros(ByteWriter& out, int count) {
    for (int i = 0; i < count; ++i) out.U32(0);
}

// A reserved list of numbers: its count, then that many u32.
void SkipU32List(ByteReader& in) {
    std::uint32_t count = in.U32();
    in.RequireItems(count, 4);
    in.Skip(std::size_t{count} * 4);
}

// Only a backdrop that is switched on carries its image; a present flag without it means
// nothing.
bool HasBackdropBlock(const ProjectHeader& header) {
    return header.backdrop_enabled != 0 && header.backdrop_image_present != 0;
}

}  // namespace

void ReadProjectHeader(ByteReader& in, LoadContext& ctx, Project& project) {
    const std::int32_t v = ctx.version;
    ProjectHeader& h = project.header;
    if (v > 7) {
        h.drag_by_body = in.U32();
        h.backdrop_mode = in.U32();
        h.backdrop_enabled = in.U32();
        h.backdrop_colour = in.U32();
        h.backdrop_width = in.U32();
        h.backdrop_height = in.U32();
        h.window_layer = in.U32();
        if (v > 9) h.hide_taskbar = in.U32();
        h.lock_system_keys = in.U32();
        h.backdrop_image_present = in.U32();
        // Desktop mode replaces the layer value; a backdrop covers the desktop, so the two
        // exclude each other and the backdrop wins.
        h.desktop_mode = h.window_layer == kDesktopLayer;
        if (h.desktop_mode) h.window_layer = 0;
        if (h.backdrop_enabled != 0) {
            h.desktop_mode = false;
            if (h.backdrop_image_present != 0) {
                h.backdrop_image = ReadBackdropImage(in, ctx, h.backdrop_width, h.backdrop_height);
            }
        }
    }
    h.title = in.ArchiveString();
    h.has_caption = in.U32();
    h.border = in.U32();
    in.U32();
    h.shaped_window = in.U32();
    if (v > 6) in.ArchiveString();
    ReadPageManager(in, ctx, project);
    in.U32();
    h.client_width = in.U32();
    h.client_height = in.U32();
    h.low_colour_action = in.U32();
    h.low_colour_file = in.ArchiveString();
    h.low_colour_page = in.ArchiveString();
    SkipStrings(in, 3);
    in.U32();
    if (v > 4) {
        h.top_most = in.U32();
        h.remember_position = in.U32();
        h.settings_section = in.ArchiveString();
        if (h.settings_section.empty()) h.settings_section = "Velk";
    }
    if (v > 5) h.ignore_palette = in.U32();
    if (v > 8) h.no_background = in.U32();
    if (v > 11) SkipU32s(in, 2);
    if (v > 12) {
        h.change_resolution = in.U32();
        if (h.change_resolution > 1) {
            h.change_resolution = 1;
            h.force_resolution = true;
        }
        h.resolution = in.U32();
        h.process_priority = in.U32();
    }
    if (v > 13) {
        SkipU32List(in);
        SkipU32List(in);
    }
    if (v > 16) SkipStrings(in, 6);
    if (v > 17) h.minimize_box = in.U32();
    if (v > 18) {
        h.flash_install_option = in.U32();
        SkipU32s(in, 2);
    }
    if (v > 19) in.U32();
    // A window with a title bar or kept above the others always paints its background.
    if (h.top_most != 0 || h.has_caption != 0) h.no_background = 0;
}

void WriteProjectHeader(ByteWriter& out, const Project& project, std::int32_t version) {
    const std::int32_t v = version;
    const ProjectHeader& h = project.header;
    if (v > 7) {
        // A present flag with no image to store would leave the reader looking for one.
        bool backdrop_block = HasBackdropBlock(h) && h.backdrop_image.has_value();
        out.U32(h.drag_by_body);
        out.U32(h.backdrop_mode);
        out.U32(h.backdrop_enabled);
        out.U32(h.backdrop_colour);
        // An image stored by its pixels takes its size from these two fields.
        bool pixel_sized = backdrop_block && !(h.backdrop_image->coding == PictureCoding::kJpeg &&
                                               !h.backdrop_image->bytes.empty());
        out.U32(pixel_sized ? static_cast<std::uint32_t>(h.backdrop_image->width)
                            : h.backdrop_width);
        out.U32(pixel_sized ? static_cast<std::uint32_t>(h.backdrop_image->height)
                            : h.backdrop_height);
        out.U32(h.desktop_mode ? kDesktopLayer : h.window_layer);
        if (v > 9) out.U32(h.hide_taskbar);
        out.U32(h.lock_system_keys);
        out.U32(HasBackdropBlock(h) && !backdrop_block ? 0 : h.backdrop_image_present);
        if (backdrop_block) WriteBackdropImage(out, *h.backdrop_image);
    }
    out.ArchiveString(h.title);
    out.U32(h.has_caption);
    out.U32(h.border);
    out.U32(0);
    out.U32(h.shaped_window);
    if (v > 6) out.ArchiveString("");
    WritePageManager(out, project, version);
    out.U32(0);
    out.U32(h.client_width);
    out.U32(h.client_height);
    out.U32(h.low_colour_action);
    out.ArchiveString(h.low_colour_file);
    out.ArchiveString(h.low_colour_page);
    WriteEmptyStrings(out, 3);
    out.U32(0);
    if (v > 4) {
        out.U32(h.top_most);
        out.U32(h.remember_position);
        out.ArchiveString(h.settings_section);
    }
    if (v > 5) out.U32(h.ignore_palette);
    if (v > 8) out.U32(h.no_background);
    if (v > 11) WriteZeros(out, 2);
    if (v > 12) {
        out.U32(h.force_resolution ? 2 : h.change_resolution);
        out.U32(h.resolution);
        out.U32(h.process_priority);
    }
    if (v > 13) WriteZeros(out, 2);  // two empty reserved lists
    if (v > 16) WriteEmptyStrings(out, 6);
    if (v > 17) out.U32(h.minimize_box);
    if (v > 18) {
        out.U32(h.flash_install_option);
        WriteZeros(out, 2);
    }
    if (v > 19) out.U32(0);
}

}  // namespace velk
