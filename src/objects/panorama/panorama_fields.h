// The stored fields of a Panorama (kind 18) by what they mean: a read-only view over the record.
#pragma once

#include <cstdint>
#include <string_view>

#include "document/object.h"

namespace velk {

// The hot-spot target name that instead turns on the position overlay (the hot spot's edges and
// the pan position), an aid for authors placing a hot spot.
inline constexpr std::string_view kPanoramaOverlayName = "~~";

class PanoramaFields {
  public:
    explicit PanoramaFields(const Object& panorama) : panorama_(panorama) {}

    // The panorama picture's path, path macros not yet expanded.
    const std::string& PicturePath() const { return panorama_.text; }
    // The field of view in degrees.
    std::uint32_t FieldOfView() const { return panorama_.param1; }
    // The horizontal bend in pixels; 0 asks for a quarter of the view's width.
    std::uint32_t Bend() const { return panorama_.param2; }
    // The object whose click actions a click on the hot spot runs.
    const std::string& HotSpotTarget() const { return panorama_.hover_object; }
    bool ShowsOverlay() const { return panorama_.hover_object == kPanoramaOverlayName; }
    // The hot spot: its left edge in panorama columns and its width (0: none). Stored as the
    // old signed integers.
    std::int32_t HotSpotLeft() const { return static_cast<std::int32_t>(panorama_.option3); }
    std::int32_t HotSpotWidth() const { return static_cast<std::int32_t>(panorama_.option4); }

  private:
    const Object& panorama_;
};

}  // namespace velk
