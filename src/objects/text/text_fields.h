// A Text object's stored fields by what they mean: a read-only view over the record.
#pragma once

#include <cstdint>

#include "document/object.h"

namespace velk {

class TextFields {
  public:
    explicit TextFields(const Object& text) : text_(text) {}

    // 0 left, 1 centred, 2 right.
    std::uint32_t Alignment() const { return text_.param1; }
    // Keeps its rectangle's width instead of taking its lines' width.
    bool FixedWidth() const { return text_.param4 == 1; }
    // Anti-aliased through an off-screen store, drawn at twice the size.
    bool Smooth() const { return text_.option1 != 0; }
    // The ink of each pointer state (COLORREF).
    std::uint32_t NormalColour() const { return text_.colour1; }
    std::uint32_t OverColour() const { return text_.colour2; }
    std::uint32_t PressedColour() const { return text_.colour3; }

  private:
    const Object& text_;
};

}  // namespace velk
