// Per-pixel blends of whole rows, written for the vectoriser.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/surface.h"

namespace velk {

// The cross-fade of two rows of pixels, shared by the pixel store's Blend and the transition
// frames: each byte becomes (a x (255 - t) + b x t) >> 8. Even t = 0 and t = 255 lose a little
// brightness (255 becomes 254), as the old store's blend did.
// `t` is 0 ... 255. The fourth byte of each pixel blends like the others: 0 in every surface,
// it stays 0.
void BlendPixels(const Bgrx* a, const Bgrx* b, Bgrx* out, std::size_t count, std::uint32_t t);

// Smooth text: output pixel x averages the 2 x 2 block at column 2x of the rows `upper` and
// `lower` of a double-size drawing in black on white, a sample counting as the page's pixel
// `page[x]` where it is paper (blue, green and red all at least 251) and as `ink` elsewhere.
// With n samples of ink each channel is ((4 - n) x page + n x ink) / 4.
void BlendInkQuads(const Bgrx* upper, const Bgrx* lower, const Bgrx* page, Bgrx* out,
                   std::size_t count, Bgrx ink);

}  // namespace velk
