#include <gtest/gtest.h>

#include <vector>

#include "canvas_test_util.h"
#include "gfx/canvas.h"

namespace velk {
namespace {

using test::kBlack;
using test::kWhite;

// A source whose pixel (x, y) has red = 10 * x + 1 and green = 10 * y + 1.
Surface Numbered(std::int32_t w, std::int32_t h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            s.Set(x, y,
                  MakeBgrx(static_cast<std::uint8_t>(10 * x + 1),
                           static_cast<std::uint8_t>(10 * y + 1), 0));
        }
    }
    return s;
}

// The source column and row each destination pixel came from.
std::vector<std::vector<std::pair<int, int>>> Sources(const Surface& s, Rect r) {
    std::vector<std::vector<std::pair<int, int>>> out;
    for (int y = r.top; y < r.bottom; ++y) {
        out.emplace_back();
        for (int x = r.left; x < r.right; ++x) {
            out.back().push_back({(RedOf(s.At(x, y)) - 1) / 10, (GreenOf(s.At(x, y)) - 1) / 10});
        }
    }
    return out;
}

TEST(CanvasBlit, CopyIsClippedToSourceAndDestination) {
    const Surface src = Numbered(4, 4);
    Surface dst(6, 6, kWhite);
    Canvas c(dst);
    c.BitBlt(3, -1, 4, 4, src, -1, 0);
    // Destination x 4..5 (source x 0..1; x = 3 would need source -1), rows 0..2 (source 1..3).
    EXPECT_EQ(dst.At(3, 0), kWhite);
    EXPECT_EQ(dst.At(4, 0), src.At(0, 1));
    EXPECT_EQ(dst.At(5, 2), src.At(1, 3));
    EXPECT_EQ(test::PaintedPixels(dst, kWhite).size(), 6u);
}

TEST(CanvasBlit, CopyWithinOneSurfaceReadsTheOldPixels) {
    Surface s = Numbered(6, 1);
    const Surface before = s;
    Canvas c(s);
    c.BitBlt(1, 0, 5, 1, s, 0, 0);
    for (int x = 1; x < 6; ++x) EXPECT_EQ(s.At(x, 0), before.At(x - 1, 0));
}

TEST(CanvasBlit, KeyedCopyLeavesKeyPixelsUntouched) {
    for (const Bgrx key : {kBlack, MakeBgrx(255, 0, 255)}) {
        Surface src(3, 1);
        src.Set(0, 0, key);
        src.Set(1, 0, MakeBgrx(1, 2, 3));
        src.Set(2, 0, key);
        Surface dst(3, 1, MakeBgrx(9, 9, 9));
        Canvas c(dst);
        c.BitBltKeyed(0, 0, 3, 1, src, 0, 0, key);
        EXPECT_EQ(dst.At(0, 0), MakeBgrx(9, 9, 9));
        EXPECT_EQ(dst.At(1, 0), MakeBgrx(1, 2, 3));
        EXPECT_EQ(dst.At(2, 0), MakeBgrx(9, 9, 9));
    }
}

TEST(CanvasBlit, StretchTwoByTwoToFiveByThree) {
    const Surface src = Numbered(2, 2);
    Surface dst(5, 3);
    Canvas c(dst);
    c.StretchBlt(0, 0, 5, 3, src, 0, 0, 2, 2);
    // Columns 0 0 0 1 1 (the tie at column 2 goes low), rows 0 0 1.
    const std::vector<std::vector<std::pair<int, int>>> expected = {
        {{0, 0}, {0, 0}, {0, 0}, {1, 0}, {1, 0}},
        {{0, 0}, {0, 0}, {0, 0}, {1, 0}, {1, 0}},
        {{0, 1}, {0, 1}, {0, 1}, {1, 1}, {1, 1}},
    };
    EXPECT_EQ(Sources(dst, {0, 0, 5, 3}), expected);
}

