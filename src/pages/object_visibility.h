// The one way an object is shown or hidden, and the one way it is moved: every command, timer
// and pointer rule that changes visibility or position goes through these, so that groups,
// running animations and the windows an object owns follow.
#pragma once

#include <cstdint>

#include "document/object.h"
#include "document/page.h"

namespace velk {

class PageOwner;
class PictureCache;

// Shows (hide = false) or hides `object` of `page`. A group applies the operation to each of
// its members found on the same page and then marks itself; a group without members is left
// alone. Showing an object whose shrink animation runs cancels it (scale restored). With
// `save_state` the object keeps the new visibility for the next entry of its page. `host` is
// the main window (null: no timers or windows are touched, as when no window is given).
void SetObjectVisible(Page& page, Object& object, bool hide, bool save_state, PageOwner* owner);

// Moves `object` so that its top-left corner is (x, y), keeping its size; a group moves its
// members found on `page` along, recursively, without resizing them. `resized` tells the kinds
// that refit their picture (Image, Polygon, an Image without picture but with an outline) that
// the size changed: their view is fitted to the new rectangle (with `pictures`; none refits
// nothing). Scroll bars hang on the rectangle and move with it.
void PlaceObject(Page& page, Object& object, std::int32_t x, std::int32_t y, bool resized,
                 PictureCache* pictures = nullptr);

}  // namespace velk
