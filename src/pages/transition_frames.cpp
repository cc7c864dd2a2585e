// Frame count, timing helpers and the effects that run on k of N: the mask wipe (1), wipes and
// slides (2 to 9), blinds (10, 11) and the cross-fade (12).
#include "pages/transition_frames.h"

#include <algorithm>
#include <limits>

#include "base/saturate.h"
#include "gfx/pixel_blend.h"
#include "pages/transition_pixels.h"

namespace velk {
namespace {

using transition::BufferRow;
using transition::SameSize;

// Every effect that works on k of N starts from the old page: the window's work bitmap holds
// it when the transition starts, and the region that the new page covers only grows, so frame
// k is the old page with that region taken from the new one.
void CopyPage(const Surface& src, Surface& out) {
    std::copy(src.Pixels().begin(), src.Pixels().end(), out.Pixels().begin());
}

// Effect 1: each pixel shows the new page where its mask byte passes the threshold. Without a
// usable mask the old page stays until the last frame, which shows the new page.
void DrawMaskWipe(int k, int n, const Surface& old_page, const Surface& new_page, Surface& out,
                  const TransitionInputs& in) {
    const std::int32_t w = out.Width();
    const std::int32_t h = out.Height();
    const std::uint64_t mask_cells = std::uint64_t{in.mask_width} * in.mask_height;
    if (in.mask_width == 0 || in.mask_height == 0 || in.mask.size() < mask_cells) {
        CopyPage(k == 0 ? new_page : old_page, out);
        return;
    }
    const std::int32_t threshold = SaturateCast<std::int32_t>(255.0 / n * k);
    // A stretched mask pixel covers W / mask width + 1 pixels of a row (the row is walked in
    // bytes, four per pixel); its rows spread evenly over the bitmap's rows.
    const std::uint64_t stretch_width = static_cast<std::uint64_t>(w) / in.mask_width + 1;
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint64_t mask_row = in.mask_stretch
                                           ? std::uint64_t(y) * in.mask_height / std::uint64_t(h)
                                           : std::uint64_t(y) % in.mask_height;
        const std::uint8_t* mask = in.mask.data() + mask_row * in.mask_width;
        const Bgrx* from = BufferRow(old_page, y);
        const Bgrx* to = BufferRow(new_page, y);
        Bgrx* row = BufferRow(out, y);
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint64_t column = in.mask_stretch ? std::uint64_t(x) / stretch_width
                                                         : std::uint64_t(x) % in.mask_width;
            const std::int32_t m = mask[column];
            const bool shows_new = in.mask_invert ? m < 255 - threshold : m > threshold;
            row[x] = shows_new ? to[x] : from[x];
        }
    }
}

// Copies `count` whole rows of the new page, from top-down row `from_row`, to top-down row
// `to_row` of the frame.
void CopyRows(const Surface& new_page, std::int32_t from_row, Surface& out, std::int32_t to_row,
              std::int32_t count) {
    for (std::int32_t r = 0; r < count; ++r) {
        const Bgrx* src = new_page.Row(from_row + r);
        std::copy(src, src + out.Width(), out.Row(to_row + r));
    }
}

// Copies `count` pixels of every row of the new page, from column `from_column`, to column
// `to_column` of the frame.
void CopyColumns(const Surface& new_page, std::int32_t from_column, Surface& out,
                 std::int32_t to_column, std::int32_t count) {
    for (std::int32_t y = 0; y < out.Height(); ++y) {
        const Bgrx* src = new_page.Row(y) + from_column;
        std::copy(src, src + count, out.Row(y) + to_column);
    }
}

// Effects 2 to 9: g = H / N rows or s = W / N pixels per step; the vertical ones run two steps
// ahead, the horizontal ones one.
void DrawWipeOrSlide(int effect, int k, int n, const Surface& new_page, Surface& out) {
    const std::int32_t w = out.Width();
    const std::int32_t h = out.Height();
    const std::int64_t g = h / n;
    const std::int64_t s = w / n;
    const auto rows = static_cast<std::int32_t>(std::min<std::int64_t>(g * (n - k + 2), h));
    const auto columns = static_cast<std::int32_t>(std::min<std::int64_t>(s * (n - k + 1), w));
    switch (effect) {
        case 2:
            CopyRows(new_page, 0, out, 0, rows);
            break;
        case 3:
            CopyRows(new_page, h - rows, out, h - rows, rows);
            break;
        case 4:
            CopyColumns(new_page, 0, out, 0, columns);
            break;
        case 5:
            CopyColumns(new_page, w - columns, out, w - columns, columns);
            break;
        case 6:
            CopyRows(new_page, h - rows, out, 0, rows);
            break;
        case 7:
            CopyRows(new_page, 0, out, h - rows, rows);
            break;
        case 8:
            CopyColumns(new_page, w - columns, out, 0, columns);
            break;
        case 9:
            CopyColumns(new_page, 0, out, w - columns, columns);
            break;
        default:
            break;
    }
}

