// Effect objects (kind 20): a generated picture that the page's effect timer moves on while the
// object is shown (effect_engine.h holds the picture, effect_runtime.h its life on a page).
#pragma once

#include <cstdint>

#include "document/object.h"
#include "objects/kinds.h"

namespace velk {

struct DrawContext;

// Shows the engine's latest frame in the object's rectangle.
void DrawEffect(Object& object, DrawContext& ctx);

// Every effect of the page shares one timer; `param2` is its interval.
inline constexpr std::uint32_t kEffectTimerId = 100;

inline ObjectTimer EffectTimer(const Object& effect) {
    return {kEffectTimerId, effect.param2};
}

}  // namespace velk
