// Bilinear scaling of an RGB picture, as the image view scales before it turns. Each target
// row mixes two source rows, each first mixed across; a source row mixed across serves every
// target row that needs it (when enlarging, several in a row), and both mixes are a
// multiplication and a shift (gfx/exact_fraction.h) in loops compiled per vector level.
#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "base/pixel_dispatch.h"
#include "codec/limits.h"
#include "gfx/exact_fraction.h"
#include "gfx/image_library.h"

namespace velk {
namespace {

// One axis: target index t maps to the source position t * source / target, split into the
// pixel before it, the pixel after it (the last pixel again past the end) and the distance
// from the first in 1/target units.
struct Sample {
    std::int64_t before, after, weight;
};

Sample SampleAt(std::int64_t t, std::int64_t source, std::int64_t target) {
    const std::int64_t position = t * source;
    const std::int64_t before = position / target;
    return {before, std::min(before + 1, source - 1), position % target};
}

// Where each target column reads its two source bytes (offsets of the red byte) and its step.
struct Columns {
    std::vector<std::int32_t> before, after, step;
};

Columns ColumnsOf(std::int64_t source, std::int64_t target, const ExactFraction& fraction) {
    Columns columns;
    columns.before.resize(std::size_t(target));
    columns.after.resize(std::size_t(target));
    columns.step.resize(std::size_t(target));
    for (std::int64_t t = 0; t < target; ++t) {
        const Sample s = SampleAt(t, source, target);
        columns.before[std::size_t(t)] = static_cast<std::int32_t>(s.before * 3);
        columns.after[std::size_t(t)] = static_cast<std::int32_t>(s.after * 3);
        columns.step[std::size_t(t)] = fraction.Step(s.weight);
    }
    return columns;
}

// Target columns are mixed in pieces of this many: first the source bytes each reads, then
// the mix, a vector of columns at a time.
constexpr std::size_t kPiece = 64;

VELK_PIXEL_LOOP
void MixAcross(const std::uint8_t* __restrict row, const std::int32_t* __restrict before,
               const std::int32_t* __restrict after, const std::int32_t* __restrict step,
               std::size_t count, std::int32_t round, int shift, std::uint8_t* __restrict out) {
    std::int32_t a[3][kPiece], b[3][kPiece];
    for (std::size_t done = 0; done < count; done += kPiece) {
        const std::size_t n = std::min(kPiece, count - done);
        for (std::size_t t = 0; t < n; ++t) {
            for (int c = 0; c < 3; ++c) {
                a[c][t] = row[before[done + t] + c];
                b[c][t] = row[after[done + t] + c];
            }
        }
        std::uint8_t* piece = out + 3 * done;
        const std::int32_t* steps = step + done;
        for (std::size_t t = 0; t < n; ++t) {
            for (int c = 0; c < 3; ++c) {
                piece[3 * t + c] = static_cast<std::uint8_t>(
                    ExactFraction::Mix(a[c][t], b[c][t], steps[t], round, shift));
            }
        }
    }
}

VELK_PIXEL_LOOP
void MixDown(const std::uint8_t* __restrict upper, const std::uint8_t* __restrict lower,
             std::size_t count, std::int32_t step, std::int32_t round, int shift,
             std::uint8_t* __restrict out) {
    for (std::size_t i = 0; i < count; ++i) {
        out[i] =
            static_cast<std::uint8_t>(ExactFraction::Mix(upper[i], lower[i], step, round, shift));
    }
}

// Source rows mixed across, the last two kept: a target row needs at most these.
class AcrossRows {
  public:
    AcrossRows(const RgbImage& source, std::int32_t width)
        : source_(source),
          fraction_(width),
          columns_(ColumnsOf(source.width, width, fraction_)),
          width_(width),
          same_width_(source.width == width) {
        if (!same_width_) {
            for (auto& row : rows_) row.resize(std::size_t(width) * 3);
        }
    }

