#include "gfx/pixel_blend.h"

#include "base/pixel_dispatch.h"

namespace velk {

// A plain loop over the bytes with 16-bit intermediates: the form the compiler turns into vector
// code (this file is built with vectorisation on), which a full frame needs to keep up with the
// copies around it. Pixels may be read as bytes; the rows never overlap.
VELK_PIXEL_LOOP void BlendPixels(const Bgrx* a, const Bgrx* b, Bgrx* out, std::size_t count,
                                 std::uint32_t t) {
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

namespace {

// The smallest sub-pixel value of B, G and R that still counts as paper: anything darker was
// touched by the text.
constexpr std::uint32_t kPaperLevel = 251;

// 1 for a sample of ink, 0 for paper; without branches, so that the loop below vectorises.
std::uint32_t IsInk(Bgrx p) {
    return std::uint32_t{(p & 0xFF) < kPaperLevel} |
           std::uint32_t{((p >> 8) & 0xFF) < kPaperLevel} |
           std::uint32_t{((p >> 16) & 0xFF) < kPaperLevel};
}

}  // namespace

VELK_PIXEL_LOOP void BlendInkQuads(const Bgrx* upper, const Bgrx* lower, const Bgrx* page,
                                   Bgrx* out, std::size_t count, Bgrx ink) {
    const std::uint32_t ink_b = ink & 0xFF, ink_g = (ink >> 8) & 0xFF, ink_r = (ink >> 16) & 0xFF;
    for (std::size_t x = 0; x < count; ++x) {
        const std::uint32_t inked = IsInk(upper[2 * x]) + IsInk(upper[2 * x + 1]) +
                                    IsInk(lower[2 * x]) + IsInk(lower[2 * x + 1]);
        const std::uint32_t paper = 4 - inked;
        const Bgrx p = page[x];
        const std::uint32_t b = (paper * (p & 0xFF) + inked * ink_b) >> 2;
        const std::uint32_t g = (paper * ((p >> 8) & 0xFF) + inked * ink_g) >> 2;
        const std::uint32_t r = (paper * ((p >> 16) & 0xFF) + inked * ink_r) >> 2;
        out[x] = (r << 16) | (g << 8) | b;
    }
}

}  // namespace velk
