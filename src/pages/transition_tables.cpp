// The effects that run on progress with tables of their own: the burning edge over a height
// field (13), the scattered pixels (14, 15) and the page curl (16, 17).
#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

#include "base/saturate.h"
#include "pages/transition_frames.h"
#include "pages/transition_pixels.h"

namespace velk {
namespace {

using transition::BufferRow;
using transition::SameSize;
using transition::WithColour;

// Tables above this many entries are treated as an allocation that failed: the height grid of
// a huge window (side up to 16384, squared) would otherwise take gigabytes.
constexpr std::uint64_t kMaxTableEntries = std::uint64_t{1} << 26;

// The generator's value centred on zero: -16383 ... 16384.
std::int32_t Centred(RuntimeRandom& random) {
    return random.Next() - 16383;
}

// Effect 13: midpoint displacement on a wrapping c x c grid, c the smallest power of two that
// covers the picture. Every new point is the mean of its neighbours plus a random offset that
// shrinks with the cell size.
bool PrepareHeightField(std::int32_t w, std::int32_t h, TransitionInputs& in) {
    std::int64_t c = 1;
    while (c < std::max(w, h)) c <<= 1;
    if (static_cast<std::uint64_t>(c * c) > kMaxTableEntries) return false;
    std::vector<std::int32_t> grid(static_cast<std::size_t>(c * c), 0);
    const std::int64_t wrap = c - 1;
    auto at = [&](std::int64_t row, std::int64_t column) -> std::int32_t& {
        return grid[static_cast<std::size_t>((row & wrap) * c + (column & wrap))];
    };
    for (std::int64_t d = c; d >= 2; d /= 2) {
        const std::int64_t half = d / 2;
        const auto t = static_cast<std::int32_t>(std::floor(5 + 0.5 * static_cast<double>(d)));
        const std::int32_t u = t / 2;
        for (std::int64_t e = 0; e < c; e += d) {
            for (std::int64_t x = 0; x < c; x += d) {
                const std::int32_t g = at(e, x);
                const std::int32_t m = at(e, x + d);
                const std::int32_t hh = at(e + d, x);
                const std::int32_t o = at(e + d, x + d);
                at(e + half, x + half) = Centred(in.random) % t + (g + hh + m + o) / 4 - u;
                if (e == 0) at(e + half, x) = Centred(in.random) % t + (g + hh) / 2 - u;
                if (x == 0) at(e, x + half) = Centred(in.random) % t + (g + m) / 2 - u;
                at(e + d, x + half) = Centred(in.random) % t + (hh + o) / 2 - u;
                at(e + half, x + d) = Centred(in.random) % t + (m + o) / 2 - u;
            }
        }
    }
    TransitionTables& tables = in.tables;
    tables.heights.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    // The grid is read transposed: buffer row y, column x takes grid row x, column y.
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            tables.heights[static_cast<std::size_t>(y) * w + x] = at(x, y);
        }
    }
    const auto [low, high] = std::minmax_element(tables.heights.begin(), tables.heights.end());
    tables.min_height = *low;
    tables.max_height = *high;
    return true;
}

// Effects 14 and 15: every pixel gets a column within twice the width and a row far above the
// picture, drawn in pixel order, column first.
bool PrepareScatter(std::int32_t w, std::int32_t h, TransitionInputs& in) {
    const std::uint64_t count = std::uint64_t(w) * std::uint64_t(h);
    if (count * 2 > kMaxTableEntries) return false;
    TransitionTables& tables = in.tables;
    tables.scatter_columns.resize(count);
    tables.scatter_rows.resize(count);
    const std::int32_t half = h / 2;
    const std::int32_t base = static_cast<std::int32_t>(std::int64_t{h} * 5 / 2);
    for (std::size_t i = 0; i < count; ++i) {
        tables.scatter_columns[i] = Centred(in.random) % (2 * w);
        // A picture one row high has no range to draw the row from; it still uses up the
        // draw, so the sequence stays in step.
        const std::int32_t r = Centred(in.random);
        tables.scatter_rows[i] = (half > 0 ? r % half : 0) + base;
    }
    return true;
}

