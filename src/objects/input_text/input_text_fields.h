// An Input text's stored fields by what they mean: a read-only view over the record.
#pragma once

#include <cstdint>

#include "document/object.h"

namespace velk {

class InputTextFields {
  public:
    explicit InputTextFields(const Object& input_text) : input_text_(input_text) {}

    std::uint32_t TextColour() const { return input_text_.colour1; }
    std::uint32_t BackgroundColour() const { return input_text_.colour2; }
    bool PaintsBackground() const { return input_text_.transparent2 != 0; }
    // Keeps its width; otherwise it grows with its text.
    bool FixedWidth() const { return input_text_.transparent1 != 0; }
    // What typing may enter (see input_editing.h: any text, integers or reals).
    std::uint32_t Filter() const { return input_text_.option3; }

  private:
    const Object& input_text_;
};

}  // namespace velk
