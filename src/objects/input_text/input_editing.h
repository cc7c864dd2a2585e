// The editing rules of an Input text's field: what a press, a drag, a release, a typed character
// or a key does to its text, caret and selection. Pure: the caller repaints the field's rectangle
// when a rule says so, and measures text for the rules that need it.
//
// The caret and the anchor are brought back inside the text before every use, since the text can
// be replaced (DisplayValue, the drawing's cut) without them. A click's position becomes the caret
// at the next drawing, or at the next key when that comes first (keys typed faster than the
// window paints must still land where the user clicked).
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "base/geometry.h"
#include "document/input_field.h"

namespace velk {

// Filters of an Input text (`option3`).
inline constexpr std::uint32_t kFilterIntegers = 1;
inline constexpr std::uint32_t kFilterReals = 2;

// What typing needs beyond the field: the window's client width (a field that grows with its
// text stops taking characters near the window's edge) and the advances of the font the field is
// drawn with. With them a key resolves the pointer positions still waiting for a drawing, and a
// fixed-width field takes no character it could not show.
struct FieldMetrics {
    std::int32_t client_width = 0;
    CharAdvance char_advance;
};

// An anchor before the caret changes place with it; an anchor at the caret means no selection.
void NormaliseSelection(InputField& field);

// The rules below return true when the field's rectangle must be painted again.

// The button went down at `point` (window coordinates).
bool InputPress(InputField& field, Point point);
// The pointer moved to window x while the button is down.
bool InputMove(InputField& field, std::int32_t x);
// The button went up at window x: without movement it was a click, not a selection.
void InputRelease(InputField& field, std::int32_t x);
// The whole text becomes selected (from the next drawing on).
bool InputSelectAll(InputField& field);
// The field loses the keyboard.
bool InputLeave(InputField& field);

// A typed character (a code-page byte). True when the field took it; taken control characters
// change nothing.
bool InputChar(InputField& field, std::uint8_t character, const FieldMetrics& metrics);
// A key by its virtual-key code: Backspace, End, Home, Left, Right and Delete edit; every key is
// taken by a focused field and none by another.
bool InputKey(InputField& field, std::uint32_t virtual_key, const FieldMetrics& metrics);

}  // namespace velk
