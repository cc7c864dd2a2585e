#include "pages/transition_frames.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "base/runtime_random.h"

namespace velk {
namespace {

// Pages whose every pixel names its page (red: 1 old, 2 new) and its picture position (green
// row from the top, blue column), so a frame shows where each of its pixels came from.
constexpr std::uint8_t kOld = 1;
constexpr std::uint8_t kNew = 2;

Surface Page(std::uint8_t tag, std::int32_t w, std::int32_t h) {
    Surface s(w, h);
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            s.Set(x, y, MakeBgrx(tag, static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x)));
        }
    }
    return s;
}

Bgrx From(std::uint8_t tag, std::int32_t x, std::int32_t y) {
    return MakeBgrx(tag, static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x));
}

// The frame as text, top row first: 'F' where it shows the old page's own pixel, 'T' where it
// shows the new page's own pixel, '?' elsewhere.
std::vector<std::string> Sources(const Surface& out) {
    std::vector<std::string> rows;
    for (std::int32_t y = 0; y < out.Height(); ++y) {
        std::string row;
        for (std::int32_t x = 0; x < out.Width(); ++x) {
            const Bgrx p = out.At(x, y);
            row += p == From(kOld, x, y) ? 'F' : p == From(kNew, x, y) ? 'T' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

struct Frame {
    explicit Frame(std::int32_t w, std::int32_t h, std::uint32_t seed = 1)
        : old_page(Page(kOld, w, h)),
          new_page(Page(kNew, w, h)),
          out(w, h),
          random(seed),
          inputs(random) {}

    const Surface& Draw(int effect, int k, int n) {
        DrawTransitionFrame(effect, k, n, old_page, new_page, out, inputs);
        return out;
    }
    const Surface& DrawAt(int effect, double p) {
        DrawTransitionProgressFrame(effect, p, old_page, new_page, out, inputs);
        return out;
    }

    Surface old_page;
    Surface new_page;
    Surface out;
    RuntimeRandom random;
    TransitionInputs inputs;
};

TEST(TransitionFramesTest, StepsAndIntervalFollowTheDuration) {
    struct Case {
        std::int32_t duration;
        int n;
        int interval;
    };
    const Case cases[] = {
        {500, 16, 31},  {150, 4, 37},   {2000, 30, 66}, {-10, 10, 1},   {0, 4, 1},
        {1, 4, 1},      {199, 4, 49},   {200, 8, 25},   {299, 8, 37},   {300, 12, 25},
        {499, 12, 41},  {599, 16, 37},  {600, 18, 33},  {999, 18, 55},  {1000, 20, 50},
        {1199, 20, 59}, {1200, 26, 46}, {1399, 26, 53}, {1400, 30, 46},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TransitionFrameCount(1, c.duration), c.n) << c.duration;
        EXPECT_EQ(TransitionFrameCount(17, c.duration), c.n) << c.duration;
        EXPECT_EQ(TransitionInterval(c.duration), c.interval) << c.duration;
    }
    // No transition, or an effect number the format does not have.
    EXPECT_EQ(TransitionFrameCount(0, 500), 0);
    EXPECT_EQ(TransitionFrameCount(19, 500), 0);
    // The most negative stored duration asks for more steps than an int holds.
    EXPECT_EQ(TransitionFrameCount(1, std::numeric_limits<std::int32_t>::min()),
              std::numeric_limits<int>::max());

    EXPECT_DOUBLE_EQ(TransitionProgressStep(500), 0.02);
    EXPECT_DOUBLE_EQ(TransitionProgressStep(50), 0.1);
    EXPECT_DOUBLE_EQ(TransitionProgressStep(-10), 0.1);
}

TEST(TransitionFramesTest, GeneratorRepeatsTheRuntimeSequence) {
    // The runtime's well-known sequence for its default seed 1.
    RuntimeRandom a;
    const std::int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (std::int32_t v : expected) EXPECT_EQ(a.Next(), v);

    RuntimeRandom b(12345);
    RuntimeRandom c(12345);
    for (int i = 0; i < 1000; ++i) {
        const std::int32_t v = b.Next();
        ASSERT_EQ(v, c.Next());
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RuntimeRandom::kMax);
    }
    b.Seed(1);
    EXPECT_EQ(b.Next(), 41);
}

// Effects 2 to 9 on 10 x 10 pixels with N = 4: g = s = 2; rows run two steps ahead (4, 8, 12
// limited to 10 at k = 4, 2, 0), columns one step (2, 6, 10).
TEST(TransitionFramesTest, WipesAndSlides) {
    enum Axis { kRows, kColumns };
    struct Case {
        int effect;
        int k;
        Axis axis;
        int first;  // the band of the frame that shows the new page
        int count;
        int shift;  // the new page's row or column shown there, relative to the frame's
    };
    const Case cases[] = {
        {2, 4, kRows, 0, 4, 0},     {3, 4, kRows, 6, 4, 0},     {6, 4, kRows, 0, 4, 6},
        {7, 4, kRows, 6, 4, -6},    {4, 4, kColumns, 0, 2, 0},  {5, 4, kColumns, 8, 2, 0},
        {8, 4, kColumns, 0, 2, 8},  {9, 4, kColumns, 8, 2, -8},

        {2, 2, kRows, 0, 8, 0},     {3, 2, kRows, 2, 8, 0},     {6, 2, kRows, 0, 8, 2},
        {7, 2, kRows, 2, 8, -2},    {4, 2, kColumns, 0, 6, 0},  {5, 2, kColumns, 4, 6, 0},
        {8, 2, kColumns, 0, 6, 4},  {9, 2, kColumns, 4, 6, -4},

        {2, 0, kRows, 0, 10, 0},    {3, 0, kRows, 0, 10, 0},    {6, 0, kRows, 0, 10, 0},
        {7, 0, kRows, 0, 10, 0},    {4, 0, kColumns, 0, 10, 0}, {5, 0, kColumns, 0, 10, 0},
        {8, 0, kColumns, 0, 10, 0}, {9, 0, kColumns, 0, 10, 0},
    };
    for (const Case& c : cases) {
        Frame f(10, 10);
        const Surface& out = f.Draw(c.effect, c.k, 4);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const int at = c.axis == kRows ? y : x;
                Bgrx expected = From(kOld, x, y);
                if (at >= c.first && at < c.first + c.count) {
                    expected =
                        c.axis == kRows ? From(kNew, x, y + c.shift) : From(kNew, x + c.shift, y);
                }
                ASSERT_EQ(out.At(x, y), expected)
                    << "effect " << c.effect << " k " << c.k << " at " << x << "," << y;
            }
        }
    }
}

