// The pictures of the page's videos, drawn by the core over the page like the windows they
// once were: each video's current frame scaled to its window (the object's rectangle, cut to
// the outline of its mask), less what the objects painted above it cover; a full-screen video
// over the whole client area.
#pragma once

#include <optional>

#include "base/geometry.h"
#include "base/region.h"
#include "document/object.h"
#include "document/page.h"
#include "gfx/surface.h"
#include "objects/picture_cache.h"
#include "objects/video/video_window.h"

namespace velk {

class PageManager;

// The outline the object's mask (`image3`) gives its window: pixels whose first byte is 127 or
// less lie outside. None without a mask (the window stays rectangular).
std::optional<Region> VideoShapeFromMask(const Object& video, PictureCache& pictures);

// The picture a video's window shows now: its current frame while it has been played and
// shows, the first frame before it plays when the object has no still picture of its own;
// null when it shows nothing.
const Surface* VideoPicture(const Object& video, const VideoWindow& window);

// Where on the client area of size `client` the window of `video` (an object of `page`)
// shows: nothing while the object is hidden, else its area cut to its outline less what the
// objects painted above it cover; the whole client area in full-screen mode.
Region VideoVisibleRegion(const PageManager& pages, const Page& page, const Object& video,
                          VideoWindow& window, Size client, PictureCache& pictures);

// `frame` scaled to `area` (nearest pixel) into `target`, within `visible`.
void PaintVideoFrame(Surface& target, const Surface& frame, const Rect& area,
                     const Region& visible);

}  // namespace velk
