// Type 4: the picture as a relief turning in space; each grid point rises by its brightness and
// is projected through three rotations.
#include "objects/effect/effect_relief.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

std::int32_t Brightness(Bgrx c) {
    return (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
}

// Calls `visit(px, py, colour, k)` for every grid point that lands in front of the viewer;
// py counts rows from the bottom.
template <typename Visit>
void Project(const EffectEngine& e, const ReliefScale& scale, bool direct, Visit visit) {
    const double sin1 = e.sin1024[e.angle1], cos1 = e.cos1024[e.angle1];
    const double sin2 = e.sin1024[e.angle2], cos2 = e.cos1024[e.angle2];
    const double sin3 = e.sin1024[e.angle3], cos3 = e.cos1024[e.angle3];
    for (std::int32_t y = 0; y < e.height; ++y) {
        for (std::int32_t x = 0; x < e.width; ++x) {
            const Bgrx c = e.relief_colours[std::size_t(y) * std::size_t(e.width) + std::size_t(x)];
            const std::int32_t k = Brightness(c);
            double big_x, big_y;
            if (direct) {
                big_x = static_cast<double>((x - e.width / 2) * scale.gx / 255);
                big_y = static_cast<double>((y - e.height / 2) * scale.gy / 255);
            } else {
                big_x = 6.0 * x - 6.0 * (e.width / 2);
                big_y = 6.0 * y - 6.0 * (e.height / 2);
            }
            const double z_height = static_cast<double>(scale.lift * (k - 128));
            const double f = big_x * sin3 + big_y * cos3;
            const double ee = big_x * cos3 - big_y * sin3;
            const double j = z_height * cos2 + ee * sin2;
            const double m = ee * cos2 - z_height * sin2;
            const double depth = f * sin1 + j * cos1 - 1024.0;
            if (!(depth < 0.0)) continue;
            const double px = std::floor(128.0 / depth * m + scale.width / 2);
            const double py = std::floor(128.0 / depth * (f * cos1 - j * sin1) + scale.height / 2);
            if (px < 0 || py < 0 || px >= scale.width || py >= scale.height) continue;
            visit(static_cast<std::int32_t>(px), static_cast<std::int32_t>(py), c, k);
        }
    }
}

void SampleSource(EffectEngine& e) {
    const std::int32_t sw = e.source.Width(), sh = e.source.Height();
    e.relief_colours.resize(std::size_t(e.width) * std::size_t(e.height));
    for (std::int32_t i = 0; i < e.height; ++i) {
        const auto row = std::clamp(
            static_cast<std::int32_t>(std::floor(sh - double(i) * sh / e.height - 1)), 0, sh - 1);
        for (std::int32_t j = 0; j < e.width; ++j) {
            const auto column =
                std::clamp(static_cast<std::int32_t>(std::floor(sw - double(j) * sw / e.width - 1)),
                           0, sw - 1);
            e.relief_colours[std::size_t(i) * std::size_t(e.width) + std::size_t(j)] =
                BufferRow(e.source, row)[column];
        }
    }
}

// Heat rises like the fire's: each cell the mean of itself and four cells below, less s5.
void SmoothHeat(EffectEngine& e) {
    const std::int32_t w = e.width, h = e.height;
    auto at = [&](std::int32_t x, std::int32_t y) -> std::int32_t {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        return e.heat_old[std::size_t(y) * std::size_t(w) + std::size_t(x)];
    };
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            const std::int32_t mean = (at(x, y) + at(x - 1, y - 1) + at(x + 1, y - 1) +
                                       at(x - 1, y - 2) + at(x + 1, y - 2)) /
                                      5;
            e.heat_new[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                static_cast<std::uint8_t>(std::max(0, mean - e.s[5]));
        }
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
        e.heat_old.assign(std::size_t(e.width) * std::size_t(e.height), 0);
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
        Project(e, scale, false, [&](std::int32_t px, std::int32_t py, Bgrx, std::int32_t k) {
            if (k > 3)
                e.heat_old[std::size_t(py) * std::size_t(e.width) + std::size_t(px)] =
                    static_cast<std::uint8_t>(k);
        });
        SmoothHeat(e);
        const Bgrx border = e.palette.colours[0];
        for (std::int32_t y = 0; y < e.height; ++y) {
            Bgrx* row = BufferRow(e.frame, y);
            for (std::int32_t x = 0; x < e.width; ++x) {
                const bool edge = x == 0 || y == 0 || x == e.width - 1 || y == e.height - 1;
                row[x] = edge ? border
                              : e.palette.colours[e.heat_old[std::size_t(y) * std::size_t(e.width) +
                                                             std::size_t(x)]];
            }
        }
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
    Project(e, scale, true, [&](std::int32_t px, std::int32_t py, Bgrx c, std::int32_t k) {
        if (e.mode == 2 ? k >= 254 : k <= 3) return;
        const Bgrx shown = e.mode == 0 ? e.palette.colours[k] : c;
        canvas.SetPixel(drawn.left + px, drawn.bottom - 1 - py, shown);
    });
}

}  // namespace velk
