#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "canvas_test_util.h"
#include "gfx/canvas.h"

namespace velk {
namespace {

using Map = std::vector<std::string>;
using test::kBlack;
using test::kFace;
using test::kLight;
using test::kShadow;
using test::kWhite;

const std::map<Bgrx, char> kGreys = {
    {kLight, 'L'}, {kWhite, 'W'}, {kFace, 'F'}, {kShadow, 'S'}, {kBlack, 'K'}};

TEST(CanvasFrames, FrameRectPaintsOnePixelInsideTheEdges) {
    constexpr Bgrx kRed = MakeBgrx(255, 0, 0);
    Surface s(30, 30, kWhite);
    Canvas c(s);
    c.FrameRect({10, 10, 20, 20}, kRed);
    for (int i = 10; i < 20; ++i) {
        EXPECT_EQ(s.At(10, i), kRed);
        EXPECT_EQ(s.At(19, i), kRed);
        EXPECT_EQ(s.At(i, 10), kRed);
        EXPECT_EQ(s.At(i, 19), kRed);
        EXPECT_EQ(s.At(20, i), kWhite);
        EXPECT_EQ(s.At(i, 20), kWhite);
    }
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 36u);
    // An empty rectangle draws nothing.
    c.FrameRect({5, 5, 5, 9}, kRed);
    c.FrameRect({9, 9, 5, 5}, kRed);
    EXPECT_EQ(test::PaintedPixels(s, kWhite).size(), 36u);
}

TEST(CanvasFrames, FocusRectDotsAndUndo) {
    Surface s(5, 4, kWhite);
    Canvas c(s);
    c.DrawFocusRect({0, 0, 5, 4});
    EXPECT_EQ(test::PixelMap(s, 0, 0, 5, 4, {{kWhite, '.'}, {kBlack, 'X'}}),
              (Map{".X.X.", "X...X", ".....", "X.X.X"}));
    c.DrawFocusRect({0, 0, 5, 4});
    EXPECT_TRUE(test::PaintedPixels(s, kWhite).empty());
}

TEST(CanvasFrames, FocusRectPhaseFollowsTheBrushOriginNotTheViewport) {
    Surface s(7, 6, kWhite);
    Canvas c(s);
    c.SetViewportOrigin({1, 1});
    c.DrawFocusRect({0, 0, 5, 4});  // device (1,1)-(6,5): the pattern stays put
    EXPECT_EQ(test::PixelMap(s, 0, 0, 7, 6, {{kWhite, '.'}, {kBlack, 'X'}}),
              (Map{".......", "..X.X..", ".X...X.", ".......", ".X.X.X.", "......."}));
    // With a text colour other than black the pixels between the dots change as well.
    Surface t(5, 4, kWhite);
    Canvas d(t);
    d.SetTextColour(MakeBgrx(0, 0, 255));
    d.DrawFocusRect({0, 0, 5, 4});
    EXPECT_EQ(t.At(0, 0), MakeBgrx(255, 255, 0));
    EXPECT_EQ(t.At(1, 0), kBlack);
}

TEST(CanvasFrames, InvertRectAndPatBltNegativeSizes) {
    Surface s(6, 6, MakeBgrx(10, 20, 30));
    Canvas c(s);
    c.InvertRect({1, 1, 3, 2});
    EXPECT_EQ(s.At(1, 1), MakeBgrx(245, 235, 225));
    EXPECT_EQ(s.At(2, 1), MakeBgrx(245, 235, 225));
    EXPECT_EQ(s.At(3, 1), MakeBgrx(10, 20, 30));
    // A negative width reaches left and keeps the start column: x 3..5 for (5, w = -3).
    c.PatBlt(5, 4, -3, 1, kBlackness);
    EXPECT_EQ(s.At(2, 4), MakeBgrx(10, 20, 30));
    EXPECT_EQ(s.At(3, 4), kBlack);
    EXPECT_EQ(s.At(5, 4), kBlack);
}

Map Edge(std::uint32_t edge, std::uint32_t flags) {
    Surface s(8, 6, MakeBgrx(1, 2, 3));
    Canvas c(s);
    Rect r{0, 0, 8, 6};
    EXPECT_TRUE(c.DrawEdge(r, edge, flags | kBfRect | kBfMiddle));
    return test::PixelMap(s, 0, 0, 8, 6, kGreys);
}

TEST(CanvasFrames, DrawEdgeClassicColours) {
    EXPECT_EQ(Edge(kEdgeRaised, 0),
              (Map{"LLLLLLLK", "LWWWWWSK", "LWFFFFSK", "LWFFFFSK", "LSSSSSSK", "KKKKKKKK"}));
    EXPECT_EQ(Edge(kEdgeSunken, 0),
              (Map{"SSSSSSSW", "SKKKKKLW", "SKFFFFLW", "SKFFFFLW", "SLLLLLLW", "WWWWWWWW"}));
    EXPECT_EQ(Edge(kEdgeRaised, kBfSoft),
              (Map{"WWWWWWWK", "WLLLLLSK", "WLFFFFSK", "WLFFFFSK", "WSSSSSSK", "KKKKKKKK"}));
    EXPECT_EQ(Edge(kEdgeSunken, kBfSoft),
              (Map{"KKKKKKKW", "KSSSSSLW", "KSFFFFLW", "KSFFFFLW", "KLLLLLLW", "WWWWWWWW"}));
    EXPECT_EQ(Edge(kEdgeRaised, kBfFlat),
              (Map{"SSSSSSSS", "SFFFFFFS", "SFFFFFFS", "SFFFFFFS", "SFFFFFFS", "SSSSSSSS"}));
}

TEST(CanvasFrames, DrawEdgeAdjustAndConfigurableLight) {
    Surface s(8, 6, 0);
    Canvas c(s);
    SystemColours colours;
    colours.light_3d = kFace;
    c.SetSystemColours(colours);
    Rect r{0, 0, 8, 6};
    c.DrawEdge(r, kEdgeRaised, kBfRect | kBfAdjust);
    EXPECT_EQ(r, (Rect{2, 2, 6, 4}));
    EXPECT_EQ(s.At(0, 0), kFace);
    EXPECT_EQ(s.At(3, 3), 0u);  // no middle asked for
}

TEST(CanvasFrames, PushButtonFrames) {
    Surface s(8, 6, 0);
    Canvas c(s);
    Rect r{0, 0, 8, 6};
    EXPECT_TRUE(c.DrawFrameControl(r, kDfcButton, kDfcsButtonPush));
    EXPECT_EQ(test::PixelMap(s, 0, 0, 8, 6, kGreys),
              (Map{"WWWWWWWK", "WLLLLLSK", "WLFFFFSK", "WLFFFFSK", "WSSSSSSK", "KKKKKKKK"}));
    EXPECT_TRUE(c.DrawFrameControl(r, kDfcButton, kDfcsButtonPush | kDfcsPushed));
    EXPECT_EQ(test::PixelMap(s, 0, 0, 8, 6, kGreys),
              (Map{"KKKKKKKW", "KSSSSSLW", "KSFFFFLW", "KSFFFFLW", "KLLLLLLW", "WWWWWWWW"}));
    EXPECT_TRUE(c.DrawFrameControl(r, kDfcButton, kDfcsButtonPush | kDfcsFlat | kDfcsAdjustRect));
    EXPECT_EQ(test::PixelMap(s, 0, 0, 8, 6, kGreys),
              (Map{"SSSSSSSS", "SFFFFFFS", "SFFFFFFS", "SFFFFFFS", "SFFFFFFS", "SSSSSSSS"}));
    EXPECT_EQ(r, (Rect{2, 2, 6, 4}));
    EXPECT_FALSE(c.DrawFrameControl(r, 1, 0));
}

std::map<Bgrx, char> ArrowLegend() {
    std::map<Bgrx, char> legend = kGreys;
    legend[kFace] = '.';
    legend[kBlack] = 'K';
    return legend;
}

Map Scroll(std::int32_t n, std::uint32_t state) {
    Surface s(n, n, MakeBgrx(1, 2, 3));
    Canvas c(s);
    Rect r{0, 0, n, n};
    EXPECT_TRUE(c.DrawFrameControl(r, kDfcScroll, state));
    return test::PixelMap(s, 0, 0, n, n, ArrowLegend());
}

TEST(CanvasFrames, ScrollArrowMaps) {
    // The arrow is black like the dark shadow: the frame's black is on the last row and column.
    EXPECT_EQ(Scroll(16, kDfcsScrollDown), (Map{
                                               "LLLLLLLLLLLLLLLK",
                                               "LWWWWWWWWWWWWWSK",
                                               "LW............SK",
                                               "LW............SK",
                                               "LW............SK",
                                               "LW............SK",
                                               "LW..KKKKKKK...SK",
                                               "LW...KKKKK....SK",
                                               "LW....KKK.....SK",
                                               "LW.....K......SK",
                                               "LW............SK",
                                               "LW............SK",
                                               "LW............SK",
                                               "LW............SK",
                                               "LSSSSSSSSSSSSSSK",
                                               "KKKKKKKKKKKKKKKK",
                                           }));
    EXPECT_EQ(Scroll(16, kDfcsScrollDown | kDfcsPushed | kDfcsFlat), (Map{
                                                                         "SSSSSSSSSSSSSSSS",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "S....KKKKKKK...S",
                                                                         "S.....KKKKK....S",
                                                                         "S......KKK.....S",
                                                                         "S.......K......S",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "S..............S",
                                                                         "SSSSSSSSSSSSSSSS",
                                                                     }));
    const Map seventeen = Scroll(17, kDfcsScrollDown);
    EXPECT_EQ(seventeen[7], "LW...KKKKKKK...SK");
    EXPECT_EQ(seventeen[10], "LW......K......SK");
    EXPECT_EQ(seventeen[15], "LSSSSSSSSSSSSSSSK");
}

TEST(CanvasFrames, ScrollArrowPlacement) {
    struct Case {
        std::int32_t n;
        std::uint32_t arrow;
        Rect glyph;  // columns and rows of the arrow, right/bottom exclusive
    };
    const Case cases[] = {
        {16, kDfcsScrollDown, {4, 6, 11, 10}}, {16, kDfcsScrollUp, {4, 5, 11, 9}},
        {16, kDfcsScrollLeft, {5, 4, 9, 11}},  {16, kDfcsScrollRight, {6, 4, 10, 11}},
        {17, kDfcsScrollDown, {5, 7, 12, 11}}, {17, kDfcsScrollUp, {5, 5, 12, 9}},
        {17, kDfcsScrollLeft, {5, 5, 9, 12}},  {17, kDfcsScrollRight, {7, 5, 11, 12}},
    };
    for (const Case& k : cases) {
        // Paint the glyph in a colour of its own to find it.
        Surface s(k.n, k.n, 0);
        Canvas c(s);
        SystemColours colours;
        colours.btn_text = MakeBgrx(1, 1, 1);
        c.SetSystemColours(colours);
        Rect r{0, 0, k.n, k.n};
        c.DrawFrameControl(r, kDfcScroll, k.arrow);
        Rect box{k.n, k.n, 0, 0};
        int count = 0;
        for (int y = 0; y < k.n; ++y) {
            for (int x = 0; x < k.n; ++x) {
                if (s.At(x, y) != MakeBgrx(1, 1, 1)) continue;
                ++count;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
        EXPECT_EQ(box, k.glyph) << k.n << " arrow " << k.arrow;
        EXPECT_EQ(count, 16) << k.n << " arrow " << k.arrow;  // 7 + 5 + 3 + 1
    }
}

TEST(CanvasFrames, InactiveArrowIsEmbossed) {
    const Map m = Scroll(16, kDfcsScrollDown | kDfcsInactive);
    EXPECT_EQ(m[6], "LW..SSSSSSS...SK");
    EXPECT_EQ(m[7], "LW...SSSSSWW..SK");
    EXPECT_EQ(m[10], "LW......W.....SK");
}

TEST(CanvasFrames, Draw3dRect) {
    Surface s(6, 5, kFace);
    Canvas c(s);
    c.Draw3dRect({0, 0, 6, 5}, kWhite, kShadow);
    EXPECT_EQ(test::PixelMap(s, 0, 0, 6, 5, kGreys),
              (Map{"WWWWWS", "WFFFFS", "WFFFFS", "WFFFFS", "SSSSSS"}));
}

}  // namespace
}  // namespace velk