void DrawBurn(double p, const Surface& old_page, const Surface& new_page, Surface& out,
              const TransitionTables& tables) {
    const std::int64_t d =
        SaturateCast<std::int64_t>(std::floor(
            static_cast<double>(std::int64_t{tables.max_height} - tables.min_height + 30) * p)) +
        tables.min_height;
    const auto from = old_page.Pixels();
    const auto to = new_page.Pixels();
    const auto work = out.Pixels();
    const std::int32_t w = out.Width();
    const std::int32_t h = out.Height();
    for (std::int32_t y = 0; y < h; ++y) {
        // Surface index of buffer row y.
        const std::size_t row = static_cast<std::size_t>(h - 1 - y) * w;
        for (std::int32_t x = 0; x < w; ++x) {
            const std::int64_t c = tables.heights[static_cast<std::size_t>(y) * w + x];
            const std::size_t i = row + x;
            if (c < d - 30) {
                work[i] = to[i];
            } else if (c < d - 20) {
                work[i] = WithColour(work[i], MakeBgrx(128, 0, 0));
            } else if (c < d - 10) {
                work[i] = WithColour(work[i], MakeBgrx(255, 255, 0));
            } else if (c < d) {
                work[i] = WithColour(work[i], MakeBgrx(255, 96, 0));
            } else {
                work[i] = from[i];
            }
        }
    }
}

void DrawScatter(int effect, double p, const Surface& old_page, const Surface& new_page,
                 Surface& out, const TransitionTables& tables) {
    std::copy(new_page.Pixels().begin(), new_page.Pixels().end(), out.Pixels().begin());
    const std::int64_t f = SaturateCast<std::int64_t>(std::floor(p * 1024));
    const std::int64_t e = f * f;
    constexpr std::int64_t kScale = std::int64_t{1} << 20;
    const std::int32_t w = out.Width();
    const std::int32_t h = out.Height();
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const std::int64_t l = x + (tables.scatter_columns[i] - x) * e / kScale;
            const std::int64_t r = y + e * (tables.scatter_rows[i] - y) / kScale;
            if (l < 0 || l >= w || r < 0 || r >= h) continue;
            if (effect == 14) {
                BufferRow(out, static_cast<std::int32_t>(r))[l] = BufferRow(old_page, y)[x];
            } else {
                // The mirrored flight: pixel W x H - 1 - i lands mirrored in both directions.
                BufferRow(out, static_cast<std::int32_t>(h - 1 - r))[w - 1 - l] =
                    BufferRow(old_page, h - 1 - y)[w - 1 - x];
            }
        }
    }
}

Bgrx Dimmed(Bgrx pixel, double weight) {
    const auto scale = [weight](std::uint8_t v) {
        return static_cast<std::uint8_t>(static_cast<double>(v) * weight);
    };
    return MakeBgrx(scale(RedOf(pixel)), scale(GreenOf(pixel)), scale(BlueOf(pixel)));
}

// Effects 16 and 17: the diagonal x - y = P is the fold. Pixels before it show the curled
// page flat; the next 250 diagonals are bent over the quarter circle of the curl tables,
// darkening toward the top of the roll; the rest is mirrored across the fold.
void DrawCurl(int effect, const Surface& old_page, const Surface& new_page, Surface& out,
              std::int64_t p_position) {
    const Surface& start = effect == 16 ? new_page : old_page;
    const Surface& curled = effect == 16 ? old_page : new_page;
    std::copy(start.Pixels().begin(), start.Pixels().end(), out.Pixels().begin());
    const CurlTables curl = MakeCurlTables();
    const std::int32_t w = out.Width();
    const std::int32_t h = out.Height();
    auto inside = [w, h](std::int64_t row, std::int64_t column) {
        return row >= 0 && row < h && column >= 0 && column < w;
    };
    for (std::int32_t y = h - 1; y >= 0; --y) {
        const Bgrx* source = BufferRow(curled, y);
        for (std::int32_t x = 0; x < w; ++x) {
            const std::int64_t t = std::int64_t{x} - y;
            if (t <= p_position) {
                BufferRow(out, y)[x] = source[x];
            } else if (t <= p_position + kCurlSteps) {
                const std::int64_t k = t - p_position;
                if (k >= kCurlSteps) continue;
                const std::int64_t column = p_position + curl.x[k] + y;
                const std::int64_t row = std::int64_t{curl.y[k]} + y;
                if (!inside(row, column)) continue;
                Bgrx& target = BufferRow(out, static_cast<std::int32_t>(row))[column];
                target = WithColour(target, Dimmed(source[x], curl.weight[k]));
            } else {
                const std::int64_t column = p_position + 125 + y;
                const std::int64_t row = x - p_position - 125;
                if (!inside(row, column)) continue;
                BufferRow(out, static_cast<std::int32_t>(row))[column] = source[x];
            }
        }
    }
}

}  // namespace

