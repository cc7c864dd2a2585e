// RotateRGB: quarter turns move pixels exactly; any other turn stays within one step of each
// byte of the rule computed in doubles, which this file spells out as written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gfx/image_rotate.h"

namespace velk {
namespace {

RgbImage Noise(std::int32_t w, std::int32_t h, std::uint32_t seed) {
    RgbImage image{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
    for (std::uint8_t& byte : image.pixels) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    return image;
}

std::uint8_t Clamp(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::trunc(v), 0.0, 255.0));
}

// The rule in doubles, pixel by pixel, with nothing left out.
TurnedPicture Reference(const RgbImage& src, const RgbImage* mask, std::int32_t w, std::int32_t h,
                        Point pt, Point ps, Turn t) {
    TurnedPicture out{{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)},
                      {w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)}};
    for (std::int32_t j = 0; j < h; ++j) {
        for (std::int32_t i = 0; i < w; ++i) {
            const double xs = ps.x + (i - pt.x) * t.cos + (j - pt.y) * t.sin;
            const double ys = ps.y - (i - pt.x) * t.sin + (j - pt.y) * t.cos;
            const double x0 = std::floor(xs), y0 = std::floor(ys);
            const double u = xs - x0, v = ys - y0;
            const double wt[4] = {(1 - u) * (1 - v), u * (1 - v), (1 - u) * v, u * v};
            const double nx[4] = {x0, x0 + 1, x0, x0 + 1}, ny[4] = {y0, y0, y0 + 1, y0 + 1};
            double s = 0, c[3] = {0, 0, 0}, m = 0;
            for (int k = 0; k < 4; ++k) {
                if (nx[k] >= 0 && nx[k] < src.width && ny[k] >= 0 && ny[k] < src.height) s += wt[k];
            }
            for (int k = 0; k < 4; ++k) {
                if (!(nx[k] >= 0 && nx[k] < src.width && ny[k] >= 0 && ny[k] < src.height))
                    continue;
                const double weight = s != 0 ? wt[k] / s : wt[k];
                const std::size_t at = (std::size_t(ny[k]) * src.width + std::size_t(nx[k])) * 3;
                for (int ch = 0; ch < 3; ++ch) c[ch] += weight * src.pixels[at + ch];
                m += weight * (mask ? mask->pixels[at] : 255);
            }
            const std::size_t at = (std::size_t(j) * w + i) * 3;
            for (int ch = 0; ch < 3; ++ch) {
                out.picture.pixels[at + ch] = Clamp(c[ch] + 0.5);
                out.mask.pixels[at + ch] = Clamp(s * m + 0.5);
            }
        }
    }
    return out;
}

TEST(RotateRGB, StaysWithinOneStepOfTheRuleInDoubles) {
    const RgbImage source = Noise(37, 23, 1);
    const RgbImage mask = Noise(37, 23, 2);
    const double degrees[] = {0.5, 17.3, 45, 123.4, 200, 333.3, 359.9};
    for (const bool masked : {false, true}) {
        for (const double d : degrees) {
            const double theta = d * 3.14159 / 180.0;
            const Turn turn{std::sin(theta), std::cos(theta)};
            const Point pt{25, 22}, ps{18, 11};
            const auto fast = RotateRGB(source, masked ? &mask : nullptr, 50, 44, pt, ps, turn);
            ASSERT_TRUE(fast);
            const TurnedPicture exact =
                Reference(source, masked ? &mask : nullptr, 50, 44, pt, ps, turn);
            int differ = 0;
            for (std::size_t k = 0; k < exact.picture.pixels.size(); ++k) {
                const int dp = std::abs(int(fast->picture.pixels[k]) - exact.picture.pixels[k]);
                const int dm = std::abs(int(fast->mask.pixels[k]) - exact.mask.pixels[k]);
                ASSERT_LE(std::max(dp, dm), 1) << d << " degrees, byte " << k;
                differ += dp + dm;
            }
            // Off by one only where the exact sum lies at a rounding boundary: rare.
            EXPECT_LT(differ, int(exact.picture.pixels.size()) / 50) << d;
        }
    }
}

TEST(RotateRGB, QuarterTurnsMovePixelsExactly) {
    const RgbImage source = Noise(7, 5, 3);
    const struct {
        Turn turn;
        std::int32_t w, h;
        // Source pixel of target (i, j).
        std::int32_t (*sx)(std::int32_t, std::int32_t);
        std::int32_t (*sy)(std::int32_t, std::int32_t);
    } cases[] = {
        {{1, 0}, 5, 7, [](int, int j) { return j; }, [](int i, int) { return 4 - i; }},
        {{0, -1}, 7, 5, [](int i, int) { return 6 - i; }, [](int, int j) { return 4 - j; }},
        {{-1, 0}, 5, 7, [](int, int j) { return 6 - j; }, [](int i, int) { return i; }},
    };
    for (const auto& c : cases) {
        // Pivots chosen so that the turned picture fills the target exactly.
        const Point ps{0, 0};
        const Point pt{c.turn.sin == 1    ? 4
                       : c.turn.cos == -1 ? 6
                                          : 0,
                       c.turn.sin == -1   ? 6
                       : c.turn.cos == -1 ? 4
                                          : 0};
        const auto turned = RotateRGB(source, nullptr, c.w, c.h, pt, ps, c.turn);
        ASSERT_TRUE(turned);
        for (std::int32_t j = 0; j < c.h; ++j) {
            for (std::int32_t i = 0; i < c.w; ++i) {
                const std::size_t at = (std::size_t(j) * c.w + i) * 3;
                const std::size_t from = (std::size_t(c.sy(i, j)) * 7 + c.sx(i, j)) * 3;
                ASSERT_EQ(turned->picture.pixels[at], source.pixels[from]) << i << "," << j;
                ASSERT_EQ(turned->mask.pixels[at], 255);
            }
        }
    }
}

