// What an object's own behaviour (its pointer, keys and timers) needs from the running
// presentation: repainting, the window's timers and what typing into a field measures. Pointer
// and keyboard dispatch reach the presentation through InputOwner, which extends this; unit
// tests use small fakes, so a kind's rules run without a window.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class ObjectOwner {
  public:
    virtual ~ObjectOwner() = default;

    // Part of the window must be painted again.
    virtual void Invalidate(const Rect& rect) = 0;
    // The window's timers, by id (setting an id again replaces it).
    virtual void SetTimer(std::uint32_t id, std::uint32_t interval_ms) = 0;
    virtual void KillTimer(std::uint32_t id) = 0;
    // What typing into an Input text measures: the window's client width, and the advance of a
    // character in a font as the field's drawing measures it.
    virtual std::int32_t ClientWidth() = 0;
    virtual std::int32_t FieldCharAdvance(const LogFont& font, char character) = 0;
};

}  // namespace velk
