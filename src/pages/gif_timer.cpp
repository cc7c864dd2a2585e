#include "pages/gif_timer.h"

#include "objects/animated_gif/gif_kind.h"
#include "pages/object_visibility.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

struct FoundGif {
    Page* page = nullptr;
    Object* object = nullptr;
};

// Only Animated GIFs are asked: every other record carries the field's default too.
FoundGif FindGif(PageManager& pages, std::uint32_t id) {
    Project& project = pages.GetProject();
    Page* searched[] = {&project.master_page, &project.master_layer, pages.Current()};
    for (Page* page : searched) {
        if (page == nullptr) continue;
        for (Object& object : page->objects) {
            if (object.kind == kKindAnimatedGif && object.gif_timer_id == id) {
                return {page, &object};
            }
        }
    }
    return {};
}

}  // namespace

Object* OnGifTimer(PageManager& pages, std::uint32_t id, PageOwner& owner) {
    if (id < kFirstGifTimerId || id > kLastGifTimerId) return nullptr;
    const FoundGif found = pages.Current() ? FindGif(pages, id) : FoundGif{};
    if (found.object == nullptr) {
        owner.KillTimer(id);
        return nullptr;
    }
    Object& gif = *found.object;
    const GifTick tick = StepGifFrame(gif);
    if (tick.next) {
        owner.Invalidate(gif.rect);
        owner.SetTimer(tick.next->id, tick.next->interval_ms);
        return nullptr;
    }
    owner.KillTimer(id);
    if (tick.hide) SetObjectVisible(*found.page, gif, true, false, &owner);
    owner.Invalidate(gif.rect);
    return tick.run_click_actions ? &gif : nullptr;
}

}  // namespace velk