TEST(TransitionFramesTest, DownwardWipeRunsTwoStepsAhead) {
    // H = 100, N = 16: g = 6; the first frame shows 12 rows, the 16th frame (k = 1) all.
    Frame f(3, 100);
    auto new_rows = [&](int k) {
        f.Draw(2, k, 16);
        int rows = 0;
        while (rows < 100 && f.out.At(0, rows) == From(kNew, 0, rows)) ++rows;
        for (int y = rows; y < 100; ++y) EXPECT_EQ(f.out.At(0, y), From(kOld, 0, y));
        return rows;
    };
    EXPECT_EQ(new_rows(16), 12);
    EXPECT_EQ(new_rows(9), 54);
    EXPECT_EQ(new_rows(2), 96);
    EXPECT_EQ(new_rows(1), 100);
    EXPECT_EQ(new_rows(0), 100);
}

// Blinds: bands of N buffer rows counted from the bottom of the picture, the last band cut
// short (H = 10, N = 4: buffer rows 0-3, 4-7, 8-9).
TEST(TransitionFramesTest, Blinds) {
    struct Case {
        int effect;
        int k;
        std::string new_rows;  // top row first: 'T' for rows of the new page
    };
    const Case cases[] = {
        {10, 4, "FFFFFFFFFF"}, {10, 3, "FTFFFTFFFT"}, {10, 1, "TTFTTTFTTT"}, {10, 0, "TTTTTTTTTT"},
        {11, 4, "FFFFFFFFFF"}, {11, 3, "FFTFFFTFFF"}, {11, 1, "TFTTTFTTTF"}, {11, 0, "TTTTTTTTTT"},
    };
    for (const Case& c : cases) {
        Frame f(3, 10);
        const auto rows = Sources(f.Draw(c.effect, c.k, 4));
        std::string seen;
        for (const std::string& row : rows) {
            EXPECT_TRUE(row == "FFF" || row == "TTT") << row;
            seen += row[0];
        }
        EXPECT_EQ(seen, c.new_rows) << "effect " << c.effect << " k " << c.k;
    }
}

