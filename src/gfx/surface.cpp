#include "gfx/surface.h"

#include <algorithm>
#include <new>

namespace velk {

Surface::Surface(std::int32_t width, std::int32_t height, Bgrx fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    if (std::int64_t{width_} * height_ > kMaxPixels) throw std::bad_alloc();
    pixels_.assign(std::size_t(width_) * std::size_t(height_), fill);
}

void Surface::Fill(Bgrx v) {
    std::fill(pixels_.begin(), pixels_.end(), v);
}

}  // namespace velk
