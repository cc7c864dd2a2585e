#include "gfx/exact_fraction.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace velk {
namespace {

// Every weight of each divisor, every difference of two bytes: the mix in fixed point is the
// whole number the division gives (rounded down, below zero too). The divisors take in the
// smallest, those around powers of two where the shift changes, and the largest allowed.
TEST(ExactFraction, MixesLikeTheDivision) {
    const std::int64_t divisors[] = {1,    2,    3,    5,    7,     127,   128,  129,
                                     255,  256,  257,  768,  820,   1023,  1024, 1100,
                                     4095, 4097, 8191, 8192, 12289, 16383, 16384};
    for (const std::int64_t n : divisors) {
        SCOPED_TRACE(n);
        const ExactFraction fraction(n);
        for (std::int64_t w = 0; w < n; ++w) {
            const std::int32_t step = fraction.Step(w);
            for (std::int32_t d = -255; d <= 255; ++d) {
                // Floor division: the numerator shifted to be positive first.
                const std::int64_t want = (d * w + 255 * n) / n - 255;
                const std::int32_t got =
                    ExactFraction::Mix(0, d, step, fraction.Round(), fraction.Shift());
                if (got != want) FAIL() << "weight " << w << " difference " << d;
            }
        }
    }
}

}  // namespace
}  // namespace velk
