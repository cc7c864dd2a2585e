// Turning a picture by any angle with bilinear sampling, as the image view of Image objects
// shows a turned picture: a new picture and an alpha mask whose edges fade out over one pixel.
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "base/rgb_image.h"

namespace velk {

struct TurnedPicture {
    RgbImage picture;
    // Opacity in every byte of a pixel (the red byte is the one read): 255 inside the turned
    // picture, 0 outside, a one-pixel soft edge between.
    RgbImage mask;
};

// The sine and cosine of the turn.
struct Turn {
    double sin = 0.0, cos = 1.0;
};

// Target pixel (i, j) of a width x height result shows the source point
//   xs = source_pivot.x + (i - target_pivot.x) cos + (j - target_pivot.y) sin
//   ys = source_pivot.y - (i - target_pivot.x) sin + (j - target_pivot.y) cos,
// mixed from its four neighbours by their bilinear weights; neighbours outside the source are
// dropped and the rest weighted up to a whole, and the mask takes the share that fell inside
// (times `source_mask`'s red byte when one is given; it must have the source's size). A point
// wholly outside gives colour 0 and mask 0.
//
// Inside the source, where all four neighbours exist, the walk runs in fixed point: each byte
// may differ by one from the same sum taken in doubles (tests hold it to that). Nullopt for an
// invalid source or mask, a size of 0 or less, a result above the picture size cap, or memory
// that cannot be had.
std::optional<TurnedPicture> RotateRGB(const RgbImage& source, const RgbImage* source_mask,
                                       std::int32_t width, std::int32_t height, Point target_pivot,
                                       Point source_pivot, Turn turn);
// The same, made in the memory of `stores` where it holds enough (a picture turned again at
// much the same size needs no new memory). On success `stores` is left empty; on failure it is
// untouched.
std::optional<TurnedPicture> RotateRGB(const RgbImage& source, const RgbImage* source_mask,
                                       std::int32_t width, std::int32_t height, Point target_pivot,
                                       Point source_pivot, Turn turn, TurnedPicture& stores);

}  // namespace velk
