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