// The mask's first row lies on buffer row 0, the bottom of the picture. With N = 4 the
// threshold is 255 / 4 x k: 255 at k = 4, 127 at k = 2, 0 at k = 0.
TEST(TransitionFramesTest, MaskWipe) {
    const std::vector<std::uint8_t> mask = {10, 200, 255, 100};  // 2 x 2
    struct Case {
        std::int32_t width;
        bool stretch;
        bool invert;
        int k;
        std::vector<std::string> sources;
    };
    const Case cases[] = {
        // Tiled: mask column x mod 2, mask row (buffer row) mod 2.
        {4, false, false, 4, {"FFFF", "FFFF", "FFFF", "FFFF"}},
        {4, false, false, 2, {"TFTF", "FTFT", "TFTF", "FTFT"}},
        {4, false, false, 0, {"TTTT", "TTTT", "TTTT", "TTTT"}},
        // Inverted: m < 255 - t.
        {4, false, true, 4, {"FFFF", "FFFF", "FFFF", "FFFF"}},
        {4, false, true, 2, {"FTFT", "TFTF", "FTFT", "TFTF"}},
        // A mask byte of 255 never passes, not even at k = 0.
        {4, false, true, 0, {"FTFT", "TTTT", "FTFT", "TTTT"}},
        // Stretched over 5 x 4: a mask pixel covers 5 / 2 + 1 = 3 columns, mask row =
        // buffer row x 2 / 4.
        {5, true, false, 2, {"TTTFF", "TTTFF", "FFFTT", "FFFTT"}},
        {5, true, false, 0, {"TTTTT", "TTTTT", "TTTTT", "TTTTT"}},
    };
    for (const Case& c : cases) {
        Frame f(c.width, 4);
        f.inputs.mask = mask;
        f.inputs.mask_width = 2;
        f.inputs.mask_height = 2;
        f.inputs.mask_stretch = c.stretch;
        f.inputs.mask_invert = c.invert;
        EXPECT_EQ(Sources(f.Draw(1, c.k, 4)), c.sources)
            << "stretch " << c.stretch << " invert " << c.invert << " k " << c.k;
    }
}

TEST(TransitionFramesTest, MaskWipeWithoutUsableMaskCutsAtTheEnd) {
    const std::vector<std::uint8_t> bytes = {255, 255, 255};
    struct Case {
        std::uint32_t width;
        std::uint32_t height;
    };
    // Bytes too few for the stated size; zero sizes; a size whose product wraps 32 bits.
    const Case cases[] = {{2, 2}, {0, 3}, {3, 0}, {0x10000, 0x10000}};
    for (const Case& c : cases) {
        Frame f(3, 2);
        f.inputs.mask = bytes;
        f.inputs.mask_width = c.width;
        f.inputs.mask_height = c.height;
        EXPECT_EQ(Sources(f.Draw(1, 3, 4)), (std::vector<std::string>{"FFF", "FFF"}));
        EXPECT_EQ(Sources(f.Draw(1, 0, 4)), (std::vector<std::string>{"TTT", "TTT"}));
    }
}

