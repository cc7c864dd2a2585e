#include "pages/image_scroll_overlay.h"

#include <array>

#include "objects/pictures/image_scroll.h"
#include "pages/page_manager.h"

namespace velk {

void PaintImageScrollBars(PageManager& pages, Canvas& canvas) {
    Page* current = pages.Current();
    if (current == nullptr) return;
    Project& project = pages.GetProject();
    // The pages that were painted, bottom to top: a shared layer that is current paints alone.
    std::array<Page*, 3> painted{&project.master_page, current, &project.master_layer};
    if (pages.IsMaster(*current)) painted = {current, nullptr, nullptr};
    for (Page* page : painted) {
        if (page == nullptr) continue;
        for (Object& object : page->objects) {
            if (object.kind != kKindImage || object.hidden != 0) continue;
            if (!object.image_view.horizontal.shown && !object.image_view.vertical.shown) continue;
            SetScrollBarCovering(object, pages.CoveringArea(*page, object));
            DrawScrollBars(canvas, object);
        }
    }
}

}  // namespace velk
