// The fields of the project header, in the order a file stores them. The page manager stands
// between its two parts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/field_list.h"
#include "document/load_context.h"
#include "document/project.h"

namespace velk {

// A stored 2 puts the presentation into the desktop: the layer reads as 0 and desktop_mode is
// set, which a backdrop switches off again.
struct WindowLayerCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::uint32_t& layer, ProjectHeader& header);
    static void Write(ByteWriter& out, std::uint32_t layer, const ProjectHeader& header);
};

// The backdrop image is written by its pixels, not as a JPEG stream.
bool BackdropStoredByPixels(const ProjectHeader& header);

// A backdrop image stored by its pixels takes its size from the width and height fields.
template <std::int32_t Picture::*kSize>
struct BackdropSizeCodec {
    static void Read(ByteReader& in, std::uint32_t& size) { size = in.U32(); }
    static void Write(ByteWriter& out, std::uint32_t size, const ProjectHeader& header) {
        out.U32(BackdropStoredByPixels(header)
                    ? static_cast<std::uint32_t>((*header.backdrop_image).*kSize)
                    : size);
    }
};

// A present flag with no image to store would leave the reader looking for one.
struct BackdropPresentCodec {
    static void Read(ByteReader& in, std::uint32_t& present) { present = in.U32(); }
    static void Write(ByteWriter& out, std::uint32_t present, const ProjectHeader& header);
};

// Only a backdrop that is switched on carries its image; a present flag without it means
// nothing.
struct BackdropImageCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& image,
                     ProjectHeader& header);
    static void Write(ByteWriter& out, const std::optional<Picture>& image,
                      const ProjectHeader& header);
};

// An empty section name stands for the default one.
struct SettingsSectionCodec {
    static void Read(ByteReader& in, std::string& section);
    static void Write(ByteWriter& out, const std::string& section);
};

// A stored value above 1 changes the resolution without asking: it reads as 1 and sets
// force_resolution.
struct ChangeResolutionCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::uint32_t& change,
                     ProjectHeader& header);
    static void Write(ByteWriter& out, std::uint32_t change, const ProjectHeader& header);
};

// A window with a title bar or kept above the others always paints its background.
void PaintBackgroundBehindFramedWindows(ProjectHeader& header, LoadContext& ctx);

template <class V>
void VisitHeaderFieldsBeforePages(V&& v) {
    using H = ProjectHeader;
    if (v.VersionAbove(7)) {
        v("drag_by_body", &H::drag_by_body);
        v("backdrop_mode", &H::backdrop_mode);
        v("backdrop_enabled", &H::backdrop_enabled);
        v("backdrop_colour", &H::backdrop_colour);
        v("backdrop_width", &H::backdrop_width, BackdropSizeCodec<&Picture::width>{});
        v("backdrop_height", &H::backdrop_height, BackdropSizeCodec<&Picture::height>{});
        v("window_layer", &H::window_layer, WindowLayerCodec{});
        if (v.VersionAbove(9)) v("hide_taskbar", &H::hide_taskbar);
        v("lock_system_keys", &H::lock_system_keys);
        v("backdrop_image_present", &H::backdrop_image_present, BackdropPresentCodec{});
        v("backdrop_image", &H::backdrop_image, BackdropImageCodec{});
    }
    v("title", &H::title, Emit::kAlways);
    v("has_caption", &H::has_caption);
    v("border", &H::border);
    v.Unused(UnusedNumbers{1});
    v("shaped_window", &H::shaped_window);
    if (v.VersionAbove(6)) v.Unused(UnusedStrings{1});
}

template <class V>
void VisitHeaderFieldsAfterPages(V&& v) {
    using H = ProjectHeader;
    v.Unused(UnusedNumbers{1});
    v("client_width", &H::client_width, Emit::kAlways);
    v("client_height", &H::client_height, Emit::kAlways);
    v("low_colour_action", &H::low_colour_action);
    v("low_colour_file", &H::low_colour_file);
    v("low_colour_page", &H::low_colour_page);
    v.Unused(UnusedStrings{3});
    v.Unused(UnusedNumbers{1});
    if (v.VersionAbove(4)) {
        v("top_most", &H::top_most);
        v("remember_position", &H::remember_position);
        v("settings_section", &H::settings_section, SettingsSectionCodec{});
    }
    if (v.VersionAbove(5)) v("ignore_palette", &H::ignore_palette);
    if (v.VersionAbove(8)) v("no_background", &H::no_background);
    if (v.VersionAbove(11)) v.Unused(UnusedNumbers{2});
    if (v.VersionAbove(12)) {
        v("change_resolution", &H::change_resolution, ChangeResolutionCodec{});
        v("resolution", &H::resolution);
        v("process_priority", &H::process_priority);
    }
    if (v.VersionAbove(13)) v.Unused(UnusedNumberLists{2});
    if (v.VersionAbove(16)) v.Unused(UnusedStrings{6});
    if (v.VersionAbove(17)) v("minimize_box", &H::minimize_box);
    if (v.VersionAbove(18)) {
        v("flash_install_option", &H::flash_install_option);
        v.Unused(UnusedNumbers{2});
    }
    if (v.VersionAbove(19)) v.Unused(UnusedNumbers{1});
    v.OnRead(PaintBackgroundBehindFramedWindows);
    v.InJson("desktop_mode", &H::desktop_mode);
    v.InJson("force_resolution", &H::force_resolution);
}

template <class V>
void VisitFields(RecordTag<ProjectHeader>, V&& v) {
    VisitHeaderFieldsBeforePages(v);
    VisitHeaderFieldsAfterPages(v);
}

}  // namespace velk
