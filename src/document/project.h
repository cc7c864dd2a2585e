// The whole project as read from a file: header, pages, master page and layer, embedded files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/embedded_file.h"
#include "document/page.h"
#include "document/picture.h"

namespace velk {

inline constexpr std::int32_t kCurrentProjectVersion = 27;

struct ProjectHeader {
    std::uint32_t drag_by_body = 1;
    std::uint32_t backdrop_mode = 0;
    std::uint32_t backdrop_enabled = 0;
    std::uint32_t backdrop_colour = 0;
    std::uint32_t backdrop_width = 0;
    std::uint32_t backdrop_height = 0;
    // As stored, except that a stored 2 reads as 0 and turns `desktop_mode` on.
    std::uint32_t window_layer = 0;
    std::uint32_t hide_taskbar = 0;
    std::uint32_t lock_system_keys = 0;
    std::uint32_t backdrop_image_present = 0;
    std::optional<Picture> backdrop_image;
    std::string title = "Untitled";
    std::uint32_t has_caption = 0;
    std::uint32_t border = 0;
    std::uint32_t shaped_window = 0;
    std::uint32_t client_width = 100;
    std::uint32_t client_height = 100;
    std::uint32_t low_colour_action = 0;
    std::string low_colour_file;
    std::string low_colour_page;
    std::uint32_t top_most = 0;
    std::uint32_t remember_position = 0;
    std::string settings_section = "Velk";
    std::uint32_t ignore_palette = 1;
    std::uint32_t no_background = 0;
    std::uint32_t change_resolution = 0;
    std::uint32_t resolution = 0;
    std::uint32_t process_priority = 1;
    std::uint32_t minimize_box = 1;
    std::uint32_t flash_install_option = 0;

    // Derived while reading.
    bool desktop_mode = false;
    bool force_resolution = false;

    bool operator==(const ProjectHeader&) const = default;
};

// The page manager record beside the pages themselves.
struct WindowShape {
    std::vector<Point> shape_points;
    std::uint32_t shape_mask_present = 0;
    std::uint32_t shape_mask_width = 0;
    std::uint32_t shape_mask_height = 0;
    std::vector<std::uint8_t> shape_mask;

    bool operator==(const WindowShape&) const = default;
};

struct Project {
    std::int32_t version = kCurrentProjectVersion;
    ProjectHeader header;
    std::vector<Page> pages;
    Page master_page = MakeSharedLayer("Master Page 000");
    Page master_layer = MakeSharedLayer("Master Layer 000");
    WindowShape shape;
    std::vector<EmbeddedFile> embedded_files;

    static Page MakeSharedLayer(std::string name) {
        Page page;
        page.name = std::move(name);
        return page;
    }
    bool operator==(const Project&) const = default;
};

}  // namespace velk
