// Integer division that rounds toward negative infinity, where C++'s own rounds toward zero:
// pixel positions and times before the origin must not move by one.
#pragma once

#include <cstdint>

namespace velk {

// floor(a / b), b != 0.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace velk
