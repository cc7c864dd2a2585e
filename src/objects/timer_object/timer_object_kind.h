// Timer objects (kind 28): a window timer of the project's own, running while the object is
// shown.
#pragma once

#include "document/object.h"
#include "objects/kinds.h"

namespace velk {

// The timer's id is `param4`, its interval `param2`.
inline ObjectTimer TimerObjectTimer(const Object& timer) {
    return {timer.param4, timer.param2};
}

}  // namespace velk
