// The run-time state of an Input text (kind 22): the text being edited, where the field was last
// drawn, the caret and selection, and pointer positions that the next drawing turns into
// character indices (only the drawing has the font to measure them with). Made at the object's
// first drawing; the editing rules live in input/input_editing.h, the drawing in render/.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace velk {

struct InputField {
    std::string text;
    Rect rect;  // where the field was last drawn
    std::uint32_t text_colour = 0;
    std::uint32_t background_colour = 0xFFFFFF;
    bool paint_background = false;
    bool fixed_width = true;
    std::uint32_t filter = 0;  // 1 integers, 2 real numbers, else anything
    std::int32_t caret = 0;
    std::int32_t anchor = -1;  // the other end of the selection; -1 for none
    bool focused = false;
    bool selecting = false;  // the button went down inside the field and is still down
    // Relative to the field's left edge; 0 means nothing pending.
    std::int32_t press_x = 0;
    std::int32_t drag_x = 0;
    std::int32_t line_height = 0;
    Point press_point;

    bool operator==(const InputField&) const = default;
};

// Brings the caret inside 0 ... length and the anchor to -1 (when negative or at the caret) or
// at most the length. The text can be replaced without them (DisplayValue, the drawing's cut),
// so every use of the two clamps them first.
void ClampSelection(InputField& field);

// The advance of one character in the field's font, in pixels.
using CharAdvance = std::function<std::int32_t(char)>;

// The width of the first i characters for every i from 0 to the length, summed once over the
// advances.
std::vector<std::int64_t> PrefixWidths(std::string_view text, const CharAdvance& advance);

// Pending pointer positions become character indices, then the two are clamped: the press x
// becomes the caret (the text's length when it lies beyond the text, else the number of prefixes,
// at most length - 1, narrower than press x + `half_t`), the drag x the anchor (the same without
// `half_t`). `widths` are the text's PrefixWidths; `half_t` is half the width of "t".
void PlacePending(InputField& field, const std::vector<std::int64_t>& widths, std::int64_t half_t);

}  // namespace velk
