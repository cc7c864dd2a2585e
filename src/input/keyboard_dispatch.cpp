#include "input/keyboard_dispatch.h"

#include <vector>

#include "base/virtual_keys.h"
#include "controls/bubble.h"
#include "input/input_owner.h"
#include "input/pointer_dispatch.h"
#include "objects/input_text/field_control.h"
#include "objects/kinds.h"
#include "pages/page_lookup.h"

namespace velk {

Object* KeyboardDispatch::FocusedField() {
    Page* page = owner_.Pages().current;
    if (page == nullptr) return nullptr;
    for (Object& object : page->objects) {
        if (!TraitsOf(object.kind).takes_focus || object.hidden != 0) continue;
        auto field = FieldOf(owner_, object);
        if (field && field->Focused()) return &object;
    }
    return nullptr;
}

void KeyboardDispatch::LeaveFocusedFields() {
    Page* page = owner_.Pages().current;
    if (page == nullptr) return;
    for (Object& object : page->objects) {
        if (!TraitsOf(object.kind).takes_focus) continue;
        auto field = FieldOf(owner_, object);
        if (field && field->Focused()) field->InputLeave();
    }
    pointer_.StateOf(*page).active_field = nullptr;
}

bool KeyboardDispatch::NextField(bool backwards) {
    Page* page = owner_.Pages().current;
    if (page == nullptr) return false;
    // The fields that can take the focus, in the order Tab visits them.
    std::vector<Object*> fields;
    std::size_t focused = SIZE_MAX;
    for (Object& object : page->objects) {
        if (!TraitsOf(object.kind).takes_focus) continue;
        auto field = FieldOf(owner_, object);
        if (!field) continue;
        if (field->Focused()) {
            field->InputLeave();
            if (object.hidden == 0) focused = fields.size();
        }
        if (object.hidden == 0) fields.push_back(&object);
    }
    PageInputState& state = pointer_.StateOf(*page);
    state.active_field = nullptr;
    if (fields.empty()) return false;
    std::size_t next = 0;
    if (focused != SIZE_MAX) {
        next = backwards ? (focused + fields.size() - 1) % fields.size()
                         : (focused + 1) % fields.size();
    } else if (backwards) {
        next = fields.size() - 1;
    }
    TakeFocus(*page, *fields[next]);
    return true;
}

void KeyboardDispatch::TakeFocus(Page& page, Object& input_text) {
    auto field = FieldOf(owner_, input_text);
    field->SetFocused(true);
    field->InputSelectAll();
    pointer_.StateOf(page).active_field = &input_text;
}

void KeyboardDispatch::FocusField(Object& input_text) {
    Page* page = owner_.Pages().current;
    if (page == nullptr || !FieldOf(owner_, input_text)) return;
    // One field has the keyboard: typing must not go to another one that kept its focus.
    for (Object& object : page->objects) {
        if (&object == &input_text) continue;
        if (auto field = FieldOf(owner_, object); field && field->Focused()) field->InputLeave();
    }
    TakeFocus(*page, input_text);
}

void KeyboardDispatch::Publish(Object& input_text) {
    auto field = FieldOf(owner_, input_text);
    if (!field) return;
    StoreInputText(owner_.Variables(), input_text, field->Text());
    if (input_text.extra_text1.empty()) return;
    Page* page = owner_.Pages().current;
    if (page == nullptr) return;
    if (Object* changed = FindObjectByName(*page, input_text.extra_text1, false)) {
        owner_.RunList(changed->actions_click);
    }
}

void KeyboardDispatch::KeyDown(std::uint32_t virtual_key, KeyModifiers modifiers,
                               std::uint32_t held_arrows) {
    bool field_took_tab = false;
    if (virtual_key == kVkTab) field_took_tab = NextField(modifiers.shift);
    if (virtual_key == kVkEscape) {
        LeaveFocusedFields();
    } else if (!field_took_tab) {
        if (Bubble* bubble = owner_.TooltipBubble()) bubble->Hide();
        if (Object* focused = FocusedField()) {
            FieldOf(owner_, *focused)->InputKey(virtual_key);
            if (virtual_key == kVkBack || virtual_key == kVkDelete) Publish(*focused);
        }
    }
    // Keys typed into a field reach key objects as well.
    RunKeyObject(virtual_key, modifiers, held_arrows);
}

void KeyboardDispatch::RunKeyObject(std::uint32_t virtual_key, KeyModifiers modifiers,
                                    std::uint32_t held_arrows) {
    const InputPages pages = owner_.Pages();
    if (pages.current == nullptr) return;
    const std::string name = KeyName(virtual_key, held_arrows | ArrowBit(virtual_key));
    Object* object = FindKeyObject(*pages.current, name, modifiers);
    if (object == nullptr && pages.master_layer != nullptr) {
        object = FindKeyObject(*pages.master_layer, name, modifiers);
    }
    if (object != nullptr) owner_.RunListGuarded(object->actions_click);
}

void KeyboardDispatch::Char(std::uint8_t character) {
    if (Bubble* bubble = owner_.TooltipBubble()) bubble->Hide();
    Object* focused = FocusedField();
    if (focused == nullptr) return;
    FieldOf(owner_, *focused)->InputChar(character);
    Publish(*focused);
}

void KeyboardDispatch::FocusLost() {
    LeaveFocusedFields();
}

}  // namespace velk
