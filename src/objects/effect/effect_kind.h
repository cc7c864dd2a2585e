// Effect objects (kind 20): an animation that runs on its own window timer while it is shown.
// Their frames arrive with the drawing of effects; what is here already is their timer.
#pragma once

#include <cstdint>

#include "document/object.h"
#include "objects/kinds.h"

namespace velk {

// Every effect of the page shares one timer; `param2` is its interval.
inline constexpr std::uint32_t kEffectTimerId = 100;

inline ObjectTimer EffectTimer(const Object& effect) {
    return {kEffectTimerId, effect.param2};
}

}  // namespace velk
