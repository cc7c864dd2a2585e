// Keys and typed characters as the main window receives them: first the focus sink's part (Tab
// between Input text fields, Escape, keys and characters for the focused field of the current
// page), then key objects of the current page and the master layer. The master page never
// receives keys; Input text fields of the master layer are never typed into.
#pragma once

#include <cstdint>

#include "objects/script_object/shortcut_keys.h"

namespace velk {

class InputOwner;
class PointerDispatch;
struct Object;
struct Page;

class KeyboardDispatch {
  public:
    // `pointer` keeps each page's active field, which Tab moves.
    KeyboardDispatch(InputOwner& owner, PointerDispatch& pointer)
        : owner_(owner), pointer_(pointer) {}

    // A key went down with `modifiers`; `held_arrows` are the arrow keys down at that moment.
    void KeyDown(std::uint32_t virtual_key, KeyModifiers modifiers, std::uint32_t held_arrows);
    // A character was typed (a code-page byte).
    void Char(std::uint8_t character);
    // The keyboard focus left the player: focused fields lose it.
    void FocusLost();

    // Tab: the focus moves to the next (with `backwards` the previous) Input text of the current
    // page that is shown and has its field, wrapping around. False when no field took it.
    bool NextField(bool backwards);
    // Show on a shown Input text of the current page hands it the keyboard: its field (when it
    // has been drawn) is focused with its whole text selected, and no other field keeps the focus.
    void FocusField(Object& input_text);

  private:
    Object* FocusedField();
    void TakeFocus(Page& page, Object& input_text);
    void Publish(Object& input_text);
    void LeaveFocusedFields();
    void RunKeyObject(std::uint32_t virtual_key, KeyModifiers modifiers, std::uint32_t held_arrows);

    InputOwner& owner_;
    PointerDispatch& pointer_;
};

}  // namespace velk
