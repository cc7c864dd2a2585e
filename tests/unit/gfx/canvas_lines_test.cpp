#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "canvas_test_util.h"
#include "gfx/canvas.h"

namespace velk {
namespace {

using Pixels = std::vector<std::pair<int, int>>;
using test::kBlack;
using test::kWhite;

Pixels DrawLine(Point from, Point to, int size = 16) {
    Surface s(size, size, kWhite);
    Canvas c(s);
    c.MoveTo(from.x, from.y);
    c.LineTo(to.x, to.y);
    return test::PaintedPixels(s, kWhite);
}

// The integer walk as the rules describe it: error starts at 2*minor - major; a minor step when
// error + bias > 0; bias 1 in the four direction classes that resolve ties upwards (x-major)
// or leftwards (y-major).
std::set<std::pair<int, int>> ReferenceWalk(int x0, int y0, int x1, int y1) {
    std::set<std::pair<int, int>> out;
    const int dx = x1 - x0, dy = y1 - y0;
    if (dx == 0 && dy == 0) return out;
    const bool shallow = std::abs(dx) > std::abs(dy);
    const int major = shallow ? std::abs(dx) : std::abs(dy);
    const int minor = shallow ? std::abs(dy) : std::abs(dx);
    const int bias = shallow ? (dy <= 0 ? 1 : 0) : (dx <= 0 ? 1 : 0);
    const int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    int err = 2 * minor - major;
    int x = x0, y = y0;
    for (int i = 0; i < major; ++i) {
        out.insert({x, y});
        if (err + bias > 0) {
            if (shallow)
                y += sy;
            else
                x += sx;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        if (shallow)
            x += sx;
        else
            y += sy;
    }
    return out;
}

TEST(CanvasLines, WorkedExamples) {
    struct Case {
        Point from, to;
        Pixels pixels;  // in row order, as PaintedPixels lists them
    };
    const Case cases[] = {
        {{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{4, 2}, {0, 0}, {{1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {{0, 0}, {1, 4}, {{0, 0}, {0, 1}, {0, 2}, {1, 3}}},
        {{0, 2}, {4, 0}, {{3, 0}, {1, 1}, {2, 1}, {0, 2}}},
        {{3, 0}, {0, 0}, {{1, 0}, {2, 0}, {3, 0}}},
        {{0, 3}, {0, 0}, {{0, 1}, {0, 2}, {0, 3}}},
        {{2, 2}, {2, 2}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DrawLine(c.from, c.to), c.pixels)
            << "(" << c.from.x << "," << c.from.y << ") -> (" << c.to.x << "," << c.to.y << ")";
    }
}

TEST(CanvasLines, EveryLineOfASmallGridMatchesTheIntegerWalk) {
    Surface s(12, 12, kWhite);
    for (int x0 = 0; x0 < 12; ++x0) {
        for (int y0 = 0; y0 < 12; ++y0) {
            for (int x1 = 0; x1 < 12; ++x1) {
                for (int y1 = 0; y1 < 12; ++y1) {
                    s.Fill(kWhite);
                    Canvas c(s);
                    c.MoveTo(x0, y0);
                    c.LineTo(x1, y1);
                    std::set<std::pair<int, int>> got;
                    for (const auto& p : test::PaintedPixels(s, kWhite)) got.insert(p);
                    ASSERT_EQ(got, ReferenceWalk(x0, y0, x1, y1))
                        << "(" << x0 << "," << y0 << ") -> (" << x1 << "," << y1 << ")";
                }
            }
        }
    }
}

TEST(CanvasLines, LineOfTheLineObjectLeavesItsEndPixel) {
    Surface s(100, 50, kWhite);
    Canvas c(s);
    c.MoveTo(0, 0);
    c.LineTo(99, 49);
    EXPECT_EQ(s.At(0, 0), kBlack);
    EXPECT_EQ(s.At(98, 49), kBlack);  // 98 * 49 / 99 = 48.5 and a bit: rounds to 49
    EXPECT_EQ(s.At(99, 49), kWhite);
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 99u);
    EXPECT_EQ(c.GetCurrentPosition(), (Point{99, 49}));

    s.Fill(kWhite);
    c.MoveTo(0, 49);
    c.LineTo(99, 0);
    EXPECT_EQ(s.At(0, 49), kBlack);
    EXPECT_EQ(s.At(99, 0), kWhite);
}

TEST(CanvasLines, ClippingKeepsThePixelsOfTheWholeLine) {
    Surface s(16, 16, kWhite);
    Canvas c(s);
    c.IntersectClip({3, 0, 7, 16});
    c.MoveTo(0, 0);
    c.LineTo(10, 4);
    EXPECT_EQ(test::PaintedPixels(s, kWhite), (Pixels{{3, 1}, {4, 2}, {5, 2}, {6, 2}}));

    // An end point beyond the surface: the last visible pixel is drawn.
    Surface row(10, 1, kWhite);
    Canvas r(row);
    r.MoveTo(0, 0);
    r.LineTo(20, 0);
    EXPECT_EQ(test::PaintedPixels(row, kWhite).size(), 10u);
}

TEST(CanvasLines, FarAwayEndPointsAreExact) {
    constexpr int kMin = std::numeric_limits<std::int32_t>::min();
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        Point from, to;
    };
    // Lines through the origin with slope 1/2 (either way round) and slope 1.
    for (const Case& k : {Case{{-2000000000, -1000000000}, {2000000000, 1000000000}},
                          Case{{2000000000, 1000000000}, {-2000000000, -1000000000}}}) {
        Surface s(100, 100, kWhite);
        Canvas c(s);
        c.MoveTo(k.from.x, k.from.y);
        c.LineTo(k.to.x, k.to.y);
        Pixels expected;
        for (int y = 0; y < 50; ++y) {
            expected.push_back({2 * y, y});
            expected.push_back({2 * y + 1, y});
        }
        EXPECT_EQ(test::PaintedPixels(s, kWhite), expected);
    }
    Surface s(50, 50, kWhite);
    Canvas c(s);
    c.MoveTo(kMin, kMin);
    c.LineTo(kMax, kMax);
    Pixels diagonal;
    for (int i = 0; i < 50; ++i) diagonal.push_back({i, i});
    EXPECT_EQ(test::PaintedPixels(s, kWhite), diagonal);

    // A viewport origin that carries logical coordinates far out of the 32-bit range back in.
    s.Fill(kWhite);
    c.SetViewportOrigin({kMax, 0});
    c.MoveTo(-kMax, 3);
    c.LineTo(-kMax + 10, 3);
    Pixels run;
    for (int x = 0; x < 10; ++x) run.push_back({x, 3});
    EXPECT_EQ(test::PaintedPixels(s, kWhite), run);
}

TEST(CanvasLines, XorPolylineDrawsEachVertexOnce) {
    Surface s(8, 8, kWhite);
    Canvas c(s);
    c.SetRop2(Rop2::kXorPen);
    c.SetPen({PenStyle::kSolid, kWhite, 1});
    const Point square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}, {1, 1}};
    c.Polyline(square);
    // A white pen XORed on white gives black: every outline pixel exactly once.
    const Pixels painted = test::PaintedPixels(s, kWhite);
    EXPECT_EQ(painted.size(), 16u);
    for (const auto& [x, y] : painted) {
        EXPECT_TRUE(x == 1 || x == 5 || y == 1 || y == 5);
        EXPECT_EQ(s.At(x, y), kBlack);
    }
}

TEST(CanvasLines, NullPenDrawsNothingAndWidePenCoversSquares) {
    Surface s(16, 16, kWhite);
    Canvas c(s);
    c.SetPen({PenStyle::kNull, kBlack, 1});
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
    EXPECT_TRUE(test::PaintedPixels(s, kWhite).empty());
    EXPECT_EQ(c.GetCurrentPosition(), (Point{10, 10}));

    c.SetPen({PenStyle::kSolid, kBlack, 3});
    c.SetRop2(Rop2::kXorPen);
    c.MoveTo(2, 5);
    c.LineTo(8, 5);
    // Columns 1..8 (one to each side of pixels 2..7), rows 4..6, each inverted once.
    Pixels expected;
    for (int y = 4; y <= 6; ++y) {
        for (int x = 1; x <= 8; ++x) expected.push_back({x, y});
    }
    // XOR with black changes nothing, so draw with white on white instead.
    EXPECT_TRUE(test::PaintedPixels(s, kWhite).empty());
    c.SetPen({PenStyle::kSolid, kWhite, 3});
    c.MoveTo(2, 5);
    c.LineTo(8, 5);
    EXPECT_EQ(test::PaintedPixels(s, kWhite), expected);
}

// A pen far wider than the page, on a line far longer than it, covers the page once: its
// squares are cut to the page before they are joined (joining them whole took minutes).
TEST(CanvasLines, PenWiderThanThePageCoversItOnce) {
    Surface s(12, 8, kWhite);
    Canvas c(s);
    c.SetViewportOrigin({3, -2});
    c.SetPen({PenStyle::kSolid, kWhite, 1 << 30});
    c.SetRop2(Rop2::kXorPen);
    c.MoveTo(-1000000, -3);
    c.LineTo(1000000, 9);
    EXPECT_EQ(test::PaintedPixels(s, kBlack).size(), 0u);
    // Far away, yet nearer than half the pen's width: XORed back to white.
    c.SetPen({PenStyle::kSolid, kWhite, 40001});
    c.MoveTo(-30000, -19000);
    c.LineTo(30000, -19000);
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 0u);
}

}  // namespace
}  // namespace velk
