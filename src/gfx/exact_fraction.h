// Whole-number mixing without a division per pixel. Bilinear scaling mixes two bytes a and b as
// a + floor((b - a) w / n) for a weight w of 0 ... n - 1 out of n; the divisor is the same for a
// whole picture, so each weight becomes a fixed-point step once and the mix a multiplication
// and a shift that gives the same whole number for every difference of two bytes.
#pragma once

#include <cstdint>

namespace velk {

// Why it is exact: (b - a) w / n has a fraction that is a whole number of 1/n, so it lies at
// least 1/n below the next whole number. The step is w / n rounded to 2^-shift, off by at most
// 255 x 2^-(shift + 1) over a difference of up to 255, and `round` adds between 1/(2n) and
// 1/(2n) + 2^-shift; with 2^shift >= 512 n the sum stays within [0, 1/n), so the floor does
// not move. The products stay within 32 bits for n up to kMaxDivisor.
class ExactFraction {
  public:
    static constexpr std::int64_t kMaxDivisor = 16384;

    // n in 1 ... kMaxDivisor.
    explicit constexpr ExactFraction(std::int64_t n) : n_(n) {
        while ((std::int64_t{1} << shift_) < 512 * n) ++shift_;
        round_ = static_cast<std::int32_t>(((std::int64_t{1} << (shift_ - 1)) + n - 1) / n);
    }

    // The step of weight w (0 ... n - 1): w / n in fixed point, rounded to nearest.
    constexpr std::int32_t Step(std::int64_t w) const {
        return static_cast<std::int32_t>(((w << (shift_ + 1)) + n_) / (2 * n_));
    }

    // a + floor((b - a) w / n), with `step` = Step(w).
    static constexpr std::int32_t Mix(std::int32_t a, std::int32_t b, std::int32_t step,
                                      std::int32_t round, int shift) {
        return a + (((b - a) * step + round) >> shift);
    }

    std::int32_t Round() const { return round_; }
    int Shift() const { return shift_; }

  private:
    std::int64_t n_;
    int shift_ = 1;
    std::int32_t round_ = 0;
};

}  // namespace velk
