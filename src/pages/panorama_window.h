// The panorama of the page shown: the view of the page's first Panorama object (kind 18),
// drawn over the object's rectangle after the page, where no object painted above it covers
// it, and only while the object is shown. Where it shows, it takes the pointer from the page;
// while the view is dragged it keeps the pointer wherever it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "base/geometry.h"
#include "base/region.h"
#include "document/object.h"
#include "document/page.h"
#include "gfx/surface.h"
#include "host/host.h"
#include "objects/panorama/panorama_view.h"

namespace velk {

class FontCache;
class PageManager;

// The window timer that turns a dragged panorama. The panorama has a window of its own with
// its own timer 1; it shares the timer service under an id no timer of the main window uses.
inline constexpr std::uint32_t kPanoramaTimerId = 0x10003;

class PanoramaWindow {
  public:
    // The window of `panorama` on `page` with the picture at `path` (path macros expanded). A
    // path not ending in ".JPG" or a picture that cannot be decoded shows "Cannot open image "
    // and the file; a view too large to keep shows "Memory error. " and the file. The window is
    // made all the same, empty: it shows nothing and leaves the pointer to the page, but it
    // is the page's panorama window, so no later Panorama of the page gets one.
    static std::unique_ptr<PanoramaWindow> Open(Page& page, Object& panorama, std::string_view path,
                                                const host::FileSystem& files, host::Ui& ui);

    Page& OnPage() const { return page_; }
    const Object& Panorama() const { return panorama_; }
    bool Holds(const Object& object) const { return &object == &panorama_; }
    // The view, when the picture was loaded.
    PanoramaView* View() { return view_ ? &*view_ : nullptr; }

    // The window's rectangle: the view's size at the object's top-left corner (moving the
    // object moves the window); empty without a view.
    Rect Area() const;
    // What of the window shows in a client area of `client`: nothing while the object is
    // hidden, else its area less what the objects painted above it cover.
    Region VisibleRegion(const PageManager& pages, Size client) const;

    // Draws the view into `target` (the back buffer) within `visible`.
    void Paint(Surface& target, const Region& visible, FontCache* fonts);

    // An empty window of `panorama`; Open gives it its view.
    PanoramaWindow(Page& page, Object& panorama) : page_(page), panorama_(panorama) {}

  private:
    Page& page_;
    Object& panorama_;
    std::optional<PanoramaView> view_;
};

}  // namespace velk
