// The cross-fade of two rows of pixels, shared by the pixel store's Blend and the transition
// frames: each byte becomes (a x (255 - t) + b x t) >> 8. Even t = 0 and t = 255 lose a little
// brightness (255 becomes 254), as the old store's blend did.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/surface.h"

namespace velk {

// `t` is 0 ... 255. The fourth byte of each pixel blends like the others: 0 in every surface,
// it stays 0.
void BlendPixels(const Bgrx* a, const Bgrx* b, Bgrx* out, std::size_t count, std::uint32_t t);

}  // namespace velk
