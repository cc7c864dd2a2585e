#include "pages/panorama_window.h"

#include <algorithm>
#include <string>

#include "base/saturate.h"
#include "document/load_context.h"
#include "gfx/image_library.h"
#include "objects/panorama/panorama_fields.h"
#include "pages/page_manager.h"

namespace velk {

std::unique_ptr<PanoramaWindow> PanoramaWindow::Open(Page& page, Object& panorama,
                                                     std::string_view path,
                                                     const host::FileSystem& files, host::Ui& ui) {
    auto window = std::make_unique<PanoramaWindow>(page, panorama);
    const Rect& rect = panorama.rect;
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    // A window without area has nothing to show; nothing is read for it.
    if (width <= 0 || height <= 0) return window;
    const Size view{SaturateToInt32(width), SaturateToInt32(height)};
    if (!PanoramaViewFits(view)) {
        // Checked before the picture is decoded: its memory would be wasted.
        ui.MessageNamingFile(kApplicationName, "Memory error. ", files.ShownPath(path), {});
        return window;
    }
    auto picture = LoadPictureFile(PictureFileCaller::kPanorama, files, ui, path);
    if (!picture) return window;
    window->view_ = PanoramaView::Make(std::move(*picture), view, panorama);
    return window;
}

Rect PanoramaWindow::Area() const {
    if (!view_) return {};
    const Size size = view_->ViewSize();
    const Rect& rect = panorama_.rect;
    return {rect.left, rect.top, SaturateToInt32(std::int64_t{rect.left} + size.width),
            SaturateToInt32(std::int64_t{rect.top} + size.height)};
}

Region PanoramaWindow::VisibleRegion(const PageManager& pages, Size client) const {
    if (!view_ || panorama_.hidden != 0) return {};
    const Region area = Region(Area()).Intersect(Rect{0, 0, client.width, client.height});
    return area.Subtract(pages.CoveringArea(page_, panorama_));
}

void PanoramaWindow::Paint(Surface& target, const Region& visible, FontCache* fonts) {
    if (!view_ || visible.IsEmpty()) return;
    const Surface& store = view_->Render(fonts);
    const Rect area = Area();
    const Rect surface{0, 0, target.Width(), target.Height()};
    for (const Rect& part : visible) {
        const Rect r = part.Intersect(surface).Intersect(area);
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            const Bgrx* from = store.Row(y - area.top) + (r.left - area.left);
            std::copy(from, from + (r.right - r.left), target.Row(y) + r.left);
        }
    }
}

}  // namespace velk
