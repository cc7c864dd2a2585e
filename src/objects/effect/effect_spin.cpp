// Type 6: the picture spinning and zooming, tiled without end.
#include <cmath>
#include <numbers>
#include <vector>

#include "base/pixel_dispatch.h"
#include "objects/effect/effect_types.h"

namespace velk {
namespace {

// x / d for a fixed divisor d >= 2 by the high half of one 32-bit product, which the vector
// units have: with m = ceil(2^(32 + t) / d), x m / 2^(32 + t) exceeds x / d by less than
// x / 2^(32 + t), which stays below 1 / d while x d < 2^(32 + t): too little to reach the
// next whole quotient. t is the least shift that keeps x d < 2^(32 + t) for x < 2^21, and
// d > 2^t keeps m below 2^32.
struct Divisor {
    explicit Divisor(std::uint32_t d) : value(d) {
        while ((std::uint64_t{1} << (32 + shift)) < (std::uint64_t{1} << 21) * d) ++shift;
        multiplier =
            d < 2 ? 0
                  : static_cast<std::uint32_t>(((std::uint64_t{1} << (32 + shift)) + d - 1) / d);
    }
    std::uint32_t value;
    std::uint32_t shift = 0;
    std::uint32_t multiplier = 0;
};

inline std::uint32_t Quotient(std::uint32_t x, std::uint32_t multiplier, std::uint32_t shift) {
    return static_cast<std::uint32_t>((std::uint64_t{x} * multiplier) >> 32) >> shift;
}

// One coordinate of the picture: Wrap(c + trunc(n / d), d) for the numerator n of each pixel,
// where n starts at `start` and grows by `step` per pixel. A frame and a picture of at most
// 4096 pixels a side keep |n| below 2^21, so |c + trunc(n / d)| stays below 2^21 / d + 256;
// `lift`, the least multiple of d above that, makes the sum positive before its remainder is
// taken without changing the remainder. The sum s then keeps s d below 2^25.
struct SpinAxis {
    std::int32_t start = 0, step = 0, centre = 0, lift = 0;
};

SpinAxis Axis(std::int64_t start, std::int64_t step, std::int64_t centre, const Divisor& d) {
    const std::int64_t least = (std::int64_t{1} << 21) / d.value + 256;
    return {static_cast<std::int32_t>(start), static_cast<std::int32_t>(step),
            static_cast<std::int32_t>(centre),
            static_cast<std::int32_t>((least + d.value - 1) / d.value * d.value)};
}

// A picture one pixel across or high has only position 0, which needs no division.
inline std::int32_t Wrapped(const SpinAxis& axis, std::int32_t i, std::uint32_t multiplier,
                            std::uint32_t shift, std::uint32_t d) {
    const std::int32_t n = axis.start + axis.step * i;
    // The quotient of the presentation is truncated towards zero: that of |n|, signed.
    const auto magnitude = static_cast<std::uint32_t>(n < 0 ? -n : n);
    const auto q = static_cast<std::int32_t>(Quotient(magnitude, multiplier, shift));
    const auto sum = static_cast<std::uint32_t>(axis.centre + (n < 0 ? -q : q) + axis.lift);
    const auto wrapped = static_cast<std::int32_t>(sum - Quotient(sum, multiplier, shift) * d);
    return d < 2 ? 0 : wrapped;
}

// Where each pixel of a run takes its picture pixel, as an index from the picture's top row;
// the picture's rows are counted from the bottom.
VELK_PIXEL_LOOP void SpinSpots(std::int32_t* __restrict spots, std::size_t count,
                               const SpinAxis& across, const SpinAxis& along, const Divisor& sw,
                               const Divisor& sh) {
    const SpinAxis c = across, r = along;
    const std::uint32_t cm = sw.multiplier, rm = sh.multiplier;
    const std::uint32_t cs = sw.shift, rs = sh.shift, w = sw.value, h = sh.value;
    for (std::size_t x = 0; x < count; ++x) {
        const auto i = static_cast<std::int32_t>(x);
        const std::int32_t column = Wrapped(c, i, cm, cs, w);
        const std::int32_t row = Wrapped(r, i, rm, rs, h);
        spots[x] = (static_cast<std::int32_t>(h) - 1 - row) * static_cast<std::int32_t>(w) + column;
    }
}

// The picture pixels of a row. The spin reads its picture close to where the last row read it,
// so the pixels are mostly in cache, where the vector units' gathers fetch them faster than a
// plain loop (see effect_fetch.h for scattered reads).
VELK_PIXEL_LOOP void SpinFetch(Bgrx* __restrict out, const std::int32_t* __restrict spots,
                               std::size_t count, const Bgrx* __restrict picture) {
    for (std::size_t i = 0; i < count; ++i) out[i] = picture[spots[i]];
}

}  // namespace

void SetUpSpin(EffectEngine& engine) {
    for (int i = 0; i < 256; ++i) {
        const double angle = i * 2.0 * std::numbers::pi / 256.0;
        engine.cos_table[i] =
            static_cast<std::int32_t>(std::floor(std::cos(angle) * 127.0 + 128.0));
        engine.sin_table[i] =
            static_cast<std::int32_t>(std::floor(std::sin(angle) * 127.0 + 128.0));
    }
    engine.p1 = 0;
}

void StepSpin(EffectEngine& engine) {
    const auto& c = engine.cos_table;
    const auto& s = engine.sin_table;
    const std::int32_t p = engine.p1;
    const std::int32_t q = s[p];
    const std::int64_t a = c[p] + c[q], b = s[q];
    const std::int64_t cu = 2 * c[p] - 256, cv = 2 * s[p] - 256;
    const Divisor sw(static_cast<std::uint32_t>(engine.source.Width()));
    const Divisor sh(static_cast<std::uint32_t>(engine.source.Height()));
    const std::int32_t w = engine.width, h = engine.height;
    std::vector<std::int32_t> spots(static_cast<std::size_t>(w));
    for (std::int32_t y = 0; y < h; ++y) {
        const std::int64_t dy = y - h / 2, dx = -(w / 2);
        // Column (cu + (a dx - b dy) / sw) and row (cv + (a dy + b dx) / sh), both wrapped.
        const SpinAxis across = Axis(a * dx - b * dy, a, cu, sw);
        const SpinAxis along = Axis(a * dy + b * dx, b, cv, sh);
        SpinSpots(spots.data(), spots.size(), across, along, sw, sh);
        SpinFetch(BufferRow(engine.frame, y), spots.data(), spots.size(), engine.source.Row(0));
    }
    engine.p1 = (p + 1) & 0xFF;
}

}  // namespace velk
