// The two lookup tables that bend a Panorama's picture so that it looks like the inside of a
// cylinder: for each column of the view the picture column it shows (before turning), and for
// each view pixel the picture row.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/geometry.h"

namespace velk {

// The largest view the tables are made for: the view and the row table take 8 bytes a pixel,
// and an object's rectangle is read from the project unchecked.
inline constexpr std::int32_t kMaxPanoramaViewSide = 16384;
inline constexpr std::int64_t kMaxPanoramaViewPixels = 16ll * 1024 * 1024;
// Angles from 180 degrees up pass the pole of the tangent the bend is made of, where the view
// turns into noise or comes out mirrored; wider requests get the widest angle that bends.
inline constexpr std::uint32_t kMaxPanoramaFieldOfView = 179;

struct PanoramaTables {
    Size view;
    // The picture column of each view column for a pan of 0, in 0 ... PW - 1 unless the bend
    // is wider than the picture.
    std::vector<std::int32_t> columns;
    // The picture row of view pixel (j, i) at [i * width + j], for a vertical offset of 0; may
    // lie outside the picture (grey there).
    std::vector<std::int32_t> rows;
    // How far the view may be moved up or down: the top row at the middle column. Never
    // negative: a view that shows grey there already stays where it is.
    std::int32_t vertical_limit = 0;
};

// Whether a view of `view` pixels gets tables: both sides positive and within the limits.
bool PanoramaViewFits(Size view);

// The tables for a picture of `picture` pixels shown in a view of `view` pixels with a field of
// view of `field_of_view` degrees and a horizontal bend of `bend` pixels (0: a quarter of the
// view's width). None for an empty picture or a view that does not fit.
std::optional<PanoramaTables> MakePanoramaTables(Size picture, Size view,
                                                 std::uint32_t field_of_view, std::uint32_t bend);

}  // namespace velk
