// The view of a Panorama (kind 18): its picture bent through the lookup tables, turned by
// dragging with the pointer (faster the farther the pointer is held from where it was pressed),
// and an optional hot spot, a band of the panorama that runs another object's click actions.
// It knows nothing of pages or windows: the page side places it, clips it and feeds it the
// pointer and its timer, in coordinates relative to the view's top-left corner.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "base/rgb_image.h"
#include "document/object.h"
#include "gfx/surface.h"
#include "objects/panorama/panorama_tables.h"

namespace velk {

class FontCache;

// While the pointer is held, the view turns every tick by how far the pointer is from where it
// was pressed.
inline constexpr std::uint32_t kPanoramaTurnIntervalMs = 50;

// The player's cursor resources the view shows: at the press point, by the drag's direction,
// and over the hot spot. 0 is the arrow.
inline constexpr std::int32_t kPanoramaArrowCursor = 0;
inline constexpr std::int32_t kPanoramaHeldCursor = 18004;
inline constexpr std::int32_t kPanoramaUpCursor = 18020;
inline constexpr std::int32_t kPanoramaDownCursor = 18021;
inline constexpr std::int32_t kPanoramaLeftCursor = 18022;
inline constexpr std::int32_t kPanoramaRightCursor = 18023;
inline constexpr std::int32_t kPanoramaHotSpotCursor = 18024;

// What a press did: it hit the hot spot (the target's click actions run, nothing is dragged) or
// started a drag.
enum class PanoramaPress { kHotSpot, kDrag };

class PanoramaView {
  public:
    // The view of `panorama` at `view` size over `picture`; none when the picture is empty or
    // the view does not fit (PanoramaViewFits).
    static std::optional<PanoramaView> Make(RgbImage picture, Size view, const Object& panorama);

    Size ViewSize() const { return tables_.view; }
    Size PictureSize() const { return {picture_.width, picture_.height}; }
    std::int32_t Pan() const { return pan_; }
    std::int32_t VerticalOffset() const { return vertical_offset_; }
    const PanoramaTables& Tables() const { return tables_; }

    // The view store with the current pan and vertical offset, and the position overlay when
    // the object asks for it (its text in `fonts`' system font; none without fonts).
    const Surface& Render(FontCache* fonts);

    // The hot spot's left edge in view columns for the current pan.
    std::int64_t HotSpotEdge() const;
    bool OnHotSpot(Point point) const;
    bool HasHotSpot() const { return hot_spot_width_ != 0; }

    // The button went down at `point`.
    PanoramaPress Press(Point point);
    // The pointer moved to `point`; the cursor to show.
    std::int32_t Move(Point point);
    // The button went up: the drag ends.
    void Release() { dragging_ = false; }
    bool Dragging() const { return dragging_; }
    // One turning tick: the pan and vertical offset move by the drag's distance. True when the
    // view changed.
    bool Turn();

    // The cursor for a drag whose pointer is (dx, dy) from the press point (dy upwards).
    static std::int32_t DragCursor(std::int32_t dx, std::int32_t dy);

  private:
    PanoramaView(RgbImage picture, PanoramaTables tables, const Object& panorama);
    void DrawOverlay(FontCache* fonts);

    RgbImage picture_;
    PanoramaTables tables_;
    Surface store_;
    std::int32_t hot_spot_left_ = 0;
    std::int32_t hot_spot_width_ = 0;
    bool overlay_ = false;
    std::int32_t pan_ = 0;
    std::int32_t vertical_offset_ = 0;
    Point press_;
    std::int32_t dx_ = 0;
    std::int32_t dy_ = 0;
    bool dragging_ = false;
};

}  // namespace velk
