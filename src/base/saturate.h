// Double to integer conversions that saturate instead of invoking undefined behaviour.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace velk {

template <typename Int>
constexpr Int SaturateCast(double v) {
    if (std::isnan(v)) return 0;
    if (v <= static_cast<double>(std::numeric_limits<Int>::min())) {
        return std::numeric_limits<Int>::min();
    }
    if (v >= static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(v);
}

}  // namespace velk

namespace velk {

// A 64-bit integer clamped into 32 bits.
constexpr std::int32_t SaturateToInt32(std::int64_t v) {
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

}  // namespace velk
