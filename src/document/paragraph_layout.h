// The run-time state of a Paragraph (kind 15): its words, its wrapped lines and where its scroll
// bar was drawn and which part of it is held. Made at the object's first drawing
// (render/draw_paragraph.cpp); the pointer moves the scroll position (input/paragraph_scroll.h).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace velk {

// The column right of the text area that is kept for the scroll bar, shown or not; also the
// height of each arrow square.
inline constexpr std::int32_t kParagraphScrollWidth = 15;

struct ParagraphLayout {
    // 1 centred, 2 right, 3 or 0 left; from `param1` at every drawing.
    std::int32_t alignment = 0;
    // The normalised text cut after every space; made once with the layout.
    std::vector<std::string> words;
    // The wrapped lines; emptied whenever the text area changes size.
    std::vector<std::string> lines;
    Point origin;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::int32_t first_line = 0;
    std::int32_t visible_lines = 0;
    // From the last drawing that showed the scroll bar.
    std::int32_t line_count = 0;
    bool has_scroll_bar = false;
    Rect thumb;
    bool up_pressed = false;
    bool down_pressed = false;
    bool page_up_pressed = false;
    bool page_down_pressed = false;
    bool thumb_pressed = false;

    bool operator==(const ParagraphLayout&) const = default;

    // The scroll position held within 0 ... lines - visible lines, so that the last page of
    // lines fills the area.
    std::int32_t ClampedFirstLine(std::int64_t first) const {
        const std::int64_t last = std::int64_t(lines.size()) - visible_lines;
        return static_cast<std::int32_t>(std::max<std::int64_t>(0, std::min(first, last)));
    }
    void ReleaseAll() {
        up_pressed = down_pressed = page_up_pressed = page_down_pressed = thumb_pressed = false;
    }
};

}  // namespace velk
