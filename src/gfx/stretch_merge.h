// How a stretch from a Surface turns the group of source pixels that a destination pixel covers
// into that one pixel, by the device context's stretch mode. Blits and the pixel store share it.
#pragma once

#include <cstdint>

#include "gfx/canvas_constants.h"
#include "gfx/stretch_spans.h"
#include "gfx/surface.h"

namespace velk {

// The parts of the merge in which the two users have always differed.
struct MergeRule {
    StretchMode mode = StretchMode::kBlackOnWhite;
    // The bits of a source pixel that take part: blits leave out the unused fourth byte, the
    // pixel store keeps it.
    Bgrx mask = 0xFFFFFF;
};

// The destination pixel for source columns `cols` and rows `rows` (neither empty, both inside
// `source`). Halftone averages the channels with sums of type Sum, whose width decides where a
// huge group wraps: it stays part of each user's pixels.
template <typename Sum>
Bgrx MergeSources(const Surface& source, SourceSpan cols, SourceSpan rows, MergeRule rule) {
    auto at = [&](std::int64_t x, std::int64_t y) {
        return source.At(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)) & rule.mask;
    };
    switch (rule.mode) {
        case StretchMode::kColorOnColor:
            // One pixel of the group: its first row, but its last column.
            return at(cols.last, rows.first);
        case StretchMode::kHalftone: {
            Sum r = 0, g = 0, b = 0, count = 0;
            for (std::int64_t y = rows.first; y <= rows.last; ++y) {
                for (std::int64_t x = cols.first; x <= cols.last; ++x) {
                    const Bgrx p = at(x, y);
                    r += RedOf(p);
                    g += GreenOf(p);
                    b += BlueOf(p);
                    ++count;
                }
            }
            return MakeBgrx(static_cast<std::uint8_t>(r / count),
                            static_cast<std::uint8_t>(g / count),
                            static_cast<std::uint8_t>(b / count));
        }
        case StretchMode::kWhiteOnBlack: {
            Bgrx value = 0;
            for (std::int64_t y = rows.first; y <= rows.last; ++y) {
                for (std::int64_t x = cols.first; x <= cols.last; ++x) value |= at(x, y);
            }
            return value;
        }
        case StretchMode::kBlackOnWhite:
            break;
    }
    Bgrx value = rule.mask;
    for (std::int64_t y = rows.first; y <= rows.last; ++y) {
        for (std::int64_t x = cols.first; x <= cols.last; ++x) value &= at(x, y);
    }
    return value;
}

}  // namespace velk
