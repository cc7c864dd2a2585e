#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "canvas_test_util.h"
#include "gfx/canvas.h"

namespace velk {
namespace {

using test::kBlack;
using test::kWhite;
constexpr Bgrx kRed = MakeBgrx(255, 0, 0);

TEST(CanvasState, DefaultsOfANewDeviceContext) {
    Surface s(4, 4);
    Canvas c(s);
    EXPECT_EQ(c.GetRop2(), Rop2::kCopyPen);
    EXPECT_EQ(c.GetBkMode(), BkMode::kOpaque);
    EXPECT_EQ(c.GetBkColour(), kWhite);
    EXPECT_EQ(c.GetTextColour(), kBlack);
    EXPECT_EQ(c.GetPolyFillMode(), PolyFillMode::kAlternate);
    EXPECT_EQ(c.GetStretchMode(), StretchMode::kBlackOnWhite);
    EXPECT_EQ(c.GetTextAlign(), kTaLeft | kTaTop);
    EXPECT_EQ(c.GetFont(), nullptr);
    EXPECT_FALSE(c.GetClipRegion().has_value());
    EXPECT_EQ(c.ClipBox(), (Rect{0, 0, 4, 4}));
}

TEST(CanvasState, SaveAndRestoreKeepClipAndColours) {
    Surface s(10, 10, kWhite);
    Canvas c(s);
    c.SetTextColour(kRed);
    c.SaveDC();
    c.IntersectClip({2, 2, 5, 5});
    c.SetTextColour(kBlack);
    c.SetTextAlign(kTaCenter | kTaBaseline);
    EXPECT_EQ(c.ClipBox(), (Rect{2, 2, 5, 5}));
    c.RestoreDC();
    EXPECT_EQ(c.GetTextColour(), kRed);
    EXPECT_EQ(c.GetTextAlign(), kTaLeft);
    EXPECT_EQ(c.ClipBox(), (Rect{0, 0, 10, 10}));
    c.RestoreDC();  // nothing saved: no change
    EXPECT_EQ(c.GetTextColour(), kRed);
}

TEST(CanvasState, FillSolidRectIsRightBottomExclusiveAndOrdersItsEdges) {
    Surface s(30, 30, kWhite);
    Canvas c(s);
    c.FillSolidRect({10, 10, 20, 20}, kRed);
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 100u);
    EXPECT_EQ(s.At(19, 19), kRed);
    EXPECT_EQ(s.At(20, 19), kWhite);
    EXPECT_EQ(s.At(19, 20), kWhite);
    s.Fill(kWhite);
    c.FillSolidRect({5, 3, 2, 1}, kRed);  // the same pixels as (2,1)-(5,3)
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 6u);
    EXPECT_EQ(s.At(2, 1), kRed);
    EXPECT_EQ(s.At(4, 2), kRed);
}

TEST(CanvasState, ClipToARegionOfTwoRectangles) {
    Surface s(20, 10, kWhite);
    Canvas c(s);
    const Rect parts[] = {{0, 0, 5, 5}, {10, 5, 15, 10}};
    c.SelectClip(Region::FromRects(parts));
    c.FillSolidRect({0, 0, 20, 10}, kRed);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = (x < 5 && y < 5) || (x >= 10 && x < 15 && y >= 5);
            EXPECT_EQ(s.At(x, y), inside ? kRed : kWhite) << x << "," << y;
        }
    }
    EXPECT_EQ(c.ClipBox(), (Rect{0, 0, 15, 10}));
    EXPECT_TRUE(c.RectVisible({4, 4, 6, 6}));
    EXPECT_FALSE(c.RectVisible({5, 0, 10, 10}));
    EXPECT_FALSE(c.RectVisible({0, 5, 10, 10}));
    EXPECT_TRUE(c.RectVisible({6, 6, 4, 4}));  // edges given in reverse order
    EXPECT_TRUE(c.PtVisible(14, 9));
    EXPECT_FALSE(c.PtVisible(15, 9));

    // Lines, ellipses and blits obey the same region.
    s.Fill(kWhite);
    c.MoveTo(0, 4);
    c.LineTo(20, 4);
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 5u);

    c.ResetClip();
    EXPECT_EQ(c.ClipBox(), (Rect{0, 0, 20, 10}));
}

