#include "gfx/pixel_rows.h"

#include "base/pixel_dispatch.h"

namespace velk {
namespace {

// x / 255 for x up to 255 x 255 + 127, in 16-bit steps the vector units have.
inline std::uint32_t DivideBy255(std::uint32_t x) {
    return (x + 1 + (x >> 8)) >> 8;
}

}  // namespace

VELK_PIXEL_LOOP void FillPixels(Bgrx* row, std::size_t count, Bgrx colour) {
    const Bgrx value = colour & 0xFFFFFF;
    for (std::size_t i = 0; i < count; ++i) row[i] = value;
}

VELK_PIXEL_LOOP void XorPixels(Bgrx* row, std::size_t count, Bgrx colour) {
    for (std::size_t i = 0; i < count; ++i) row[i] = (row[i] ^ colour) & 0xFFFFFF;
}

VELK_PIXEL_LOOP void InvertPixels(Bgrx* row, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) row[i] = ~row[i] & 0xFFFFFF;
}

VELK_PIXEL_LOOP void RgbToPixels(const std::uint8_t* __restrict rgb, Bgrx* __restrict out,
                                 std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = MakeBgrx(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
}

VELK_PIXEL_LOOP void KeyedRgbToPixels(const std::uint8_t* __restrict rgb, Bgrx* __restrict out,
                                      std::size_t count, Bgrx key) {
    // A select rather than a skip, so that the loop has no branch to keep it scalar.
    for (std::size_t i = 0; i < count; ++i) {
        const Bgrx pixel = MakeBgrx(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
        out[i] = pixel == key ? out[i] : pixel;
    }
}

VELK_PIXEL_LOOP void CoverPixels(const std::uint8_t* __restrict coverage, Bgrx* __restrict row,
                                 std::size_t count, Bgrx colour) {
    const std::uint32_t cr = RedOf(colour), cg = GreenOf(colour), cb = BlueOf(colour);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t a = coverage[i], rest = 255 - a;
        const Bgrx d = row[i];
        const std::uint32_t r = DivideBy255(cr * a + RedOf(d) * rest + 127);
        const std::uint32_t g = DivideBy255(cg * a + GreenOf(d) * rest + 127);
        const std::uint32_t b = DivideBy255(cb * a + BlueOf(d) * rest + 127);
        // No coverage leaves the pixel as it was, fourth byte included.
        row[i] = a == 0 ? d : (r << 16) | (g << 8) | b;
    }
}

}  // namespace velk
