#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas_test_util.h"
#include "gfx/canvas.h"

namespace velk {
namespace {

using Map = std::vector<std::string>;
constexpr Bgrx kPen = MakeBgrx(0, 0, 255);
constexpr Bgrx kFill = MakeBgrx(0, 255, 0);
constexpr Bgrx kPaper = MakeBgrx(255, 255, 255);

Map Draw(std::int32_t w, std::int32_t h, void (*draw)(Canvas&), std::int32_t margin = 1) {
    Surface s(w + 2 * margin, h + 2 * margin, kPaper);
    Canvas c(s);
    c.SetPen({PenStyle::kSolid, kPen, 1});
    c.SetBrush(Brush::Solid(kFill));
    c.SetViewportOrigin({margin, margin});
    draw(c);
    return test::PixelMap(s, 0, 0, w + 2 * margin, h + 2 * margin,
                          {{kPen, '#'}, {kFill, 'o'}, {kPaper, '.'}});
}

Map Framed(const Map& inner) {
    Map out;
    const std::string blank(inner.empty() ? 2 : inner[0].size() + 2, '.');
    out.push_back(blank);
    for (const std::string& row : inner) out.push_back("." + row + ".");
    out.push_back(blank);
    return out;
}

Map DrawEllipse(std::int32_t w, std::int32_t h) {
    Surface s(w + 2, h + 2, kPaper);
    Canvas c(s);
    c.SetPen({PenStyle::kSolid, kPen, 1});
    c.SetBrush(Brush::Solid(kFill));
    c.Ellipse({1, 1, 1 + w, 1 + h});
    return test::PixelMap(s, 0, 0, w + 2, h + 2, {{kPen, '#'}, {kFill, 'o'}, {kPaper, '.'}});
}

TEST(CanvasShapes, EllipsesOfTheRules) {
    struct Case {
        std::int32_t w, h;
        Map map;
    };
    const Case cases[] = {
        {1, 1, {"."}},
        {2, 2, {"##", "##"}},
        {3, 3, {".#.", "#o#", ".#."}},
        {4, 4, {".##.", "#oo#", "#oo#", ".##."}},
        {5, 5, {".###.", "#ooo#", "#ooo#", "#ooo#", ".###."}},
        {6, 6, {"..##..", ".#oo#.", "#oooo#", "#oooo#", ".#oo#.", "..##.."}},
        {7, 7, {"..###..", ".#ooo#.", "#ooooo#", "#ooooo#", "#ooooo#", ".#ooo#.", "..###.."}},
        {8,
         8,
         {"..####..", ".#oooo#.", "#oooooo#", "#oooooo#", "#oooooo#", "#oooooo#", ".#oooo#.",
          "..####.."}},
        {10,
         6,
         {"..######..", ".#oooooo#.", "#oooooooo#", "#oooooooo#", ".#oooooo#.", "..######.."}},
        {5, 3, {".###.", "#ooo#", ".###."}},
        {3, 5, {".#.", "#o#", "#o#", "#o#", ".#."}},
        {9, 5, {"..#####..", ".#ooooo#.", "#ooooooo#", ".#ooooo#.", "..#####.."}},
    };
    for (const Case& c : cases) {
        Map expected = c.map;
        if (c.w == 1) expected = {"."};  // a 1 x 1 box draws nothing
        EXPECT_EQ(DrawEllipse(c.w, c.h), Framed(expected)) << c.w << " x " << c.h;
    }
}

TEST(CanvasShapes, TallThinEllipsesReachTheirTopAndBottomRows) {
    for (const auto& [w, h] : {std::pair{4, 7}, {6, 20}, {3, 40}}) {
        const Map m = DrawEllipse(w, h);
        EXPECT_NE(m[1].find('#'), std::string::npos) << w << " x " << h;
        EXPECT_NE(m[h].find('#'), std::string::npos) << w << " x " << h;
        EXPECT_EQ(m[h + 1], std::string(w + 2, '.'));
        for (const std::string& row : m) EXPECT_EQ(row.back(), '.');
    }
}

TEST(CanvasShapes, EllipseWithNullPenFillsTheSameFootprint) {
    Surface s(12, 8, kPaper);
    Canvas c(s);
    c.SetPen({PenStyle::kNull, kPen, 1});
    c.SetBrush(Brush::Solid(kFill));
    c.Ellipse({1, 1, 11, 7});
    EXPECT_EQ(test::PixelMap(s, 0, 0, 12, 8, {{kFill, 'o'}, {kPaper, '.'}}),
              Framed({"..oooooo..", ".oooooooo.", "oooooooooo", "oooooooooo", ".oooooooo.",
                      "..oooooo.."}));
}

TEST(CanvasShapes, HugeEllipseStaysInsideItsRectangle) {
    // The middle rows of an ellipse far larger than the surface: its left end at x = 0.
    Surface s(20, 20, kPaper);
    Canvas c(s);
    c.SetPen({PenStyle::kSolid, kPen, 1});
    c.SetBrush(Brush::Solid(kFill));
    c.Ellipse({0, -1000000000, 2000000000, 1000000020});
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(s.At(0, y), kPen) << y;
        EXPECT_EQ(s.At(10, y), kFill) << y;
    }
}

TEST(CanvasShapes, Rectangles) {
    EXPECT_EQ(Draw(5, 4,
                   [](Canvas& c) {
                       c.Rectangle({0, 0, 5, 4});
                   }),
              Framed({"#####", "#ooo#", "#ooo#", "#####"}));
    EXPECT_EQ(Draw(2, 2, [](Canvas& c) { c.Rectangle({0, 0, 2, 2}); }), Framed({"##", "##"}));
    EXPECT_EQ(Draw(1, 1, [](Canvas& c) { c.Rectangle({0, 0, 1, 1}); }), Framed({"."}));
    EXPECT_EQ(Draw(1, 3, [](Canvas& c) { c.Rectangle({0, 0, 1, 3}); }), Framed({"#", "#", "#"}));
    // A rectangle given right to left and bottom to top is put in order first.
    EXPECT_EQ(Draw(4, 3,
                   [](Canvas& c) {
                       c.Rectangle({4, 3, 0, 0});
                   }),
              Framed({"####", "#oo#", "####"}));
    // Without a pen the fill is one pixel smaller in each direction than the whole figure.
    EXPECT_EQ(Draw(4, 3,
                   [](Canvas& c) {
                       c.SetPen({PenStyle::kNull, 0, 1});
                       c.Rectangle({0, 0, 4, 3});
                   }),
              Framed({"ooo.", "ooo.", "...."}));
}

TEST(CanvasShapes, PolygonSquareGrowsByThePen) {
    EXPECT_EQ(Draw(5, 5,
                   [](Canvas& c) {
                       const Point square[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
                       c.SetPen({PenStyle::kNull, 0, 1});
                       c.Polygon(square);
                   }),
              Framed({"oooo.", "oooo.", "oooo.", "oooo.", "....."}));
    EXPECT_EQ(Draw(5, 5,
                   [](Canvas& c) {
                       const Point square[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
                       c.Polygon(square);
                   }),
              Framed({"#####", "#ooo#", "#ooo#", "#ooo#", "#####"}));
}

TEST(CanvasShapes, PolygonTriangles) {
    EXPECT_EQ(Draw(7, 4,
                   [](Canvas& c) {
                       const Point tri[] = {{0, 0}, {6, 0}, {3, 3}};
                       c.Polygon(tri);
                   }),
              Framed({"#######", ".#ooo#.", "..#o#..", "...#..."}));
    EXPECT_EQ(Draw(6, 5,
                   [](Canvas& c) {
                       const Point tri[] = {{1, 0}, {5, 4}, {0, 4}};
                       c.SetPen({PenStyle::kNull, 0, 1});
                       c.Polygon(tri);
                   }),
              Framed({"......", ".o....", ".oo...", ".ooo..", "......"}));
}

TEST(CanvasShapes, PolygonFillModes) {
    const Point notch[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 2}, {4, 2}, {4, 4}, {0, 4}};
    Surface s(6, 6, kPaper);
    Canvas c(s);
    c.SetPen({PenStyle::kNull, 0, 1});
    c.SetBrush(Brush::Solid(kFill));
    c.Polygon(notch);
    EXPECT_EQ(test::PixelMap(s, 0, 0, 6, 6, {{kFill, 'o'}, {kPaper, '.'}}),
              (Map{"oooooo", "oooooo", "....oo", "....oo", "oooooo", "oooooo"}));
    s.Fill(kPaper);
    c.SetPolyFillMode(PolyFillMode::kWinding);
    c.Polygon(notch);
    EXPECT_EQ(test::PaintedPixels(s, kPaper).size(), 36u);
}

TEST(CanvasShapes, HollowBrushAndXorFill) {
    Surface s(6, 6, kPaper);
    Canvas c(s);
    c.SetBrush(Brush::Hollow());
    c.SetPen({PenStyle::kSolid, kPen, 1});
    c.Rectangle({0, 0, 6, 6});
    EXPECT_EQ(s.At(2, 2), kPaper);
    EXPECT_EQ(s.At(0, 3), kPen);
    // The brush goes through the raster operation as well.
    c.SetBrush(Brush::Solid(kPaper));
    c.SetPen({PenStyle::kNull, 0, 1});
    c.SetRop2(Rop2::kXorPen);
    c.Rectangle({0, 0, 6, 6});
    EXPECT_EQ(s.At(2, 2), kPaper ^ kPaper);
}

TEST(CanvasShapes, PolygonFarOutsideTheSurfaceIsClippedWithoutOverflow) {
    Surface s(10, 10, kPaper);
    Canvas c(s);
    c.SetPen({PenStyle::kNull, 0, 1});
    c.SetBrush(Brush::Solid(kFill));
    const Point big[] = {{-2147483647 - 1, -2147483647 - 1},
                         {2147483647, -2147483647 - 1},
                         {2147483647, 2147483647},
                         {-2147483647 - 1, 2147483647}};
    c.Polygon(big);
    EXPECT_EQ(test::PaintedPixels(s, kPaper).size(), 100u);
}

}  // namespace
}  // namespace velk