TEST(CanvasState, ClipIsInDevicePixelsAndIntersectClipInLogicalOnes) {
    Surface s(20, 20, kWhite);
    Canvas c(s);
    c.SetViewportOrigin({5, 5});
    c.IntersectClip({0, 0, 4, 4});  // device (5,5)-(9,9)
    EXPECT_EQ(c.GetClipRegion()->BoundingBox(), (Rect{5, 5, 9, 9}));
    EXPECT_EQ(c.ClipBox(), (Rect{0, 0, 4, 4}));
    c.FillSolidRect({-100, -100, 100, 100}, kRed);
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 16u);
    EXPECT_EQ(s.At(5, 5), kRed);
    EXPECT_EQ(s.At(9, 9), kWhite);
    c.SelectClip(Region(Rect{0, 0, 1, 1}));
    EXPECT_EQ(c.ClipBox(), (Rect{-5, -5, -4, -4}));
    EXPECT_FALSE(c.RectVisible({0, 0, 100, 100}));
}

TEST(CanvasState, RegionsOutsideTheSurfaceDrawNothing) {
    Surface s(8, 8, kWhite);
    Canvas c(s);
    c.SelectClip(Region(Rect{20, 20, 30, 30}));
    c.FillSolidRect({0, 0, 40, 40}, kRed);
    EXPECT_TRUE(test::PaintedPixels(s, kWhite).empty());
    EXPECT_TRUE(c.ClipBox().IsEmpty());
    EXPECT_FALSE(c.RectVisible({0, 0, 40, 40}));
}

TEST(CanvasState, ExtremeCoordinatesDoNotOverflow) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    Surface s(8, 8, kWhite);
    Canvas c(s);
    c.SetViewportOrigin({kMax, kMax});
    c.FillSolidRect({kMin, kMax - 3, kMin + 4, kMax}, kRed);
    // Logical x kMin..kMin+3 is device -1..2, but logical row kMax-3 lies far below.
    EXPECT_TRUE(test::PaintedPixels(s, kWhite).empty());
    c.FillSolidRect({kMin, kMin, kMax, kMax}, kRed);
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 64u);
    EXPECT_TRUE(c.RectVisible({kMin, kMin, kMax, kMax}));
    c.IntersectClip({kMin, kMin, kMax, kMax});
    EXPECT_FALSE(c.ClipBox().IsEmpty());
}

TEST(CanvasState, DrawCoverageBlendsByRoundingToNearest) {
    Surface s(4, 2, MakeBgrx(0, 100, 255));
    Canvas c(s);
    CoverageMask mask{4, 1, {0, 255, 128, 1}};
    c.DrawCoverage(0, 0, mask, MakeBgrx(255, 0, 0));
    EXPECT_EQ(s.At(0, 0), MakeBgrx(0, 100, 255));
    EXPECT_EQ(s.At(1, 0), MakeBgrx(255, 0, 0));
    // 128/255 of the way: red 255*128/255 = 128, green 100*127/255 = 49.8 -> 50, blue 127.
    EXPECT_EQ(s.At(2, 0), MakeBgrx(128, 50, 127));
    EXPECT_EQ(s.At(3, 0), MakeBgrx(1, 100, 254));
    EXPECT_EQ(s.At(0, 1), MakeBgrx(0, 100, 255));

    // Clipped by the region and the surface; a mask hanging off the top-left corner.
    Surface t(3, 3, 0);
    Canvas d(t);
    d.IntersectClip({0, 0, 3, 2});
    CoverageMask full{3, 3, std::vector<std::uint8_t>(9, 255)};
    d.DrawCoverage(-1, -1, full, kWhite);
    EXPECT_EQ(test::PaintedPixels(t, 0),
              (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
}

TEST(CanvasState, SetPixelAndGetPixelUseTheViewport) {
    Surface s(4, 4, kWhite);
    Canvas c(s);
    c.SetViewportOrigin({1, 2});
    c.SetPixel(0, 0, kRed);
    EXPECT_EQ(s.At(1, 2), kRed);
    EXPECT_EQ(c.GetPixel(0, 0), kRed);
    EXPECT_FALSE(c.GetPixel(3, 0).has_value());
    c.SetPixel(100, 100, kRed);  // outside: ignored
}

}  // namespace
}  // namespace velk
