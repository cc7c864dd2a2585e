#include "objects/input_text/field_control.h"

#include <algorithm>

#include "objects/input_text/input_editing.h"
#include "objects/input_text/input_text_fields.h"
#include "objects/kinds.h"
#include "objects/object_owner.h"
#include "script/number_text.h"
#include "script/variable_store.h"

namespace velk {

FieldControl::FieldControl(ObjectOwner& owner, Object& input_text)
    : owner_(owner), object_(input_text), field_(*input_text.input_field) {}

void FieldControl::Repaint(bool needed) {
    if (!needed) return;
    Rect area = field_.rect;
    // A field that grows with its text may next be drawn wider than it was.
    if (!field_.fixed_width) area.right = std::max(area.right, owner_.ClientWidth());
    owner_.Invalidate(area);
}

void FieldControl::InputPress(Point point) {
    Repaint(velk::InputPress(field_, point));
}

void FieldControl::InputMove(std::int32_t x) {
    Repaint(velk::InputMove(field_, x));
}

void FieldControl::InputRelease(std::int32_t x) {
    velk::InputRelease(field_, x);
}

void FieldControl::InputSelectAll() {
    Repaint(velk::InputSelectAll(field_));
}

void FieldControl::InputLeave() {
    Repaint(velk::InputLeave(field_));
}

FieldMetrics FieldControl::Metrics() {
    return {.client_width = owner_.ClientWidth(),
            .char_advance = [this](char c) { return owner_.FieldCharAdvance(object_.font, c); }};
}

void FieldControl::InputKey(std::uint32_t virtual_key) {
    Repaint(velk::InputKey(field_, virtual_key, Metrics()));
}

void FieldControl::InputChar(std::uint8_t character) {
    Repaint(velk::InputChar(field_, character, Metrics()));
}

std::optional<FieldControl> FieldOf(ObjectOwner& owner, Object& object) {
    if (!TraitsOf(object.kind).takes_focus || !object.input_field) return std::nullopt;
    return FieldControl(owner, object);
}

void StoreInputText(VariableStore& variables, const Object& input_text, std::string_view text) {
    if (!input_text.text_variable.empty()) variables.SetString(input_text.text_variable, text);
    if (input_text.number_variable.empty()) return;
    const std::uint32_t filter = InputTextFields(input_text).Filter();
    if (filter == kFilterIntegers) {
        variables.SetNumber(input_text.number_variable, TextToInt(text));
    } else if (filter == kFilterReals) {
        variables.SetNumber(input_text.number_variable, TextToDouble(text));
    }
}

}  // namespace velk