    // Source row y mixed across; the row asked for just before stays held.
    const std::uint8_t* Row(std::int64_t y) {
        const std::uint8_t* in =
            source_.pixels.data() + std::size_t(y) * std::size_t(source_.width) * 3;
        if (same_width_) return in;
        for (std::size_t k = 0; k < 2; ++k) {
            if (held_[k] != y) continue;
            last_ = k;
            return rows_[k].data();
        }
        // Replace the row not used last.
        const std::size_t k = last_ == 0 ? 1 : 0;
        MixAcross(in, columns_.before.data(), columns_.after.data(), columns_.step.data(),
                  std::size_t(width_), fraction_.Round(), fraction_.Shift(), rows_[k].data());
        held_[k] = y;
        last_ = k;
        return rows_[k].data();
    }

  private:
    const RgbImage& source_;
    ExactFraction fraction_;
    Columns columns_;
    std::int32_t width_;
    bool same_width_;
    std::array<std::vector<std::uint8_t>, 2> rows_;
    std::array<std::int64_t, 2> held_{-1, -1};
    std::size_t last_ = 1;
};

void ResizeByFraction(const RgbImage& source, RgbImage& out) {
    AcrossRows across(source, out.width);
    const ExactFraction fraction(out.height);
    const std::size_t row_bytes = std::size_t(out.width) * 3;
    for (std::int64_t ty = 0; ty < out.height; ++ty) {
        const Sample s = SampleAt(ty, source.height, out.height);
        std::uint8_t* target = out.pixels.data() + std::size_t(ty) * row_bytes;
        const std::uint8_t* upper = across.Row(s.before);
        if (s.weight == 0) {
            std::memcpy(target, upper, row_bytes);
            continue;
        }
        const std::uint8_t* lower = across.Row(s.after);
        MixDown(upper, lower, row_bytes, fraction.Step(s.weight), fraction.Round(),
                fraction.Shift(), target);
    }
}

// Sizes beyond the fixed-point steps' reach divide each mix.
void ResizeByDivision(const RgbImage& source, RgbImage& out) {
    const std::int64_t sw = source.width, sh = source.height;
    const std::int64_t width = out.width, height = out.height;
    auto mix = [](std::int64_t a, std::int64_t b, std::int64_t weight, std::int64_t scale) {
        return (a * (scale - weight) + b * weight) / scale;
    };
    const std::uint8_t* in = source.pixels.data();
    std::uint8_t* target = out.pixels.data();
    for (std::int64_t ty = 0; ty < height; ++ty) {
        const Sample row = SampleAt(ty, sh, height);
        const std::uint8_t* upper = in + row.before * sw * 3;
        const std::uint8_t* lower = in + row.after * sw * 3;
        for (std::int64_t tx = 0; tx < width; ++tx) {
            const Sample column = SampleAt(tx, sw, width);
            for (int c = 0; c < 3; ++c) {
                const std::int64_t top = mix(upper[column.before * 3 + c],
                                             upper[column.after * 3 + c], column.weight, width);
                const std::int64_t bottom = mix(lower[column.before * 3 + c],
                                                lower[column.after * 3 + c], column.weight, width);
                *target++ = static_cast<std::uint8_t>(mix(top, bottom, row.weight, height));
            }
        }
    }
}

}  // namespace

std::optional<RgbImage> ResizeRGB(const RgbImage& source, std::int32_t width, std::int32_t height) {
    if (!IsValidRgb(source) || width <= 0 || height <= 0) return std::nullopt;
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * 3;
    if (bytes > kMaxPictureBytes) return std::nullopt;
    RgbImage out;
    try {
        out.pixels.resize(bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    out.width = width;
    out.height = height;
    if (width <= ExactFraction::kMaxDivisor && height <= ExactFraction::kMaxDivisor) {
        ResizeByFraction(source, out);
    } else {
        ResizeByDivision(source, out);
    }
    return out;
}

}  // namespace velk