TEST(TransitionFramesTest, CrossFadeIsTheStoreBlend) {
    // Weight min(255, 255 / N x (N - k)): 0 at k = N, 127 at k = 2 of 4, 255 at k = 0; each
    // channel (old x (255 - t) + new x t) >> 8, so even the end points lose a little.
    struct Case {
        int k;
        std::uint8_t r, g, b;
    };
    const Case cases[] = {{4, 199, 99, 0}, {2, 100, 74, 126}, {0, 0, 49, 254}};
    for (const Case& c : cases) {
        Frame f(2, 2);
        f.old_page.Fill(MakeBgrx(200, 100, 0));
        f.new_page.Fill(MakeBgrx(0, 50, 255));
        const Surface& out = f.Draw(12, c.k, 4);
        for (Bgrx p : out.Pixels()) EXPECT_EQ(p, MakeBgrx(c.r, c.g, c.b)) << "k " << c.k;
    }
}

TEST(TransitionFramesTest, MismatchedSurfacesAndUnknownEffectsDrawNothing) {
    Frame f(4, 4);
    const Surface untouched(4, 4, MakeBgrx(9, 9, 9));
    Surface small = Page(kNew, 3, 4);
    for (int effect : {1, 2, 10, 12, 13, 14, 16}) {
        f.out = untouched;
        DrawTransitionFrame(effect, 0, 4, f.old_page, small, f.out, f.inputs);
        EXPECT_EQ(f.out, untouched) << effect;
    }
    for (int effect : {0, 18, 19, -1}) {
        f.out = untouched;
        f.Draw(effect, 0, 4);
        EXPECT_EQ(f.out, untouched) << effect;
    }
}

