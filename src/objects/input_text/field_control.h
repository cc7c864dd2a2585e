// An Input text's field as pointer and keyboard dispatch drive it: the editing rules of
// input_editing.h applied to the object's field, the field repainted when a rule says so, and
// the text handed to the object's variables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "document/object.h"
#include "objects/input_text/input_editing.h"

namespace velk {

class ObjectOwner;
class VariableStore;

class FieldControl {
  public:
    // `input_text` has its field (see FieldOf).
    FieldControl(ObjectOwner& owner, Object& input_text);

    void InputPress(Point point);
    void InputMove(std::int32_t x);
    void InputRelease(std::int32_t x);
    void InputSelectAll();
    void InputLeave();
    void InputKey(std::uint32_t virtual_key);
    void InputChar(std::uint8_t character);

    bool Focused() const { return field_.focused; }
    void SetFocused(bool focused) { field_.focused = focused; }
    // The text as typed so far (code-page bytes).
    const std::string& Text() const { return field_.text; }

  private:
    void Repaint(bool needed);
    FieldMetrics Metrics();

    ObjectOwner& owner_;
    Object& object_;
    InputField& field_;
};

// The field of an Input text that has been drawn; none for other objects and before.
std::optional<FieldControl> FieldOf(ObjectOwner& owner, Object& object);

// The text of an Input text goes to its string variable (`text_variable`) and, by its number
// type (`option3`: 1 integer, 2 real), read as a number into its numeric variable
// (`number_variable`).
void StoreInputText(VariableStore& variables, const Object& input_text, std::string_view text);

}  // namespace velk