CurlTables MakeCurlTables() {
    CurlTables tables;
    for (int k = 0; k < kCurlSteps; ++k) {
        const double a = 3 * std::numbers::pi / 2 + k * std::numbers::pi / 500;
        // Both values are meant to be non-negative; truncation keeps the rounding error of
        // cos(3 pi / 2), a tiny negative number, at 0.
        tables.x[k] = static_cast<std::int32_t>(125 * std::cos(a));
        tables.y[k] = static_cast<std::int32_t>(125 * (std::sin(a) + 1));
        tables.weight[k] = k < 125 ? std::min(1.0, 1 - k / 125.0) : std::min(1.0, k / 250.0);
    }
    return tables;
}

std::int64_t InitialCurlPosition(int effect, std::int32_t height) {
    return effect == 17 ? -2 * std::int64_t{height} : height;
}

std::int64_t CurlPositionAfter(int effect, std::int32_t height, double p) {
    const double h = height;
    return SaturateCast<std::int64_t>(effect == 17 ? 3 * h * p - 2 * h : h - 3 * h * p);
}

bool PrepareTransitionTables(int effect, std::int32_t width, std::int32_t height,
                             TransitionInputs& inputs) {
    inputs.tables = TransitionTables{};
    if (effect < kFirstProgressEffect || effect >= kLastTransitionEffect) return false;
    TransitionTables& tables = inputs.tables;
    tables.effect = effect;
    tables.width = std::max(width, 0);
    tables.height = std::max(height, 0);
    bool ok = true;
    try {
        if (effect == 13) ok = PrepareHeightField(tables.width, tables.height, inputs);
        if (effect == 14 || effect == 15) ok = PrepareScatter(tables.width, tables.height, inputs);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) {
        inputs.tables = TransitionTables{};
        inputs.tables.effect = effect;
        inputs.tables.width = std::max(width, 0);
        inputs.tables.height = std::max(height, 0);
        inputs.tables.failed = true;
        return false;
    }
    tables.curl_position = InitialCurlPosition(effect, tables.height);
    tables.ready = true;
    return true;
}

void DrawTransitionProgressFrame(int effect, double p, const Surface& old_page,
                                 const Surface& new_page, Surface& out, TransitionInputs& inputs) {
    if (effect < kFirstProgressEffect || effect >= kLastTransitionEffect) return;
    if (!SameSize(old_page, out) || !SameSize(new_page, out) || out.Empty()) return;
    TransitionTables& tables = inputs.tables;
    if (tables.effect != effect || tables.width != out.Width() || tables.height != out.Height() ||
        (!tables.ready && !tables.failed)) {
        PrepareTransitionTables(effect, out.Width(), out.Height(), inputs);
    }
    if (!tables.ready) return;
    p = std::isnan(p) ? 0.0 : std::clamp(p, 0.0, 1.0);
    switch (effect) {
        case 13:
            DrawBurn(p, old_page, new_page, out, tables);
            break;
        case 14:
        case 15:
            DrawScatter(effect, p, old_page, new_page, out, tables);
            break;
        default:
            DrawCurl(effect, old_page, new_page, out, tables.curl_position);
            tables.curl_position = CurlPositionAfter(effect, out.Height(), p);
            break;
    }
}

}  // namespace velk
