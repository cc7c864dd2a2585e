// A page record: the same layout serves ordinary pages, the master page and the master layer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/action_list.h"
#include "document/object.h"
#include "document/picture.h"

namespace velk {

// The byte mask of a page transition (one byte per pixel), stored raw or zlib-compressed.
struct TransitionMask {
    std::uint32_t size = 0;           // U: the mask's byte count
    bool compressed = false;          // stored as a zlib stream
    std::vector<std::uint8_t> bytes;  // the mask (inflated)
    bool operator==(const TransitionMask&) const = default;
};

struct Page {
    std::string name = "Page 1";
    std::uint32_t serial = 0;
    std::string notes;
    std::uint32_t page_option_a = 0;
    // Cursor table entry; the stored value minus one, never below 0.
    std::uint32_t page_cursor = 0;
    std::optional<Picture> background_image;
    std::uint32_t use_first_page_background = 0;
    std::uint32_t background_colour = 0xFFFFFF;
    std::uint32_t tile_background = 0;
    std::uint32_t page_option_c = 0x5900;
    std::vector<Object> objects;  // stacking order, bottom first
    std::string transition_file;
    std::uint32_t use_master_background = 0;
    std::uint32_t page_value1 = 0;
    std::uint32_t transition_effect = 0;
    std::uint32_t transition_duration = 500;
    ActionList entry_actions;
    std::uint32_t transition_mask_width = 0;
    std::uint32_t transition_mask_height = 0;
    TransitionMask transition_mask;
    std::uint32_t mask_stretch = 1;
    std::uint32_t mask_invert = 0;
    ActionList exit_actions;

    // Run time: how many of its objects run the shrink-and-hide animation.
    std::int32_t running_animations = 0;

    bool operator==(const Page&) const = default;
};

}  // namespace velk
