// The seam between pointer and keyboard dispatch and the editing of an Input text (kind 22).
// The object's field appears with its first drawing; dispatch only routes events to it and keeps
// track of which field has the focus.
#pragma once

#include <cstdint>
#include <string>

#include "base/geometry.h"

namespace velk {

class InputField {
  public:
    virtual ~InputField() = default;

    virtual void InputPress(Point point) = 0;
    virtual void InputMove(std::int32_t x) = 0;
    virtual void InputRelease(std::int32_t x) = 0;
    virtual void InputSelectAll() = 0;
    // Loses the focus (and its selection).
    virtual void InputLeave() = 0;
    virtual void InputKey(std::uint32_t virtual_key) = 0;
    virtual void InputChar(std::uint8_t character) = 0;

    virtual bool Focused() const = 0;
    virtual void SetFocused(bool focused) = 0;
    // The text as typed so far (code-page bytes).
    virtual std::string Text() const = 0;
};

}  // namespace velk
