// Type 4: the picture as a relief turning in space; each grid point rises by its brightness and
// is projected through three rotations.
#include "objects/effect/effect_relief.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/pixel_dispatch.h"
#include "objects/effect/effect_fetch.h"
#include "objects/effect/effect_palettes.h"
#include "objects/effect/effect_types.h"

namespace velk {
namespace {

constexpr std::int32_t kTurn = 1024;

struct ReliefScale {
    std::int64_t gx = 0, gy = 0;         // modes 0 ... 2
    std::int64_t lift = 0;               // the height per brightness step
    std::int32_t width = 0, height = 0;  // the plane the points are projected onto
};

// What the points of one step share. A point's X and Y depend only on its column and its row,
// so their products with the third angle are made once per column and once per row; every
// other product is made per point exactly as the projection states it, in the same order, so
// that each point rounds as it always has.
struct ReliefView {
    std::vector<double> x_sin3, x_cos3;  // per column
    std::vector<double> y_cos3, y_sin3;  // per row
    double sin1 = 0, cos1 = 0, sin2 = 0, cos2 = 0;
    std::int32_t lift = 0;  // at most 4096 x 255 / 510, so the height stays a small integer
    std::int32_t width = 0, height = 0;
};

ReliefView ViewOf(const EffectEngine& e, const ReliefScale& scale, bool direct) {
    ReliefView view;
    const double sin3 = e.sin1024[e.angle3], cos3 = e.cos1024[e.angle3];
    for (std::int32_t x = 0; x < e.width; ++x) {
        const double big_x = direct ? static_cast<double>((x - e.width / 2) * scale.gx / 255)
                                    : 6.0 * x - 6.0 * (e.width / 2);
        view.x_sin3.push_back(big_x * sin3);
        view.x_cos3.push_back(big_x * cos3);
    }
    for (std::int32_t y = 0; y < e.height; ++y) {
        const double big_y = direct ? static_cast<double>((y - e.height / 2) * scale.gy / 255)
                                    : 6.0 * y - 6.0 * (e.height / 2);
        view.y_cos3.push_back(big_y * cos3);
        view.y_sin3.push_back(big_y * sin3);
    }
    view.sin1 = e.sin1024[e.angle1];
    view.cos1 = e.cos1024[e.angle1];
    view.sin2 = e.sin1024[e.angle2];
    view.cos2 = e.cos1024[e.angle2];
    view.lift = static_cast<std::int32_t>(scale.lift);
    view.width = scale.width;
    view.height = scale.height;
    return view;
}

// The rise of each point of a row times the second angle's cosine and sine, as the
// projection multiplies it: apart from the rest, so that the projection's loop reads doubles
// only and keeps its values in registers.
struct Rises {
    std::vector<double> cos2, sin2;
};

inline void RisesOf(const ReliefView& view, const std::uint8_t* __restrict brightness,
                    std::size_t count, double* __restrict rise_cos2, double* __restrict rise_sin2) {
    const std::int32_t lift = view.lift;
    const double sin2 = view.sin2, cos2 = view.cos2;
    for (std::size_t x = 0; x < count; ++x) {
        const double z_height = static_cast<double>(lift * (brightness[x] - 128));
        rise_cos2[x] = z_height * cos2;
        rise_sin2[x] = z_height * sin2;
    }
}

// Where each point of row y lands on the plane: `land(x, shown, px, py)` with its column px
// and row py counted from the bottom, unrounded, and whether it is in front of the viewer and
// on the plane. The plane's sides are whole, so a point lands on it exactly when its unrounded
// position does, and then its position rounds down by truncation.
template <typename Land>
inline void ProjectPoints(const ReliefView& view, std::int32_t y,
                          const double* __restrict rise_cos2, const double* __restrict rise_sin2,
                          std::size_t count, Land land) {
    const double* x_sin3 = view.x_sin3.data();
    const double* x_cos3 = view.x_cos3.data();
    const double y_cos3 = view.y_cos3[std::size_t(y)], y_sin3 = view.y_sin3[std::size_t(y)];
    const double sin1 = view.sin1, cos1 = view.cos1, sin2 = view.sin2, cos2 = view.cos2;
    const std::int32_t width = view.width, height = view.height;
    const double half_width = width / 2, half_height = height / 2;
    for (std::size_t x = 0; x < count; ++x) {
        const double f = x_sin3[x] + y_cos3;
        const double ee = x_cos3[x] - y_sin3;
        const double j = rise_cos2[x] + ee * sin2;
        const double m = ee * cos2 - rise_sin2[x];
        const double depth = f * sin1 + j * cos1 - 1024.0;
        const double reach = 128.0 / depth;
        const double px = reach * m + half_width;
        const double py = reach * (f * cos1 - j * sin1) + half_height;
        // Every test is made, not only until one fails, so that the loop has no branch to keep
        // it scalar.
        const bool shown = (depth < 0.0) & (px >= 0.0) & (py >= 0.0) & (px < width) & (py < height);
        land(x, shown, px, py);
    }
}

// Modes 0 ... 2: the column of each point of row y, -1 where it does not land, and its row.
VELK_PIXEL_LOOP void ProjectRow(const ReliefView& view, std::int32_t y,
                                const std::uint8_t* __restrict brightness, Rises& rises,
                                std::int32_t* __restrict columns, std::int32_t* __restrict rows,
                                std::size_t count) {
    RisesOf(view, brightness, count, rises.cos2.data(), rises.sin2.data());
    ProjectPoints(view, y, rises.cos2.data(), rises.sin2.data(), count,
                  [&](std::size_t x, bool shown, double px, double py) {
                      // Only positions on the plane are converted.
                      columns[x] = shown ? static_cast<std::int32_t>(px) : -1;
                      rows[x] = static_cast<std::int32_t>(shown ? py : 0.0);
                  });
}

// Modes 3 ... 5: the heat cell each point of row y sets, `spare` for a point that does not land
// or is too dark to heat, so that setting them needs no branch.
VELK_PIXEL_LOOP void HeatRow(const ReliefView& view, std::int32_t y,
                             const std::uint8_t* __restrict brightness, Rises& rises,
                             std::int32_t* __restrict cells, std::int32_t spare,
                             std::size_t count) {
    RisesOf(view, brightness, count, rises.cos2.data(), rises.sin2.data());
    const std::int32_t width = view.width;
    ProjectPoints(view, y, rises.cos2.data(), rises.sin2.data(), count,
                  [&](std::size_t x, bool shown, double px, double py) {
                      // Only positions on the plane are converted.
                      cells[x] = shown ? static_cast<std::int32_t>(py) * width +
                                             static_cast<std::int32_t>(px)
                                       : spare;
                  });
    for (std::size_t x = 0; x < count; ++x) cells[x] = brightness[x] > 3 ? cells[x] : spare;
}

// Sets the heat cells in order: a later point covers an earlier one.
void SetHeat(std::uint8_t* __restrict heat, const std::int32_t* __restrict cells,
             const std::uint8_t* __restrict brightness, std::size_t count) {
    for (std::size_t x = 0; x < count; ++x) heat[cells[x]] = brightness[x];
}

// Where the points of one grid row land (ProjectRow).
struct Landing {
    std::vector<std::int32_t> columns, rows;
};

// Calls `visit(first, landing)` for every grid row in order, with the index of its first point
// and where each of its points lands: a later point covers an earlier one on the same spot.
template <typename Visit>
void Project(const EffectEngine& e, const ReliefScale& scale, bool direct, Visit visit) {
    const ReliefView view = ViewOf(e, scale, direct);
    Landing landing{std::vector<std::int32_t>(std::size_t(e.width)),
                    std::vector<std::int32_t>(std::size_t(e.width))};
    Rises rises{std::vector<double>(std::size_t(e.width)),
                std::vector<double>(std::size_t(e.width))};
    for (std::int32_t y = 0; y < e.height; ++y) {
        const std::size_t first = std::size_t(y) * std::size_t(e.width);
        ProjectRow(view, y, e.relief_brightness.data() + first, rises, landing.columns.data(),
                   landing.rows.data(), landing.columns.size());
        visit(first, landing);
    }
}

void SampleSource(EffectEngine& e) {
    const std::int32_t sw = e.source.Width(), sh = e.source.Height();
    e.relief_colours.resize(std::size_t(e.width) * std::size_t(e.height));
    e.relief_brightness.resize(e.relief_colours.size());
    for (std::int32_t i = 0; i < e.height; ++i) {
        const auto row = std::clamp(
            static_cast<std::int32_t>(std::floor(sh - double(i) * sh / e.height - 1)), 0, sh - 1);
        for (std::int32_t j = 0; j < e.width; ++j) {
            const auto column =
                std::clamp(static_cast<std::int32_t>(std::floor(sw - double(j) * sw / e.width - 1)),
                           0, sw - 1);
            const Bgrx c = BufferRow(e.source, row)[column];
            const std::size_t at = std::size_t(i) * std::size_t(e.width) + std::size_t(j);
            e.relief_colours[at] = c;
            e.relief_brightness[at] =
                static_cast<std::uint8_t>((RedOf(c) + GreenOf(c) + BlueOf(c)) / 3);
        }
    }
}

// Heat rises like the fire's: each cell the mean of itself and four cells below, less the
// fade, not below 0. This makes columns 1 ... W - 2 of row y, whose neighbours left and right
// are in the grid (`below` and `lower` are the rows under it, zero past the grid's bottom).
// Returns 0 when every one of them is cold.
VELK_PIXEL_LOOP std::uint32_t SmoothRow(std::uint8_t* __restrict out,
                                        const std::uint8_t* __restrict here,
                                        const std::uint8_t* __restrict below,
                                        const std::uint8_t* __restrict lower, std::size_t width,
                                        std::int32_t fade) {
    std::uint32_t any = 0;
    for (std::size_t x = 1; x + 1 < width; ++x) {
        const std::int32_t mean =
            (here[x] + below[x - 1] + below[x + 1] + lower[x - 1] + lower[x + 1]) / 5;
        out[x] = static_cast<std::uint8_t>(std::max(0, mean - fade));
        any |= out[x];
    }
    return any;
}

// The heat's colours. Unlike a picture (effect_fetch.h), the palette is small enough to stay
// in the nearest cache, where the vector units' gathers fetch faster than a plain loop.
VELK_PIXEL_LOOP void ShowHeat(Bgrx* __restrict out, const std::uint8_t* __restrict levels,
                              std::size_t count, const Bgrx* __restrict palette) {
    for (std::size_t i = 0; i < count; ++i) out[i] = palette[levels[i]];
}

// Smooths the heat grid into the spare one and shows it; the frame's border shows entry 0.
void SmoothAndShow(EffectEngine& e) {
    const std::int32_t w = e.width, h = e.height;
    const Bgrx* palette = e.palette.colours.data();
    const std::vector<std::uint8_t> cold(std::size_t(w), 0);
    auto row_of = [w](std::vector<std::uint8_t>& grid, std::int32_t y) {
        return grid.data() + std::size_t(y) * std::size_t(w);
    };
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* here = row_of(e.heat_old, y);
        const std::uint8_t* below = y >= 1 ? row_of(e.heat_old, y - 1) : cold.data();
        const std::uint8_t* lower = y >= 2 ? row_of(e.heat_old, y - 2) : cold.data();
        std::uint8_t* out = row_of(e.heat_new, y);
        const bool warm = SmoothRow(out, here, below, lower, std::size_t(w), e.s[5]) != 0;
        // The first and last columns miss their neighbours outside the grid.
        auto edge = [&](std::int32_t x) {
            auto at = [&](const std::uint8_t* r, std::int32_t c) -> std::int32_t {
                return c < 0 || c >= w ? 0 : r[c];
            };
            const std::int32_t mean = (here[x] + at(below, x - 1) + at(below, x + 1) +
                                       at(lower, x - 1) + at(lower, x + 1)) /
                                      5;
            out[x] = static_cast<std::uint8_t>(std::max(0, mean - e.s[5]));
        };
        edge(0);
        if (w > 1) edge(w - 1);
        Bgrx* row = BufferRow(e.frame, y);
        // A row without heat shows entry 0 throughout: the heat has not risen that far, or
        // the relief has turned away from it.
        if (y == 0 || y == h - 1 || !warm) {
            std::fill_n(row, w, palette[0]);
            continue;
        }
        if (w >= 3) ShowHeat(row + 1, out + 1, std::size_t(w - 2), palette);
        row[0] = palette[0];
        row[w - 1] = palette[0];
    }
    std::swap(e.heat_old, e.heat_new);
}

}  // namespace

