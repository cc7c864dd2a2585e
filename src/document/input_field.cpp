#include "document/input_field.h"

#include <algorithm>

namespace velk {
namespace {

std::int32_t ClampedIndex(std::size_t index) {
    return static_cast<std::int32_t>(std::min<std::size_t>(index, INT32_MAX));
}

std::int32_t IndexAt(const std::vector<std::int64_t>& widths, std::int64_t x, std::int64_t bias) {
    const std::size_t length = widths.size() - 1;
    if (widths[length] - 2 < x) return ClampedIndex(length);
    std::size_t count = 0;
    for (std::size_t k = 1; k < length && widths[k] < x + bias; ++k) ++count;
    return ClampedIndex(count);
}

}  // namespace

void ClampSelection(InputField& field) {
    const std::int32_t length = ClampedIndex(field.text.size());
    field.caret = std::clamp(field.caret, 0, length);
    if (field.anchor >= 0) field.anchor = std::min(field.anchor, length);
    if (field.anchor < 0 || field.anchor == field.caret) field.anchor = -1;
}

std::vector<std::int64_t> PrefixWidths(std::string_view text, const CharAdvance& advance) {
    std::vector<std::int64_t> widths(text.size() + 1, 0);
    if (!advance) return widths;
    for (std::size_t i = 0; i < text.size(); ++i) widths[i + 1] = widths[i] + advance(text[i]);
    return widths;
}

void PlacePending(InputField& field, const std::vector<std::int64_t>& widths, std::int64_t half_t) {
    if (field.press_x != 0) {
        field.caret = IndexAt(widths, field.press_x, half_t);
        field.press_x = 0;
    }
    if (field.drag_x != 0) {
        field.anchor = IndexAt(widths, field.drag_x, 0);
        field.drag_x = 0;
    }
    ClampSelection(field);
}

}  // namespace velk
