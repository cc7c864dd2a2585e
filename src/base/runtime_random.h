// The runtime's pseudo-random generator: the linear congruential sequence behind every random
// number a presentation draws (values 0 ... 32767). The player owns one instance; the evaluator
// seeds it, and the page transitions and the shuffles draw from the same sequence, so a run
// with a fixed seed repeats exactly.
#pragma once

#include <cstdint>

namespace velk {

class RuntimeRandom {
  public:
    static constexpr std::int32_t kMax = 32767;

    // The runtime starts with seed 1 until it is seeded.
    explicit RuntimeRandom(std::uint32_t seed = 1) : state_(seed) {}

    void Seed(std::uint32_t seed) { state_ = seed; }

    // The next value, 0 ... kMax.
    std::int32_t Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<std::int32_t>((state_ >> 16) & 0x7FFFu);
    }

  private:
    std::uint32_t state_;
};

}  // namespace velk