void SetUpRelief(EffectEngine& e) {
    e.sin1024.resize(kTurn);
    e.cos1024.resize(kTurn);
    for (std::int32_t i = 0; i < kTurn; ++i) {
        e.sin1024[i] = std::sin(i * 2.0 * std::numbers::pi / kTurn);
        e.cos1024[i] = std::cos(i * 2.0 * std::numbers::pi / kTurn);
    }
    SampleSource(e);
    e.angle1 = e.angle2 = e.angle3 = 0;
    e.s[4] = std::max(e.s[4], 1);
    if (e.mode >= 3 && e.mode <= 5) {
        // One spare cell past the grid takes the points that heat nothing.
        e.heat_old.assign(std::size_t(e.width) * std::size_t(e.height) + 1, 0);
        e.heat_new = e.heat_old;
    }
    if (e.mode == 3) e.palette = FirePalette();
    if (e.mode == 4 || e.mode == 0) e.palette = GradientPalette(e.c1, e.c2);
    if (e.mode == 5) e.palette = HeatPalette();
}

void StepRelief(EffectEngine& e) {
    if (e.mode >= 3 && e.mode <= 5) {
        ReliefScale scale{
            .lift = std::int64_t{e.width} * e.s[4] / 510, .width = e.width, .height = e.height};
        // Points that do not land, or are too dark to heat, go to the spare cell past the
        // grid.
        const auto spare = static_cast<std::int32_t>(e.heat_old.size() - 1);
        const ReliefView view = ViewOf(e, scale, false);
        std::vector<std::int32_t> cells(std::size_t(e.width));
        Rises rises{std::vector<double>(cells.size()), std::vector<double>(cells.size())};
        for (std::int32_t y = 0; y < e.height; ++y) {
            const std::uint8_t* brightness =
                e.relief_brightness.data() + std::size_t(y) * std::size_t(e.width);
            HeatRow(view, y, brightness, rises, cells.data(), spare, cells.size());
            SetHeat(e.heat_old.data(), cells.data(), brightness, cells.size());
        }
        SmoothAndShow(e);
    }
    e.angle1 = (e.angle1 + e.s[1]) % kTurn;
    e.angle2 = (e.angle2 + e.s[2]) % kTurn;
    e.angle3 = (e.angle3 + e.s[3]) % kTurn;
}

void DrawRelief(const EffectEngine& e, Canvas& canvas, const Rect& drawn) {
    const std::int32_t dw = drawn.right - drawn.left, dh = drawn.bottom - drawn.top;
    if (dw <= 0 || dh <= 0) return;
    ReliefScale scale{.gx = std::int64_t{dw} * 1275 / e.width,
                      .gy = std::int64_t{dh} * 1275 / e.height,
                      .lift = std::int64_t{e.s[4]} * 75 / 255,
                      .width = dw,
                      .height = dh};
    Project(e, scale, true, [&](std::size_t first, const Landing& landing) {
        for (std::size_t x = 0; x < landing.columns.size(); ++x) {
            const std::int32_t k = e.relief_brightness[first + x];
            if (landing.columns[x] < 0 || (e.mode == 2 ? k >= 254 : k <= 3)) continue;
            const Bgrx shown = e.mode == 0 ? e.palette.colours[k] : e.relief_colours[first + x];
            canvas.SetPixel(drawn.left + landing.columns[x], drawn.bottom - 1 - landing.rows[x],
                            shown);
        }
    });
}

}  // namespace velk
