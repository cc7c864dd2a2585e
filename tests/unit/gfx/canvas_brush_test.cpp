// Brushes with patterns, several polygons filled as one figure, and blits by raster operation.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas_test_util.h"
#include "gfx/canvas.h"

namespace velk {
namespace {

using test::kBlack;
using test::kWhite;

constexpr Bgrx kRed = MakeBgrx(255, 0, 0);
constexpr Bgrx kBlue = MakeBgrx(0, 0, 255);

struct HatchCase {
    std::uint32_t hatch;
    std::vector<std::string> map;  // '#': the hatch colour, '.': the background colour
};

class Hatches : public testing::TestWithParam<HatchCase> {};

TEST_P(Hatches, RepeatTheirEightByEightBitmap) {
    Surface surface(8, 8, kWhite);
    Canvas canvas(surface);
    canvas.SetBrush(Brush::Hatched(kRed, GetParam().hatch));
    canvas.SetBkColour(kBlue);
    canvas.PatBlt(0, 0, 8, 8, kPatCopy);
    EXPECT_EQ(test::PixelMap(surface, 0, 0, 8, 8, {{kRed, '#'}, {kBlue, '.'}}), GetParam().map);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, Hatches,
    testing::Values(HatchCase{kHsHorizontal,
                              {"........", "........", "........", "........", "########",
                               "........", "........", "........"}},
                    HatchCase{kHsVertical,
                              {"....#...", "....#...", "....#...", "....#...", "....#...",
                               "....#...", "....#...", "....#..."}},
                    HatchCase{kHsFDiagonal,
                              {"#.......", ".#......", "..#.....", "...#....", "....#...",
                               ".....#..", "......#.", ".......#"}},
                    HatchCase{kHsBDiagonal,
                              {".......#", "......#.", ".....#..", "....#...", "...#....",
                               "..#.....", ".#......", "#......."}},
                    HatchCase{kHsCross,
                              {"....#...", "....#...", "....#...", "....#...", "########",
                               "....#...", "....#...", "....#..."}},
                    HatchCase{kHsDiagCross,
                              {"#......#", ".#....#.", "..#..#..", "...##...", "...##...",
                               "..#..#..", ".#....#.", "#......#"}}));

// Patterns start at the brush origin, not at the figure, and transparent mode keeps the page
// in the gaps of a hatch.
TEST(CanvasBrush, PatternsFollowTheBrushOriginAndTheBackgroundMode) {
    Surface surface(12, 4, kWhite);
    Canvas canvas(surface);
    canvas.SetBrush(Brush::Hatched(kRed, kHsVertical));
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SetBrushOrigin({2, 0});
    canvas.SetViewportOrigin({1, 0});
    canvas.PatBlt(0, 0, 11, 1, kPatCopy);
    EXPECT_EQ(test::PixelMap(surface, 0, 0, 12, 1, {{kRed, '#'}, {kWhite, '.'}}),
              std::vector<std::string>{"......#....."});

    auto mono = std::make_shared<BrushPattern>();
    mono->kind = BrushPattern::Kind::kMono;
    mono->width = 2;
    mono->height = 1;
    mono->bits = {0, 1};
    canvas.SetBrush(Brush::Patterned(mono));
    canvas.SetTextColour(kBlack);
    canvas.SetBkColour(kBlue);
    canvas.SetBrushOrigin({0, 0});
    canvas.SetViewportOrigin({0, 0});
    canvas.Rectangle({0, 1, 6, 4});
    EXPECT_EQ(test::PixelMap(surface, 0, 2, 6, 1, {{kBlack, 'k'}, {kBlue, 'b'}}),
              std::vector<std::string>{"kbkbkk"});
}

TEST(CanvasPolyPolygon, InnerPolygonsMakeHolesInAlternateMode) {
    const std::vector<Point> points = {{0, 0}, {8, 0}, {8, 8}, {0, 8},
                                       {2, 2}, {6, 2}, {6, 6}, {2, 6}};
    const std::vector<std::size_t> counts = {4, 4};
    for (PolyFillMode mode : {PolyFillMode::kAlternate, PolyFillMode::kWinding}) {
        Surface surface(10, 10, kWhite);
        Canvas canvas(surface);
        canvas.SetBrush(Brush::Solid(kRed));
        canvas.SetPolyFillMode(mode);
        canvas.PolyPolygon(points, counts);
        EXPECT_EQ(surface.At(4, 4), mode == PolyFillMode::kAlternate ? kWhite : kRed);
        EXPECT_EQ(surface.At(1, 1), kRed);
        EXPECT_EQ(surface.At(8, 4), kBlack);  // the outline adds the right edge
        EXPECT_EQ(surface.At(6, 4), kBlack);  // and the inner polygon's
    }
    // Counts that run past the points end the list.
    Surface surface(10, 10, kWhite);
    Canvas canvas(surface);
    canvas.SetPen({PenStyle::kNull, 0, 1});
    canvas.SetBrush(Brush::Solid(kRed));
    const std::vector<std::size_t> too_many = {4, 5};
    canvas.FillPolyPolygon(points, too_many);
    EXPECT_EQ(surface.At(4, 4), kRed);
}

TEST(CanvasBlitRop, CombinesTheStretchedSourceWithThePage) {
    Surface source(1, 1, MakeBgrx(0x0F, 0xF0, 0x33));
    struct Case {
        std::uint32_t rop;
        Bgrx expected;
    };
    const Bgrx page = MakeBgrx(0xFF, 0x0F, 0x30);
    for (const Case& c :
         {Case{kSrcAnd, MakeBgrx(0x0F, 0x00, 0x30)}, Case{kSrcPaint, MakeBgrx(0xFF, 0xFF, 0x33)},
          Case{kSrcInvert, MakeBgrx(0xF0, 0xFF, 0x03)},
          Case{kNotSrcCopy, MakeBgrx(0xF0, 0x0F, 0xCC)},
          Case{kSrcCopy, MakeBgrx(0x0F, 0xF0, 0x33)}}) {
        Surface surface(4, 4, page);
        Canvas canvas(surface);
        canvas.IntersectClip({0, 0, 2, 4});
        EXPECT_TRUE(canvas.StretchBltRop(0, 0, 3, 3, source, 0, 0, 1, 1, c.rop));
        EXPECT_EQ(surface.At(1, 2), c.expected) << std::hex << c.rop;
        EXPECT_EQ(surface.At(2, 2), page);  // clipped
        EXPECT_EQ(surface.At(1, 3), page);  // outside the destination
    }
    Surface surface(4, 4, page);
    Canvas canvas(surface);
    EXPECT_FALSE(canvas.StretchBltRop(0, 0, 3, 3, source, 0, 0, 1, 1, 0x123456));
    EXPECT_EQ(surface.At(1, 1), page);
}

}  // namespace
}  // namespace velk
