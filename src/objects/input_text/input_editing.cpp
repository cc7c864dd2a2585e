#include "objects/input_text/input_editing.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/saturate.h"
#include "base/virtual_keys.h"

namespace velk {
namespace {

// A growing field stops taking characters this close to the window's right edge.
constexpr std::int64_t kGrowMargin = 10;
// A release this close (strictly) to the press point is a click.
constexpr std::int64_t kClickSlop = 2;

std::int32_t Length(const InputField& field) {
    return static_cast<std::int32_t>(
        std::min<std::size_t>(field.text.size(), static_cast<std::size_t>(INT32_MAX)));
}

bool HasSelection(const InputField& field) {
    return field.anchor >= 0;
}

// After NormaliseSelection: the text between the caret and the anchor goes.
void DeleteSelection(InputField& field) {
    const auto from = static_cast<std::size_t>(field.caret);
    const auto to = static_cast<std::size_t>(field.anchor);
    field.text.erase(from, to - from);
    field.anchor = -1;
}

bool Accepted(std::uint32_t filter, std::uint8_t c) {
    const bool digit = c >= '0' && c <= '9';
    switch (filter) {
        case kFilterIntegers:
            return digit || c == '-';
        case kFilterReals:
            return digit || c == '-' || c == '.' || c == 'e';
        default:
            return true;
    }
}

bool Inside(const Rect& rect, Point p) {
    return p.x >= rect.left && p.x <= rect.right && p.y >= rect.top && p.y <= rect.bottom;
}

std::int32_t RelativeX(const InputField& field, std::int32_t x) {
    return SaturateToInt32(std::int64_t{x} - field.rect.left);
}

// The pointer positions still waiting for a drawing become indices now.
void PlacePending(InputField& field, const FieldMetrics& metrics) {
    if (field.press_x == 0 && field.drag_x == 0) return;
    const std::int64_t half_t = metrics.char_advance ? metrics.char_advance('t') / 2 : 0;
    PlacePending(field, PrefixWidths(field.text, metrics.char_advance), half_t);
}

}  // namespace

void NormaliseSelection(InputField& field) {
    ClampSelection(field);
    if (HasSelection(field) && field.anchor < field.caret) std::swap(field.anchor, field.caret);
}

bool InputPress(InputField& field, Point point) {
    field.press_point = point;
    if (Inside(field.rect, point)) {
        field.caret = 0;
        field.anchor = -1;
        field.press_x = RelativeX(field, point.x);
        field.drag_x = 0;
        field.focused = true;
        field.selecting = true;
        return true;
    }
    field.selecting = false;
    return InputLeave(field);
}

bool InputMove(InputField& field, std::int32_t x) {
    if (!field.selecting || !field.focused) return false;
    field.drag_x = std::max(RelativeX(field, x), 1);
    return true;
}

void InputRelease(InputField& field, std::int32_t x) {
    const std::int64_t moved = std::int64_t{field.press_point.x} - x;
    if (moved > -kClickSlop && moved < kClickSlop) {
        field.anchor = -1;
        field.drag_x = 0;
    }
    NormaliseSelection(field);
    field.selecting = false;
}

bool InputSelectAll(InputField& field) {
    field.press_point.x = -1;
    field.caret = 0;
    field.press_x = 0;
    field.anchor = Length(field);
    field.drag_x = SaturateToInt32(std::int64_t{field.rect.right} - field.rect.left);
    return true;
}

bool InputLeave(InputField& field) {
    field.selecting = false;
    if (!field.focused) return false;
    field.focused = false;
    return true;
}

bool InputChar(InputField& field, std::uint8_t character, const FieldMetrics& metrics) {
    field.selecting = false;
    if (!field.fixed_width && std::int64_t{field.rect.right} + kGrowMargin > metrics.client_width) {
        return false;
    }
    if (!field.focused) return false;
    PlacePending(field, metrics);
    NormaliseSelection(field);
    if (!Accepted(field.filter, character)) return false;
    if (character < 32 || character == 255) return true;

    InputField edited = field;
    if (HasSelection(edited)) DeleteSelection(edited);
    edited.text.insert(static_cast<std::size_t>(edited.caret), 1, static_cast<char>(character));
    ++edited.caret;
    // The field holds no more than it shows, so its variable never gets what was not seen.
    const std::int64_t width = std::int64_t{field.rect.right} - field.rect.left;
    if (field.fixed_width && PrefixWidths(edited.text, metrics.char_advance).back() > width) {
        return false;
    }
    field = std::move(edited);
    return true;
}

bool InputKey(InputField& field, std::uint32_t virtual_key, const FieldMetrics& metrics) {
    if (!field.focused) return false;
    field.selecting = false;
    PlacePending(field, metrics);
    NormaliseSelection(field);
    const std::int32_t length = Length(field);
    switch (virtual_key) {
        case kVkBack:
            if (HasSelection(field)) {
                DeleteSelection(field);
            } else if (field.caret > 0) {
                --field.caret;
                field.text.erase(static_cast<std::size_t>(field.caret), 1);
            }
            break;
        case kVkDelete:
            if (HasSelection(field)) {
                DeleteSelection(field);
            } else if (field.caret < length) {
                field.text.erase(static_cast<std::size_t>(field.caret), 1);
            }
            break;
        case kVkEnd:
            field.caret = length;
            field.anchor = -1;
            break;
        case kVkHome:
            field.caret = 0;
            field.anchor = -1;
            break;
        case kVkLeft:
            field.caret = std::max(field.caret - 1, 0);
            field.anchor = -1;
            break;
        case kVkRight:
            if (field.caret < length) ++field.caret;
            field.anchor = -1;
            break;
        default:
            break;
    }
    return true;
}

}  // namespace velk
