#include "render/pixel_blend.h"

namespace velk {

// A plain loop over the bytes with 16-bit intermediates: the form the compiler turns into vector
// code (this file is built with vectorisation on), which a full frame needs to keep up with the
// copies around it. Pixels may be read as bytes; the rows never overlap.
void BlendPixels(const Bgrx* a, const Bgrx* b, Bgrx* out, std::size_t count, std::uint32_t t) {
    const auto weight = static_cast<std::uint16_t>(t > 255 ? 255 : t);
    const auto rest = static_cast<std::uint16_t>(255 - weight);
    const auto* __restrict from = reinterpret_cast<const std::uint8_t*>(a);
    const auto* __restrict to = reinterpret_cast<const std::uint8_t*>(b);
    auto* __restrict result = reinterpret_cast<std::uint8_t*>(out);
    const std::size_t bytes = count * sizeof(Bgrx);
    for (std::size_t i = 0; i < bytes; ++i) {
        result[i] = static_cast<std::uint8_t>((from[i] * rest + to[i] * weight) >> 8);
    }
}

}  // namespace velk