// Effect 13 on a 2 x 2 picture: one level of the grid (c = 2, d = 2: t = 6, u = 3), five draws
// in step order; steps 4 and 5 wrap onto the cells of steps 3 and 2. The grid is read
// transposed.
TEST(TransitionFramesTest, HeightFieldDrawsInStepOrder) {
    Frame f(2, 2, 7);
    ASSERT_TRUE(PrepareTransitionTables(13, 2, 2, f.inputs));
    RuntimeRandom same(7);
    std::int32_t r[5];
    for (std::int32_t& v : r) v = (same.Next() - 16383) % 6 - 3;
    const std::int32_t g11 = r[0];
    const std::int32_t g01 = r[3];  // grid row 0, column 1 (step 3, replaced by step 4)
    const std::int32_t g10 = r[4];  // grid row 1, column 0 (step 2, replaced by step 5)
    const std::vector<std::int32_t> heights = {0, g10, g01, g11};  // buffer order
    EXPECT_EQ(f.inputs.tables.heights, heights);
    EXPECT_EQ(f.inputs.tables.min_height, std::min({0, g10, g01, g11}));
    EXPECT_EQ(f.inputs.tables.max_height, std::max({0, g10, g01, g11}));
    // Seed 1: the draws -16342, 2084, -10049, 10117, 2786 give -7, -1 and -2.
    Frame g(2, 2, 1);
    ASSERT_TRUE(PrepareTransitionTables(13, 2, 2, g.inputs));
    EXPECT_EQ(g.inputs.tables.heights, (std::vector<std::int32_t>{0, -1, -2, -7}));

    // One pixel: no level at all, and no number drawn.
    Frame one(1, 1, 1);
    ASSERT_TRUE(PrepareTransitionTables(13, 1, 1, one.inputs));
    EXPECT_EQ(one.inputs.tables.heights, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(one.random.Next(), 41);
}

TEST(TransitionFramesTest, HeightFieldIsRepeatableFromTheSeed) {
    Frame a(37, 21, 99);
    Frame b(37, 21, 99);
    a.DrawAt(13, 0.4);
    b.DrawAt(13, 0.4);
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(a.inputs.tables.heights, b.inputs.tables.heights);
    EXPECT_EQ(a.inputs.tables.heights.size(), 37u * 21u);
    EXPECT_LT(a.inputs.tables.min_height, a.inputs.tables.max_height);
}

TEST(TransitionFramesTest, BurningEdge) {
    // Heights 0 ... 60 in a 6 x 1 picture: d = floor(90 x p) + 0.
    Frame f(6, 1);
    ASSERT_TRUE(PrepareTransitionTables(13, 6, 1, f.inputs));
    f.inputs.tables.heights = {0, 10, 20, 25, 35, 60};
    f.inputs.tables.min_height = 0;
    f.inputs.tables.max_height = 60;
    const Bgrx dark_red = MakeBgrx(128, 0, 0);
    const Bgrx yellow = MakeBgrx(255, 255, 0);
    const Bgrx orange = MakeBgrx(255, 96, 0);
    struct Case {
        double p;
        std::vector<Bgrx> row;
    };
    const Case cases[] = {
        // d = 0: everything still old.
        {0.0,
         {From(kOld, 0, 0), From(kOld, 1, 0), From(kOld, 2, 0), From(kOld, 3, 0), From(kOld, 4, 0),
          From(kOld, 5, 0)}},
        // d = 45: below 15 new, below 25 dark red, below 35 yellow, below 45 orange.
        {0.5, {From(kNew, 0, 0), From(kNew, 1, 0), dark_red, yellow, orange, From(kOld, 5, 0)}},
        // d = 90: all new but the highest point, which glows dark red.
        {1.0,
         {From(kNew, 0, 0), From(kNew, 1, 0), From(kNew, 2, 0), From(kNew, 3, 0), From(kNew, 4, 0),
          dark_red}},
    };
    for (const Case& c : cases) {
        f.DrawAt(13, c.p);
        EXPECT_EQ(std::vector<Bgrx>(f.out.Pixels().begin(), f.out.Pixels().end()), c.row) << c.p;
    }
    // Frame k of N maps to p = (N - k) / N: k = 2 of 4 is p = 0.5.
    f.Draw(13, 2, 4);
    EXPECT_EQ(f.out.At(3, 0), yellow);
}

TEST(TransitionFramesTest, ScatterTargetsDrawColumnThenRow) {
    Frame f(3, 4, 5);
    ASSERT_TRUE(PrepareTransitionTables(14, 3, 4, f.inputs));
    RuntimeRandom same(5);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(f.inputs.tables.scatter_columns[i], (same.Next() - 16383) % 6);
        EXPECT_EQ(f.inputs.tables.scatter_rows[i], (same.Next() - 16383) % 2 + 10);
    }
    // One row: no range for the row, which stays at 5 x 1 / 2 = 2 (a draw is still used).
    Frame flat(2, 1, 5);
    ASSERT_TRUE(PrepareTransitionTables(15, 2, 1, flat.inputs));
    EXPECT_EQ(flat.inputs.tables.scatter_rows, (std::vector<std::int32_t>{2, 2}));
    RuntimeRandom after(5);
    for (int i = 0; i < 4; ++i) after.Next();
    EXPECT_EQ(flat.random.Next(), after.Next());
}