TEST(CanvasBlit, StretchThreeToSevenAndMirror) {
    const Surface src = Numbered(3, 1);
    Surface dst(7, 1);
    Canvas c(dst);
    c.StretchBlt(0, 0, 7, 1, src, 0, 0, 3, 1);
    auto columns = [&] {
        std::vector<int> cols;
        const auto sources = Sources(dst, {0, 0, 7, 1});
        for (const auto& p : sources[0]) cols.push_back(p.first);
        return cols;
    };
    std::vector<int> cols = columns();
    EXPECT_EQ(cols, (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
    // A negative destination width runs from x + width to x and mirrors.
    dst.Fill(0);
    c.StretchBlt(7, 0, -7, 1, src, 0, 0, 3, 1);
    EXPECT_EQ(columns(), (std::vector<int>{2, 2, 1, 1, 1, 0, 0}));
}

TEST(CanvasBlit, ShrinkingMergesByTheStretchMode) {
    Surface src(5, 1);
    const Bgrx px[] = {0xF0F0F0, 0x3C3C3C, 0xFF00FF, 0x0F0F0F, 0x00FF00};
    for (int x = 0; x < 5; ++x) src.Set(x, 0, px[x]);
    Surface dst(2, 1);
    Canvas c(dst);
    c.StretchBlt(0, 0, 2, 1, src, 0, 0, 5, 1);  // black-on-white by default: AND
    EXPECT_EQ(dst.At(0, 0), px[0] & px[1] & px[2]);
    EXPECT_EQ(dst.At(1, 0), px[3] & px[4]);
    c.SetStretchMode(StretchMode::kWhiteOnBlack);
    c.StretchBlt(0, 0, 2, 1, src, 0, 0, 5, 1);
    EXPECT_EQ(dst.At(0, 0), px[0] | px[1] | px[2]);
    EXPECT_EQ(dst.At(1, 0), px[3] | px[4]);
    c.SetStretchMode(StretchMode::kColorOnColor);
    c.StretchBlt(0, 0, 2, 1, src, 0, 0, 5, 1);  // the last column of each group
    EXPECT_EQ(dst.At(0, 0), px[2]);
    EXPECT_EQ(dst.At(1, 0), px[4]);
}

TEST(CanvasBlit, ShrinkGroupsAndTheOnePixelRule) {
    const Surface src = Numbered(7, 7);
    Surface dst(3, 3);
    Canvas c(dst);
    c.SetStretchMode(StretchMode::kColorOnColor);
    c.StretchBlt(0, 0, 3, 3, src, 0, 0, 7, 7);
    // Groups {0,1} {2,3,4} {5,6}: the first row of each, the last column of each.
    const auto s = Sources(dst, {0, 0, 3, 3});
    EXPECT_EQ(s[0], (std::vector<std::pair<int, int>>{{1, 0}, {4, 0}, {6, 0}}));
    EXPECT_EQ(s[1], (std::vector<std::pair<int, int>>{{1, 2}, {4, 2}, {6, 2}}));
    EXPECT_EQ(s[2], (std::vector<std::pair<int, int>>{{1, 5}, {4, 5}, {6, 5}}));

    // One destination column merges all but the last source column.
    Surface row(3, 1);
    row.Set(0, 0, 0x00FFFF);
    row.Set(1, 0, 0x0000FF);
    row.Set(2, 0, 0x000000);
    Surface one(1, 1);
    Canvas d(one);
    d.StretchBlt(0, 0, 1, 1, row, 0, 0, 3, 1);
    EXPECT_EQ(one.At(0, 0), 0x0000FFu);
}

TEST(CanvasBlit, StretchIsClippedToTheDestination) {
    const Surface src = Numbered(2, 2);
    Surface dst(4, 4, kWhite);
    Canvas c(dst);
    c.IntersectClip({0, 0, 2, 4});
    c.StretchBlt(0, 0, 4, 4, src, 0, 0, 2, 2);
    EXPECT_EQ(dst.At(1, 3), src.At(0, 1));
    EXPECT_EQ(dst.At(2, 0), kWhite);
}

}  // namespace
}  // namespace velk