// Effects 10 and 11: bands of N buffer rows from the bottom; the new page fills N - k rows of
// each band from its first row (10) or up to its last row (11).
void DrawBlinds(int effect, int k, int n, const Surface& new_page, Surface& out) {
    for (std::int32_t y = 0; y < out.Height(); ++y) {
        const std::int64_t in_band = y % n;
        const bool shows_new = effect == 10 ? in_band < n - k : in_band >= k;
        if (!shows_new) continue;
        const Bgrx* src = BufferRow(new_page, y);
        std::copy(src, src + out.Width(), BufferRow(out, y));
    }
}

// Effect 12: the pixel store's cross-fade of old and new page with
// t = min(255, 255 / N x (N - k)) truncated.
void DrawCrossFade(int k, int n, const Surface& old_page, const Surface& new_page, Surface& out) {
    const auto t = static_cast<std::uint32_t>(
        SaturateCast<std::int32_t>(std::min(255.0, 255.0 / n * (n - k))));
    const auto work = out.Pixels();
    const std::size_t count =
        std::min({old_page.Pixels().size(), new_page.Pixels().size(), work.size()});
    BlendPixels(old_page.Pixels().data(), new_page.Pixels().data(), work.data(), count, t);
}

}  // namespace

int TransitionFrameCount(int effect, std::int32_t duration_ms) {
    if (effect < 1 || effect > kLastTransitionEffect) return 0;
    if (duration_ms < 0) {
        return static_cast<int>(
            std::min<std::int64_t>(-std::int64_t{duration_ms}, std::numeric_limits<int>::max()));
    }
    const std::int32_t d = std::max(duration_ms, 1);
    if (d < 200) return 4;
    if (d < 300) return 8;
    if (d < 500) return 12;
    if (d < 600) return 16;
    if (d < 1000) return 18;
    if (d < 1200) return 20;
    if (d < 1400) return 26;
    return 30;
}

int TransitionInterval(std::int32_t duration_ms) {
    const int n = TransitionFrameCount(1, duration_ms);
    const std::int32_t d = std::max(duration_ms, 1);
    return std::max(d / n, 1);
}

double TransitionProgressStep(std::int32_t duration_ms) {
    return 10.0 / std::max(duration_ms, 100);
}

void DrawTransitionFrame(int effect, int k, int n, const Surface& old_page, const Surface& new_page,
                         Surface& out, TransitionInputs& inputs) {
    if (effect < 1 || effect >= kLastTransitionEffect) return;
    if (!SameSize(old_page, out) || !SameSize(new_page, out) || out.Empty()) return;
    n = std::max(n, 1);
    k = std::clamp(k, 0, n);
    if (effect >= kFirstProgressEffect) {
        const double p = static_cast<double>(n - k) / n;
        TransitionTables& tables = inputs.tables;
        if (tables.effect != effect || tables.width != out.Width() ||
            tables.height != out.Height() || (!tables.ready && !tables.failed)) {
            PrepareTransitionTables(effect, out.Width(), out.Height(), inputs);
        }
        if (effect >= 16 && tables.ready) {
            tables.curl_position = k == n ? InitialCurlPosition(effect, out.Height())
                                          : CurlPositionAfter(effect, out.Height(),
                                                              static_cast<double>(n - k - 1) / n);
        }
        DrawTransitionProgressFrame(effect, p, old_page, new_page, out, inputs);
        return;
    }
    if (effect == 1) {
        DrawMaskWipe(k, n, old_page, new_page, out, inputs);
        return;
    }
    if (effect == 12) {
        DrawCrossFade(k, n, old_page, new_page, out);
        return;
    }
    CopyPage(old_page, out);
    if (effect <= 9) {
        DrawWipeOrSlide(effect, k, n, new_page, out);
    } else {
        DrawBlinds(effect, k, n, new_page, out);
    }
}

}  // namespace velk