TEST(TransitionFramesTest, ScatterFrames) {
    const std::vector<std::string> old_page = {"FFFF", "FFFF"};
    const std::vector<std::string> new_page = {"TTTT", "TTTT"};
    for (int effect : {14, 15}) {
        Frame f(4, 2, 3);
        // At the start every pixel is still home; at the end all have flown off (rows of
        // 5 H / 2 and more).
        EXPECT_EQ(Sources(f.DrawAt(effect, 0.0)), old_page) << effect;
        EXPECT_EQ(Sources(f.DrawAt(effect, 1.0)), new_page) << effect;
        EXPECT_EQ(Sources(f.Draw(effect, 4, 4)), old_page) << effect;
        EXPECT_EQ(Sources(f.Draw(effect, 0, 4)), new_page) << effect;
    }

    // Halfway e = 512 x 512 = 2^18: a pixel moves a quarter of the way, truncated toward zero.
    struct Case {
        int effect;
        int column_offset;             // target column minus own column, for every pixel
        std::vector<Bgrx> bottom_row;  // buffer row 0, left to right
    };
    // Buffer row 0 is the picture's bottom row (picture row 1).
    const Case cases[] = {
        // +4 moves one column right.
        {14, 4, {From(kNew, 0, 1), From(kOld, 0, 1), From(kOld, 1, 1), From(kOld, 2, 1)}},
        // -5 gives -1.25, which truncates to one column left (not two).
        {14, -5, {From(kOld, 1, 1), From(kOld, 2, 1), From(kOld, 3, 1), From(kNew, 3, 1)}},
        // Effect 15 flies the mirrored pixel to the mirrored place: a move to the left.
        {15, 4, {From(kOld, 1, 1), From(kOld, 2, 1), From(kOld, 3, 1), From(kNew, 3, 1)}},
    };
    for (const Case& c : cases) {
        Frame f(4, 2);
        ASSERT_TRUE(PrepareTransitionTables(c.effect, 4, 2, f.inputs));
        for (std::int32_t i = 0; i < 8; ++i) {
            f.inputs.tables.scatter_columns[i] = i % 4 + c.column_offset;
            f.inputs.tables.scatter_rows[i] = i / 4;  // rows stay
        }
        f.DrawAt(c.effect, 0.5);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(f.out.At(x, 1), c.bottom_row[x])
                << "effect " << c.effect << " offset " << c.column_offset << " x " << x;
        }
    }
}

TEST(TransitionFramesTest, ScatterIsRepeatableFromTheSeed) {
    Frame a(9, 7, 4242);
    Frame b(9, 7, 4242);
    Frame c(9, 7, 4243);
    for (double p : {0.1, 0.3}) {
        a.DrawAt(15, p);
        b.DrawAt(15, p);
        c.DrawAt(15, p);
        EXPECT_EQ(a.out, b.out);
    }
    EXPECT_NE(a.inputs.tables.scatter_columns, c.inputs.tables.scatter_columns);
}

TEST(TransitionFramesTest, CurlTables) {
    const CurlTables t = MakeCurlTables();
    struct Case {
        int k;
        std::int32_t x, y;
        double weight;
    };
    // cos(3 pi / 2) is a hair below zero in floating point; the entry stays 0.
    const Case cases[] = {{0, 0, 0, 1.0},       {1, 0, 0, 0.992},   {2, 1, 0, 0.984},
                          {124, 87, 36, 0.008}, {125, 88, 36, 0.5}, {249, 124, 124, 0.996}};
    for (const Case& c : cases) {
        EXPECT_EQ(t.x[c.k], c.x) << c.k;
        EXPECT_EQ(t.y[c.k], c.y) << c.k;
        EXPECT_NEAR(t.weight[c.k], c.weight, 1e-12) << c.k;
    }
    for (int k = 0; k < kCurlSteps; ++k) {
        EXPECT_GE(t.x[k], 0);
        EXPECT_GE(t.y[k], 0);
    }
}

TEST(TransitionFramesTest, CurlPosition) {
    EXPECT_EQ(InitialCurlPosition(16, 100), 100);
    EXPECT_EQ(InitialCurlPosition(17, 100), -200);
    EXPECT_EQ(CurlPositionAfter(16, 100, 0.5), -50);
    EXPECT_EQ(CurlPositionAfter(17, 100, 0.5), -50);
    EXPECT_EQ(CurlPositionAfter(16, 10, 0.01), 9);    // 9.7 truncated
    EXPECT_EQ(CurlPositionAfter(17, 10, 0.01), -19);  // -19.7 truncated toward zero
}

