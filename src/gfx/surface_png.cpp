#include "gfx/surface_png.h"

#include "codec/png_codec.h"

namespace velk {

RgbImage RgbFromSurface(const Surface& surface) {
    RgbImage image{surface.Width(), surface.Height(), {}};
    image.pixels.reserve(std::size_t(surface.Width()) * std::size_t(surface.Height()) * 3);
    for (Bgrx pixel : surface.Pixels()) {
        image.pixels.push_back(RedOf(pixel));
        image.pixels.push_back(GreenOf(pixel));
        image.pixels.push_back(BlueOf(pixel));
    }
    return image;
}

std::vector<std::uint8_t> EncodeSurfacePng(const Surface& surface) {
    return EncodePng(RgbFromSurface(surface));
}

}  // namespace velk
