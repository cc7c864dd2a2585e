// Window shapes: the outline a presentation without a title bar cuts its main window to, built
// from a shape mask or a polygon. The mask scanner also shapes video windows from their alpha
// pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "base/geometry.h"
#include "base/region.h"

namespace velk {

struct Project;

// Rectangles are handed to the region in blocks of this many, so that no single request grows
// without bound on a full-screen mask.
inline constexpr std::size_t kShapeRectBlock = 2000;

// The tolerance of the page manager's shape mask: mask values 250 to 255 lie outside.
inline constexpr std::int32_t kShapeMaskTolerance = 5;

// A window never reaches further than this from its origin, so polygon pixels beyond it can
// never show; keeping to it bounds the work an untrusted polygon can ask for.
inline constexpr Rect kShapeLimit{-32768, -32768, 32768, 32768};

// The largest outline mask a polygon may ask for; a larger one counts as not allocated.
inline constexpr std::uint64_t kMaxOutlineMaskPixels = 64ull * 1024 * 1024;

// The pixels of a `width` × `height` picture whose first byte (pixels `step` bytes apart, rows
// with no padding) lies outside key ± tolerance, one rectangle per run and row. None when the
// size is not positive or `data` does not hold every pixel that would be read.
std::optional<Region> RegionFromMask(std::span<const std::uint8_t> data, std::int32_t width,
                                     std::int32_t height, std::int32_t step, std::int32_t key,
                                     std::int32_t tolerance);

// The polygon filled even-odd, plus its outline drawn through every point (not closed back to
// the first one) so that the right and bottom edges belong too. None without points.
std::optional<Region> RegionFromPolygon(std::span<const Point> points);

// The shape the main window takes from the project: the mask when one is stored, else the
// polygon; none (the window stays rectangular) when neither gives any pixel. The caller decides
// whether the window is shaped at all (no title bar and `shaped_window`).
std::optional<Region> ShapeOfProject(const Project& project);

}  // namespace velk