TEST(TransitionFramesTest, CurlFrames) {
    // One row, P = 1: x = 0, 1 lie flat; x = 2 and 3 bend onto columns P + X_1 = 1 and
    // P + X_2 = 2, dimmed by 0.992 and 0.984; the last column keeps the start page.
    struct Case {
        int effect;
        Bgrx curled;  // the page that curls
        Bgrx start;   // the page under it
    };
    const Case cases[] = {{16, MakeBgrx(250, 250, 250), MakeBgrx(5, 5, 5)},
                          {17, MakeBgrx(5, 5, 5), MakeBgrx(250, 250, 250)}};
    for (const Case& c : cases) {
        Frame f(4, 1);
        Surface& curled = c.effect == 16 ? f.old_page : f.new_page;
        Surface& start = c.effect == 16 ? f.new_page : f.old_page;
        curled.Fill(c.curled);
        start.Fill(c.start);
        curled.Set(1, 0, MakeBgrx(100, 100, 100));
        ASSERT_TRUE(PrepareTransitionTables(c.effect, 4, 1, f.inputs));
        f.inputs.tables.curl_position = 1;
        const Bgrx curled_dim2 = c.effect == 16 ? MakeBgrx(248, 248, 248) : MakeBgrx(4, 4, 4);
        const Bgrx curled_dim3 = c.effect == 16 ? MakeBgrx(246, 246, 246) : MakeBgrx(4, 4, 4);
        f.DrawAt(c.effect, 0.25);
        const std::vector<Bgrx> expected = {c.curled, curled_dim2, curled_dim3, c.start};
        EXPECT_EQ(std::vector<Bgrx>(f.out.Pixels().begin(), f.out.Pixels().end()), expected)
            << c.effect;
        // The curl moves on after the frame.
        EXPECT_EQ(f.inputs.tables.curl_position, CurlPositionAfter(c.effect, 1, 0.25));
    }

    // Beyond the roll the page is mirrored across the fold: with P = -125, buffer pixel
    // (row 0, column 127) lands unchanged at row 127, column 0.
    Frame f(130, 130);
    ASSERT_TRUE(PrepareTransitionTables(16, 130, 130, f.inputs));
    f.inputs.tables.curl_position = -125;
    f.DrawAt(16, 0.5);
    EXPECT_EQ(f.out.At(0, 129 - 127), From(kOld, 127, 129));
}

TEST(TransitionFramesTest, CurlStartsAndEndsOnWholePages) {
    // A picture no wider than it is high: the first frame of 16 (P = H) shows the old page
    // flat; the last frame of 17 (P = 3H x (N - 1) / N - 2H = 5 >= W - 1) the new page.
    Frame first(6, 8);
    EXPECT_EQ(Sources(first.Draw(16, 8, 8)), std::vector<std::string>(8, "FFFFFF"));
    Frame last(6, 8);
    EXPECT_EQ(Sources(last.Draw(17, 0, 8)), std::vector<std::string>(8, "TTTTTT"));
}

TEST(TransitionFramesTest, OversizedTablesFail) {
    RuntimeRandom random;
    TransitionInputs inputs(random);
    // A 8193-pixel side needs a 16384 x 16384 height grid.
    EXPECT_FALSE(PrepareTransitionTables(13, 8193, 10, inputs));
    EXPECT_TRUE(inputs.tables.failed);
    EXPECT_FALSE(PrepareTransitionTables(14, 16384, 16384, inputs));
    EXPECT_TRUE(inputs.tables.failed);
    EXPECT_EQ(random.Next(), 41);  // nothing drawn
    EXPECT_FALSE(PrepareTransitionTables(12, 10, 10, inputs));
    EXPECT_TRUE(PrepareTransitionTables(16, 16384, 16384, inputs));
}

}  // namespace
}  // namespace velk
