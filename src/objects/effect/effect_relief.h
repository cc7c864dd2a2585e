// Type 4's projection, shared by its step (modes 3 ... 5, into the frame through a heat grid)
// and its drawing (modes 0 ... 2, straight onto the page).
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "gfx/canvas.h"
#include "objects/effect/effect_engine.h"

namespace velk {

// Whether type 4 in this mode draws itself onto the page instead of showing a frame.
inline bool ReliefDrawsItself(const EffectEngine& engine) {
    return engine.type == static_cast<std::int32_t>(EffectType::kRelief) && engine.mode >= 0 &&
           engine.mode <= 2;
}

// Modes 0 ... 2: sets every projected point of the relief inside `drawn` on the canvas.
void DrawRelief(const EffectEngine& engine, Canvas& canvas, const Rect& drawn);

}  // namespace velk
