// The turned picture of the image view. Most target pixels lie well inside the source: those
// runs are walked in fixed point with no bounds checks (the hot loop, compiled per vector
// level); the pixels near the picture's edges and outside it take the exact rule in doubles.
#include "gfx/image_rotate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

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

// Four bytes read as one word wherever they lie.
std::uint32_t Word(const std::uint8_t* at) {
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// One channel, the byte `shift` bits up in each word of the four neighbours, mixed by their
// bilinear weights.
std::uint8_t Bilinear(std::uint32_t upper_left, std::uint32_t upper_right, std::uint32_t lower_left,
                      std::uint32_t lower_right, int shift, std::uint32_t u, std::uint32_t v) {
    const std::uint32_t top =
        ((upper_left >> shift) & 0xFF) * (kWeightOne - u) + ((upper_right >> shift) & 0xFF) * u;
    const std::uint32_t bottom =
        ((lower_left >> shift) & 0xFF) * (kWeightOne - u) + ((lower_right >> shift) & 0xFF) * u;
    return static_cast<std::uint8_t>((top * (kWeightOne - v) + bottom * v + kHalf) >>
                                     (2 * kWeightBits));
}

// Pixels of a run are placed in pieces of this many: first where each reads, then the mix.
constexpr std::int32_t kPiece = 64;

// A run of target pixels whose four neighbours all lie inside the source: the position steps
// by (dx, dy) in fixed point from (x, y). Each pixel reads two words of each source row: the
// left pixel with the first byte of the right one, and the left pixel's last byte with the
// right pixel, so that no read passes the right pixel.
VELK_PIXEL_LOOP
void InteriorRun(const std::uint8_t* __restrict source, std::size_t stride, std::int64_t x,
                 std::int64_t y, std::int64_t dx, std::int64_t dy, std::int32_t count,
                 std::uint8_t* __restrict out) {
    std::size_t at[kPiece];
    std::uint32_t us[kPiece], vs[kPiece], ul[kPiece], ur[kPiece], ll[kPiece], lr[kPiece];
    for (std::int32_t done = 0; done < count; done += kPiece) {
        const std::int32_t n = std::min(kPiece, count - done);
        for (std::int32_t k = 0; k < n; ++k) {
            const std::int64_t px = x + (done + k) * dx, py = y + (done + k) * dy;
            at[k] =
                std::size_t(py >> kPositionBits) * stride + std::size_t(px >> kPositionBits) * 3;
            us[k] = static_cast<std::uint32_t>(px >> (kPositionBits - kWeightBits)) & kWeightMask;
            vs[k] = static_cast<std::uint32_t>(py >> (kPositionBits - kWeightBits)) & kWeightMask;
        }
        // The reads, one at a time; the mix and the stores, a vector of pixels at a time.
        for (std::int32_t k = 0; k < n; ++k) {
            const std::uint8_t* upper = source + at[k];
            ul[k] = Word(upper);
            ur[k] = Word(upper + 2) >> 8;
            ll[k] = Word(upper + stride);
            lr[k] = Word(upper + stride + 2) >> 8;
        }
        std::uint8_t* piece = out + std::size_t(done) * 3;
        for (std::int32_t k = 0; k < n; ++k) {
            piece[3 * k] = Bilinear(ul[k], ur[k], ll[k], lr[k], 0, us[k], vs[k]);
            piece[3 * k + 1] = Bilinear(ul[k], ur[k], ll[k], lr[k], 8, us[k], vs[k]);
            piece[3 * k + 2] = Bilinear(ul[k], ur[k], ll[k], lr[k], 16, us[k], vs[k]);
        }
    }
}

// The mask's opacity over the same run, from the red bytes of the source mask.
VELK_PIXEL_LOOP
void InteriorMaskRun(const std::uint8_t* __restrict mask, std::size_t stride, std::int64_t x,
                     std::int64_t y, std::int64_t dx, std::int64_t dy, std::int32_t count,
                     std::uint8_t* __restrict out) {
    for (std::int32_t k = 0; k < count; ++k) {
        const std::int64_t px = x + k * dx, py = y + k * dy;
        const std::uint8_t* upper =
            mask + std::size_t(py >> kPositionBits) * stride + std::size_t(px >> kPositionBits) * 3;
        const auto u =
            static_cast<std::uint32_t>(px >> (kPositionBits - kWeightBits)) & kWeightMask;
        const auto v =
            static_cast<std::uint32_t>(py >> (kPositionBits - kWeightBits)) & kWeightMask;
        const std::uint32_t top = upper[0] * (kWeightOne - u) + upper[3] * u;
        const std::uint32_t bottom = upper[stride] * (kWeightOne - u) + upper[stride + 3] * u;
        const auto opacity = static_cast<std::uint8_t>(
            (top * (kWeightOne - v) + bottom * v + kHalf) >> (2 * kWeightBits));
        out[3 * k] = out[3 * k + 1] = out[3 * k + 2] = opacity;
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

// A store of `bytes`: the spare's memory when it holds enough (moved out of it), else new
// memory. Either way every byte is written after, so nothing needs clearing first.
std::vector<std::uint8_t> StoreOf(std::vector<std::uint8_t>& spare,
                                  std::vector<std::uint8_t>& fresh, std::size_t bytes) {
    if (spare.capacity() < bytes) return std::move(fresh);
    std::vector<std::uint8_t> store = std::move(spare);
    store.resize(bytes);
    return store;
}

// The places of one target row, with the exact rule's position of each pixel.
struct Row {
    const RgbImage& source;
    const RgbImage* mask;
    double psx, psy, ptx, pty, s, c;
    std::int32_t j;

    // Not wholly outside the source: the pixel takes the rule in doubles. The position moves
    // monotonically along a row (each step of the sum rounds monotonically), so these pixels
    // are one run, around the inside run.
    bool Touches(std::int64_t i) const {
        const double xs = psx + (double(i) - ptx) * c + (j - pty) * s;
        const double ys = psy - (double(i) - ptx) * s + (j - pty) * c;
        const double fx = std::floor(xs), fy = std::floor(ys);
        return fx >= -1.0 && fx < source.width && fy >= -1.0 && fy < source.height;
    }
    void Edge(std::int64_t i, std::uint8_t* out, std::uint8_t* out_mask) const {
        const double xs = psx + (double(i) - ptx) * c + (j - pty) * s;
        const double ys = psy - (double(i) - ptx) * s + (j - pty) * c;
        EdgePixel(source, mask, xs, ys, out + i * 3, out_mask + i * 3);
    }
};

void Clear(std::uint8_t* out, std::uint8_t* out_mask, std::int64_t from, std::int64_t to) {
    if (to <= from) return;
    std::memset(out + from * 3, 0, std::size_t(to - from) * 3);
    std::memset(out_mask + from * 3, 0, std::size_t(to - from) * 3);
}

// The inside run of one target row: the row's walk starts at (x, y), pixels first ... last.
struct Run {
    std::int64_t x, y, first, last;
};

// The inside runs are mixed a tile at a time: the source pixels a tile reads stay in the
// nearest cache, where a whole row's walk across the turned picture would not.
constexpr std::int32_t kTileRows = 16;
constexpr std::int64_t kTileColumns = 128;

void TurnInside(const RgbImage& source, const RgbImage* mask, const std::vector<Run>& runs,
                std::int64_t dx, std::int64_t dy, TurnedPicture& turned) {
    const std::size_t stride = std::size_t(source.width) * 3;
    const std::size_t row_bytes = std::size_t(turned.picture.width) * 3;
    const auto height = static_cast<std::int32_t>(runs.size());
    for (std::int32_t top = 0; top < height; top += kTileRows) {
        const std::int32_t bottom = std::min(height, top + kTileRows);
        std::int64_t left = INT64_MAX, right = INT64_MIN;
        for (std::int32_t j = top; j < bottom; ++j) {
            const Run& run = runs[std::size_t(j)];
            if (run.first > run.last) continue;
            left = std::min(left, run.first);
            right = std::max(right, run.last);
        }
        for (std::int64_t tile = left; tile <= right; tile += kTileColumns) {
            for (std::int32_t j = top; j < bottom; ++j) {
                const Run& run = runs[std::size_t(j)];
                const std::int64_t first = std::max(run.first, tile);
                const std::int64_t last = std::min(run.last, tile + kTileColumns - 1);
                if (first > last) continue;
                const auto count = static_cast<std::int32_t>(last - first + 1);
                const std::int64_t x = run.x + first * dx, y = run.y + first * dy;
                const std::size_t at = std::size_t(j) * row_bytes + std::size_t(first) * 3;
                InteriorRun(source.pixels.data(), stride, x, y, dx, dy, count,
                            turned.picture.pixels.data() + at);
                if (mask) {
                    InteriorMaskRun(mask->pixels.data(), stride, x, y, dx, dy, count,
                                    turned.mask.pixels.data() + at);
                }
            }
        }
    }
}

}  // namespace

std::optional<TurnedPicture> RotateRGB(const RgbImage& source, const RgbImage* source_mask,
                                       std::int32_t width, std::int32_t height, Point target_pivot,
                                       Point source_pivot, Turn turn) {
    TurnedPicture stores;
    return RotateRGB(source, source_mask, width, height, target_pivot, source_pivot, turn, stores);
}

std::optional<TurnedPicture> RotateRGB(const RgbImage& source, const RgbImage* source_mask,
                                       std::int32_t width, std::int32_t height, Point target_pivot,
                                       Point source_pivot, Turn turn, TurnedPicture& stores) {
    if (!IsValidRgb(source) || width <= 0 || height <= 0) return std::nullopt;
    if (source_mask && (!IsValidRgb(*source_mask) || source_mask->width != source.width ||
                        source_mask->height != source.height)) {
        return std::nullopt;
    }
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * 3;
    if (bytes > kMaxPictureBytes) return std::nullopt;
    // New memory first, so that a failure leaves the stores as they were.
    std::vector<std::uint8_t> fresh_picture, fresh_mask;
    try {
        if (stores.picture.pixels.capacity() < bytes) fresh_picture.resize(bytes);
        if (stores.mask.pixels.capacity() < bytes) fresh_mask.resize(bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    TurnedPicture turned;
    turned.picture.pixels = StoreOf(stores.picture.pixels, fresh_picture, bytes);
    turned.mask.pixels = StoreOf(stores.mask.pixels, fresh_mask, bytes);
    stores = {};
    turned.picture.width = turned.mask.width = width;
    turned.picture.height = turned.mask.height = height;

    const double s = turn.sin, c = turn.cos;
    const double ptx = target_pivot.x, pty = target_pivot.y;
    const double psx = source_pivot.x, psy = source_pivot.y;
    const auto dx = SaturateCast<std::int64_t>(std::nearbyint(c * kPositionScale));
    const auto dy = SaturateCast<std::int64_t>(std::nearbyint(-s * kPositionScale));
    std::vector<Run> runs(std::size_t(height), Run{0, 0, 1, 0});
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
        const Row row{source, source_mask, psx, psy, ptx, pty, s, c, j};
        if (first > last) {
            // No inside run to start from: every pixel by the rule.
            for (std::int64_t i = 0; i < width; ++i) row.Edge(i, out, out_mask);
            continue;
        }
        runs[std::size_t(j)] = {walk.x, walk.y, first, last};
        if (!source_mask) {
            std::memset(out_mask + first * 3, 255, std::size_t(last - first + 1) * 3);
        }
        // Out from the run, the edge pixels, then nothing but what lies wholly outside.
        std::int64_t left = first - 1;
        for (; left >= 0 && row.Touches(left); --left) row.Edge(left, out, out_mask);
        Clear(out, out_mask, 0, left + 1);
        std::int64_t right = last + 1;
        for (; right < width && row.Touches(right); ++right) row.Edge(right, out, out_mask);
        Clear(out, out_mask, right, width);
    }
    TurnInside(source, source_mask, runs, dx, dy, turned);
    return turned;
}

}  // namespace velk
