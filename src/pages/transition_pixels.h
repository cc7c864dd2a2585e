// Pixel access in the order the transition formulas use: buffer row 0 is the bottom row of the
// picture, as in the device-independent layout of the pixel store.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

namespace velk::transition {

inline Bgrx* BufferRow(Surface& s, std::int32_t y) {
    return s.Row(s.Height() - 1 - y);
}
inline const Bgrx* BufferRow(const Surface& s, std::int32_t y) {
    return s.Row(s.Height() - 1 - y);
}

inline bool SameSize(const Surface& a, const Surface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// Replaces B, G and R of `target` and keeps its fourth byte, which the effects leave alone.
inline Bgrx WithColour(Bgrx target, Bgrx colour) {
    return (target & 0xFF000000u) | (colour & 0x00FFFFFFu);
}

}  // namespace velk::transition
