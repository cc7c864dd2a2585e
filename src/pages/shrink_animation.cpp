#include "pages/shrink_animation.h"

#include <unordered_set>

#include "objects/kinds.h"
#include "pages/object_visibility.h"
#include "pages/page_lookup.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

constexpr double kShrinkFactor = 5.0 / 7.0;
constexpr double kShrinkEnd = 0.1;

// True when an object (not just a group) was started.
bool StartOne(Page& page, Object& object, double start_value,
              std::unordered_set<const Object*>& groups_seen) {
    if (TraitsOf(object.kind).holds_members) {
        // Groups may name each other or themselves: each is opened once.
        if (!groups_seen.insert(&object).second) return false;
        bool started = false;
        for (const std::string& member_name : object.lines) {
            Object* member = FindObjectByName(page, member_name, true);
            if (member != nullptr) started |= StartOne(page, *member, member->scale, groups_seen);
        }
        return started;
    }
    if (object.anim_running) {
        // Started again while shrinking: the scale to restore is still the one saved first, and
        // the object is counted once.
        object.anim_value = start_value;
        return true;
    }
    object.anim_saved_scale = object.scale;
    object.anim_value = start_value;
    object.anim_running = true;
    ++page.running_animations;
    return true;
}

void StepObject(Page& page, Object& object, PageOwner& owner) {
    if (object.anim_value > kShrinkEnd) {
        object.anim_value *= kShrinkFactor;
        object.scale = object.anim_value;
        owner.Invalidate(object.rect);
        return;
    }
    object.scale = object.anim_saved_scale;
    object.anim_running = false;
    object.hidden = 1;
    owner.Invalidate(object.rect);
    if (page.running_animations > 0) --page.running_animations;
    SetObjectVisible(page, object, true, false, &owner);
}

}  // namespace

std::uint32_t ShrinkTimerOf(const PageManager& pages, const Page& page) {
    const Project& project = pages.GetProject();
    if (&page == &project.master_page) return kShrinkTimerMasterPage;
    if (&page == &project.master_layer) return kShrinkTimerMasterLayer;
    return kShrinkTimerPage;
}

void StartShrink(PageManager& pages, Page& page, Object& object, double start_value,
                 PageOwner& owner) {
    std::unordered_set<const Object*> groups_seen;
    if (StartOne(page, object, start_value, groups_seen)) {
        owner.SetTimer(ShrinkTimerOf(pages, page), kShrinkIntervalMs);
    }
}

void StepShrink(PageManager& pages, Page& page, std::uint32_t timer_id, PageOwner& owner) {
    const std::uint32_t own_timer = ShrinkTimerOf(pages, page);
    if (timer_id != own_timer) return;
    if (page.running_animations == 0) owner.KillTimer(own_timer);
    // Indexing: hiding an object never changes the page's list.
    for (std::size_t i = 0; i < page.objects.size(); ++i) {
        Object& object = page.objects[i];
        if (object.anim_running) StepObject(page, object, owner);
    }
}

void OnShrinkTimer(PageManager& pages, std::uint32_t timer_id, PageOwner& owner) {
    Project& project = pages.GetProject();
    Page* offered[] = {&project.master_layer, pages.Current(), &project.master_page};
    for (std::size_t i = 0; i < 3; ++i) {
        Page* page = offered[i];
        if (page == nullptr || (i == 1 && pages.IsMaster(*page))) continue;
        StepShrink(pages, *page, timer_id, owner);
    }
}

}  // namespace velk
