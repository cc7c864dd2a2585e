// The frame tick of Animated GIF objects: each one plays on the window timer named by its
// `gif_timer_id` (10 to 99).
#pragma once

#include <cstdint>

#include "document/object.h"

namespace velk {

class PageManager;
class PageOwner;

// Timer `id` fired: the Animated GIF with that timer (looked for on the master page, the master
// layer, then the current page) moves to its next frame; without one the timer is killed.
// Returns the object whose click actions must run now (a non-looping animation that asks for
// them has ended), else null.
Object* OnGifTimer(PageManager& pages, std::uint32_t id, PageOwner& owner);

}  // namespace velk
