// The turned picture of the image view. Most target pixels lie well inside the source: those
// runs are walked in fixed point with no bounds checks (the hot loop, compiled per vector
// level); the pixels near the picture's edges and outside it take the exact rule in doubles.
#include "gfx/image_rotate.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "base/pixel_dispatch.h"
#include "base/saturate.h"
#include "codec/limits.h"
#include "gfx/image_library.h"

namespace velk {
namespace {

// Source positions carry 24 fraction bits; the bilinear weights use the top 12 of them, so
// that a byte times two weights stays within 32 bits (255 x 4096 x 4096 < 2^32).
constexpr int kPositionBits = 24;
constexpr int kWeightBits = 12;
constexpr std::uint32_t kWeightOne = 1u << kWeightBits;
constexpr std::uint32_t kWeightMask = kWeightOne - 1;
constexpr std::uint32_t kHalf = 1u << (2 * kWeightBits - 1);
constexpr double kPositionScale = double(std::int64_t{1} << kPositionBits);

std::uint8_t ClampByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::trunc(value), 0.0, 255.0));
}

// The exact rule for one pixel whose neighbours may lie outside the source.
void EdgePixel(const RgbImage& source, const RgbImage* mask, double xs, double ys,
               std::uint8_t* out, std::uint8_t* out_mask) {
    const double fx = std::floor(xs);
    const double fy = std::floor(ys);
    std::fill(out, out + 3, 0);
    std::fill(out_mask, out_mask + 3, 0);
    // Wholly outside (a NaN position too): colour 0, mask 0.
    if (!(fx >= -1.0 && fx < source.width && fy >= -1.0 && fy < source.height)) return;
    const auto x0 = static_cast<std::int32_t>(fx);
    const auto y0 = static_cast<std::int32_t>(fy);
    const double u = xs - fx;
    const double v = ys - fy;
    double weight[4] = {(1 - u) * (1 - v), u * (1 - v), (1 - u) * v, u * v};
    const std::int32_t nx[4] = {x0, x0 + 1, x0, x0 + 1};
    const std::int32_t ny[4] = {y0, y0, y0 + 1, y0 + 1};
    bool inside[4];
    double total = 0.0;
    for (int k = 0; k < 4; ++k) {
        inside[k] = nx[k] >= 0 && nx[k] < source.width && ny[k] >= 0 && ny[k] < source.height;
        if (inside[k]) total += weight[k];
    }
    if (total != 0.0) {
        for (double& w : weight) w /= total;
    }
    double sum[3] = {0.0, 0.0, 0.0};
    double opacity = 0.0;
    for (int k = 0; k < 4; ++k) {
        if (!inside[k]) continue;
        const std::size_t at =
            (std::size_t(ny[k]) * std::size_t(source.width) + std::size_t(nx[k])) * 3;
        for (int c = 0; c < 3; ++c) sum[c] += weight[k] * source.pixels[at + c];
        opacity += weight[k] * (mask ? mask->pixels[at] : 255);
    }
    for (int c = 0; c < 3; ++c) out[c] = ClampByte(sum[c] + 0.5);
    std::fill(out_mask, out_mask + 3, ClampByte(total * opacity + 0.5));
}

std::uint8_t Bilinear(const std::uint8_t* upper, const std::uint8_t* lower, std::uint32_t u,
                      std::uint32_t v) {
    const std::uint32_t top = upper[0] * (kWeightOne - u) + upper[3] * u;
    const std::uint32_t bottom = lower[0] * (kWeightOne - u) + lower[3] * u;
    return static_cast<std::uint8_t>((top * (kWeightOne - v) + bottom * v + kHalf) >>
                                     (2 * kWeightBits));
}

// A run of target pixels whose four neighbours all lie inside the source: the position steps
// by (dx, dy) in fixed point from (x, y).
VELK_PIXEL_LOOP
void InteriorRun(const std::uint8_t* source, std::size_t stride, const std::uint8_t* mask,
                 std::int64_t x, std::int64_t y, std::int64_t dx, std::int64_t dy,
                 std::int32_t count, std::uint8_t* out, std::uint8_t* out_mask) {
    for (std::int32_t k = 0; k < count; ++k, x += dx, y += dy, out += 3, out_mask += 3) {
        const std::size_t at =
            std::size_t(y >> kPositionBits) * stride + std::size_t(x >> kPositionBits) * 3;
        const auto u = static_cast<std::uint32_t>(x >> (kPositionBits - kWeightBits)) & kWeightMask;
        const auto v = static_cast<std::uint32_t>(y >> (kPositionBits - kWeightBits)) & kWeightMask;
        const std::uint8_t* upper = source + at;
        const std::uint8_t* lower = upper + stride;
        out[0] = Bilinear(upper, lower, u, v);
        out[1] = Bilinear(upper + 1, lower + 1, u, v);
        out[2] = Bilinear(upper + 2, lower + 2, u, v);
        const std::uint8_t opacity = mask ? Bilinear(mask + at, mask + at + stride, u, v) : 255;
        out_mask[0] = out_mask[1] = out_mask[2] = opacity;
    }
}