std::uint32_t Fold(std::uint32_t hash, const RgbImage& image) {
    for (const std::uint8_t byte : image.pixels) hash = (hash ^ byte) * 16777619u;
    return hash;
}

// The bytes the turn has always given, fixed point inside the picture and the rule in doubles
// at its edges and outside: turns in every quarter, turns so slight that a row stays on one
// source row for hundreds of pixels, targets much larger than the turned picture, pivots far
// off, sources too small to have an inside, widths no whole number of vector lanes.
TEST(RotateRGB, KeepsItsBytes) {
    struct Case {
        std::int32_t sw, sh;
        bool masked;
        double degrees;
        std::int32_t width, height;
        Point pt, ps;
        std::uint32_t hash;
    };
    const Case cases[] = {
        {301, 263, false, 30, 393, 379, {196, 189}, {150, 131}, 345742149u},
        {301, 263, true, 30, 393, 379, {196, 189}, {150, 131}, 3993509131u},
        {301, 263, false, 0.05, 320, 280, {160, 140}, {150, 131}, 1738980654u},
        {301, 263, true, 89.97, 300, 320, {150, 160}, {150, 131}, 3568441023u},
        {301, 263, false, 135, 430, 420, {215, 210}, {150, 131}, 730429722u},
        {301, 263, true, 212.5, 420, 410, {210, 205}, {150, 131}, 3844236243u},
        {301, 263, false, 300, 500, 480, {250, 240}, {150, 131}, 3170075131u},
        {301, 263, false, 359.99, 600, 500, {300, 250}, {150, 131}, 1150826045u},
        {37, 23, true, 17.3, 80, 70, {-40, 90}, {18, 11}, 1274283717u},
        {2, 2, false, 45, 9, 7, {4, 3}, {1, 1}, 2649885285u},
        {1, 1, true, 10, 5, 5, {2, 2}, {0, 0}, 3427622166u},
        {2, 1, false, 60, 6, 6, {3, 3}, {1, 0}, 2168184367u},
        {1, 3, true, 250, 6, 6, {3, 3}, {0, 1}, 1489461710u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.sw) + " x " + std::to_string(c.sh) + " at " +
                     std::to_string(c.degrees) + (c.masked ? " masked" : ""));
        const RgbImage source = Noise(c.sw, c.sh, 7);
        const RgbImage mask = Noise(c.sw, c.sh, 8);
        const double theta = c.degrees * 3.141592653589793 / 180.0;
        const auto turned = RotateRGB(source, c.masked ? &mask : nullptr, c.width, c.height, c.pt,
                                      c.ps, Turn{std::sin(theta), std::cos(theta)});
        ASSERT_TRUE(turned);
        EXPECT_EQ(Fold(Fold(2166136261u, turned->picture), turned->mask), c.hash);
        // Made again in the memory of an earlier, larger picture full of other bytes: every
        // byte is written, none is left over.
        const std::size_t bytes = std::size_t(c.width) * c.height * 3;
        TurnedPicture stores{{1, 1, std::vector<std::uint8_t>(bytes + 7, 0xA5)},
                             {1, 1, std::vector<std::uint8_t>(bytes + 7, 0x5A)}};
        const auto again = RotateRGB(source, c.masked ? &mask : nullptr, c.width, c.height, c.pt,
                                     c.ps, Turn{std::sin(theta), std::cos(theta)}, stores);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->picture, turned->picture);
        EXPECT_EQ(again->mask, turned->mask);
        EXPECT_TRUE(stores.picture.pixels.empty() && stores.mask.pixels.empty());
    }
}

TEST(RotateRGB, RefusesWhatItCannotMake) {
    const RgbImage source = Noise(4, 4, 4);
    const RgbImage other = Noise(3, 4, 5);
    EXPECT_FALSE(RotateRGB(source, nullptr, 0, 5, {}, {}, {}));
    EXPECT_FALSE(RotateRGB(source, &other, 5, 5, {}, {}, {}));
    EXPECT_FALSE(RotateRGB(source, nullptr, 100000, 100000, {}, {}, {}));  // above the cap
    EXPECT_FALSE(RotateRGB(RgbImage{}, nullptr, 5, 5, {}, {}, {}));
    // A refusal leaves the memory offered for the result as it was.
    TurnedPicture stores{{2, 1, std::vector<std::uint8_t>(6, 1)}, {2, 1, {2, 2, 2, 2, 2, 2}}};
    const TurnedPicture before = stores;
    EXPECT_FALSE(RotateRGB(source, nullptr, 100000, 100000, {}, {}, {}, stores));
    EXPECT_FALSE(RotateRGB(source, &other, 5, 5, {}, {}, {}, stores));
    EXPECT_EQ(stores.picture, before.picture);
    EXPECT_EQ(stores.mask, before.mask);
}

}  // namespace
}  // namespace velk
