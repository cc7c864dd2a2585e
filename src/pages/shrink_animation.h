// The shrink-and-hide animation: an object's scale falls by five sevenths every 100 ms until it
// is below 0.1; then the object is hidden and its scale restored. Timer 1 steps the objects of
// ordinary pages, 5 those of the master page, 6 those of the master layer.
#pragma once

#include <cstdint>

#include "document/object.h"
#include "document/page.h"

namespace velk {

class PageOwner;
class PageManager;

inline constexpr std::uint32_t kShrinkTimerPage = 1;
inline constexpr std::uint32_t kShrinkTimerMasterPage = 5;
inline constexpr std::uint32_t kShrinkTimerMasterLayer = 6;
inline constexpr std::uint32_t kShrinkIntervalMs = 100;

// The timer that steps the animations of `page`.
std::uint32_t ShrinkTimerOf(const PageManager& pages, const Page& page);

// Starts the animation of `object` from `start_value` (a group starts each member found on the
// page from the member's own scale).
void StartShrink(PageManager& pages, Page& page, Object& object, double start_value,
                 PageOwner& owner);

// One tick of timer `timer_id`, offered to a page: a page whose count of running animations is
// 0 kills its own timer; then every animated object of the page takes one step.
// Each page steps only on its own timer, so animations on two layers keep their own pace.
void StepShrink(PageManager& pages, Page& page, std::uint32_t timer_id, PageOwner& owner);

// Timer 1, 5 or 6 fired: offered to the master layer, the current page and the master page (each
// page once).
void OnShrinkTimer(PageManager& pages, std::uint32_t timer_id, PageOwner& owner);

}  // namespace velk