// The steps k of a walk from `start` by `step` whose position lies where it and the next pixel
// exist: 0 <= position < (size - 1) in fixed point. An estimate; the caller checks its ends.
struct Span {
    std::int64_t first, last;
};

Span InteriorEstimate(std::int64_t start, std::int64_t step, std::int32_t size) {
    if (size < 2) return {1, 0};
    const double high = double(size - 1) * kPositionScale - 1.0;
    if (step == 0) {
        return start >= 0 && double(start) <= high ? Span{INT32_MIN, INT32_MAX} : Span{1, 0};
    }
    double a = (0.0 - double(start)) / double(step);
    double b = (high - double(start)) / double(step);
    if (step < 0) std::swap(a, b);
    return {SaturateCast<std::int32_t>(std::ceil(a)) - std::int64_t{1},
            SaturateCast<std::int32_t>(std::floor(b)) + std::int64_t{1}};
}

struct RowWalk {
    std::int64_t x, y, dx, dy;
    std::int32_t width, height;
    bool Inside(std::int64_t k) const {
        const std::int64_t px = x + k * dx;
        const std::int64_t py = y + k * dy;
        return px >= 0 && (px >> kPositionBits) < width - 1 && py >= 0 &&
               (py >> kPositionBits) < height - 1;
    }
};

}  // namespace

std::optional<TurnedPicture> RotateRGB(const RgbImage& source, const RgbImage* source_mask,
                                       std::int32_t width, std::int32_t height, Point target_pivot,
                                       Point source_pivot, Turn turn) {
    if (!IsValidRgb(source) || width <= 0 || height <= 0) return std::nullopt;
    if (source_mask && (!IsValidRgb(*source_mask) || source_mask->width != source.width ||
                        source_mask->height != source.height)) {
        return std::nullopt;
    }
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * 3;
    if (bytes > kMaxPictureBytes) return std::nullopt;
    TurnedPicture turned;
    try {
        turned.picture.pixels.assign(bytes, 0);
        turned.mask.pixels.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    turned.picture.width = turned.mask.width = width;
    turned.picture.height = turned.mask.height = height;

    const double s = turn.sin, c = turn.cos;
    const double ptx = target_pivot.x, pty = target_pivot.y;
    const double psx = source_pivot.x, psy = source_pivot.y;
    const std::size_t stride = std::size_t(source.width) * 3;
    const std::uint8_t* mask_bytes = source_mask ? source_mask->pixels.data() : nullptr;
    const auto dx = SaturateCast<std::int64_t>(std::nearbyint(c * kPositionScale));
    const auto dy = SaturateCast<std::int64_t>(std::nearbyint(-s * kPositionScale));
    for (std::int32_t j = 0; j < height; ++j) {
        const double row_x = psx - ptx * c + (j - pty) * s;
        const double row_y = psy + ptx * s + (j - pty) * c;
        const RowWalk walk{SaturateCast<std::int64_t>(std::nearbyint(row_x * kPositionScale)),
                           SaturateCast<std::int64_t>(std::nearbyint(row_y * kPositionScale)),
                           dx,
                           dy,
                           source.width,
                           source.height};
        const Span sx = InteriorEstimate(walk.x, dx, source.width);
        const Span sy = InteriorEstimate(walk.y, dy, source.height);
        std::int64_t first = std::max<std::int64_t>({sx.first, sy.first, 0});
        std::int64_t last = std::min<std::int64_t>({sx.last, sy.last, width - 1});
        // The inside of a straight walk is one run: trimming its ends makes it exact.
        while (first <= last && !walk.Inside(first)) ++first;
        while (last >= first && !walk.Inside(last)) --last;

        std::uint8_t* out = turned.picture.pixels.data() + std::size_t(j) * std::size_t(width) * 3;
        std::uint8_t* out_mask = turned.mask.pixels.data() + (out - turned.picture.pixels.data());
        for (std::int64_t i = 0; i < width; ++i) {
            if (i == first && first <= last) {
                InteriorRun(source.pixels.data(), stride, mask_bytes, walk.x + first * dx,
                            walk.y + first * dy, dx, dy,
                            static_cast<std::int32_t>(last - first + 1), out + i * 3,
                            out_mask + i * 3);
                i = last;
                continue;
            }
            const double xs = psx + (double(i) - ptx) * c + (j - pty) * s;
            const double ys = psy - (double(i) - ptx) * s + (j - pty) * c;
            EdgePixel(source, source_mask, xs, ys, out + i * 3, out_mask + i * 3);
        }
    }
    return turned;
}

}  // namespace velk
