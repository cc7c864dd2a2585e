#include "document/header_fields.h"

#include "document/picture_io.h"

namespace velk {
namespace {

// The window layer value that puts the presentation into the desktop.
constexpr std::uint32_t kDesktopLayer = 2;

bool HasBackdropBlock(const ProjectHeader& header) {
    return header.backdrop_enabled != 0 && header.backdrop_image_present != 0;
}

bool StoresBackdropImage(const ProjectHeader& header) {
    return HasBackdropBlock(header) && header.backdrop_image.has_value();
}

}  // namespace

bool BackdropStoredByPixels(const ProjectHeader& header) {
    return StoresBackdropImage(header) && !(header.backdrop_image->coding == PictureCoding::kJpeg &&
                                            !header.backdrop_image->bytes.empty());
}

void WindowLayerCodec::Read(ByteReader& in, LoadContext&, std::uint32_t& layer,
                            ProjectHeader& header) {
    layer = in.U32();
    header.desktop_mode = layer == kDesktopLayer;
    if (header.desktop_mode) layer = 0;
}

void WindowLayerCodec::Write(ByteWriter& out, std::uint32_t layer, const ProjectHeader& header) {
    out.U32(header.desktop_mode ? kDesktopLayer : layer);
}

void BackdropPresentCodec::Write(ByteWriter& out, std::uint32_t present,
                                 const ProjectHeader& header) {
    out.U32(HasBackdropBlock(header) && !StoresBackdropImage(header) ? 0 : present);
}

void BackdropImageCodec::Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& image,
                              ProjectHeader& header) {
    // A backdrop covers the desktop, so the two exclude each other and the backdrop wins.
    if (header.backdrop_enabled == 0) return;
    header.desktop_mode = false;
    if (header.backdrop_image_present != 0) {
        image = ReadBackdropImage(in, ctx, header.backdrop_width, header.backdrop_height);
    }
}

void BackdropImageCodec::Write(ByteWriter& out, const std::optional<Picture>& image,
                               const ProjectHeader& header) {
    if (StoresBackdropImage(header)) WriteBackdropImage(out, *image);
}

void SettingsSectionCodec::Read(ByteReader& in, std::string& section) {
    section = in.ArchiveString();
    if (section.empty()) section = "Velk";
}

void SettingsSectionCodec::Write(ByteWriter& out, const std::string& section) {
    out.ArchiveString(section);
}

void ChangeResolutionCodec::Read(ByteReader& in, LoadContext&, std::uint32_t& change,
                                 ProjectHeader& header) {
    change = in.U32();
    if (change > 1) {
        change = 1;
        header.force_resolution = true;
    }
}

void ChangeResolutionCodec::Write(ByteWriter& out, std::uint32_t change,
                                  const ProjectHeader& header) {
    out.U32(header.force_resolution ? 2 : change);
}

void PaintBackgroundBehindFramedWindows(ProjectHeader& header, LoadContext&) {
    if (header.top_most != 0 || header.has_caption != 0) header.no_background = 0;
}

}  // namespace velk
