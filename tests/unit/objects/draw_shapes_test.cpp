// Frame, Line, Shape, Polygon and Application-window frame drawers, checked pixel by pixel
// against the drawing rules of the format.
#include <gtest/gtest.h>

#include <set>

#include "draw_test_fixture.h"

namespace velk {
namespace {

using test::DrawFixture;
using test::MakeObject;

constexpr Bgrx kPage = MakeBgrx(1, 2, 3);  // a background no drawer uses
constexpr Bgrx kWhite = MakeBgrx(0xFF, 0xFF, 0xFF);
constexpr Bgrx kLightGrey = MakeBgrx(0xE0, 0xE0, 0xE0);
constexpr Bgrx kGrey = MakeBgrx(0x80, 0x80, 0x80);
constexpr Bgrx kDarkGrey = MakeBgrx(0x40, 0x40, 0x40);
constexpr Bgrx kBlack = MakeBgrx(0, 0, 0);
constexpr Bgrx kFace = MakeBgrx(0xC0, 0xC0, 0xC0);
constexpr Bgrx kLight3d = MakeBgrx(0xDF, 0xDF, 0xDF);

// COLORREFs (0x00BBGGRR) and the pixels they give.
constexpr std::uint32_t kRedRef = 0x0000FF, kBlueRef = 0xFF0000, kGreenRef = 0x00FF00;
constexpr Bgrx kRed = MakeBgrx(0xFF, 0, 0), kBlue = MakeBgrx(0, 0, 0xFF),
               kGreen = MakeBgrx(0, 0xFF, 0);

TEST(DrawShapes, FrameBorderLiesOnTheExclusiveEdges) {
    DrawFixture page(40, 40, kPage);
    Object frame = MakeObject(kKindFrame, {10, 10, 20, 20});
    frame.colour1 = kRedRef;
    frame.colour2 = kBlueRef;
    page.Draw(frame);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool in_box = x >= 10 && x <= 20 && y >= 10 && y <= 20;
            const bool border = in_box && (x == 10 || x == 20 || y == 10 || y == 20);
            const Bgrx expected = border ? kBlue : in_box ? kRed : kPage;
            ASSERT_EQ(page.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(DrawShapes, FrameWithAnUnknownStyleIsTheFillAlone) {
    DrawFixture page(30, 30, kPage);
    Object frame = MakeObject(kKindFrame, {10, 10, 20, 20});
    frame.colour1 = kRedRef;
    frame.param1 = 7;
    page.Draw(frame);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool fill = x >= 10 && x < 20 && y >= 10 && y < 20;
            ASSERT_EQ(page.At(x, y), fill ? kRed : kPage) << x << "," << y;
        }
    }
}

TEST(DrawShapes, RaisedAndSunkenFramesTraceTheirRingsInOrder) {
    // R = (10, 10, 30, 26): the outer ring runs on L, T and the exclusive Rt, B; the inner ring
    // one pixel inside, on L + 1, T + 1, Rt - 1, B - 1.
    struct Probe {
        int x, y;
        int role;  // 0 outer top-left, 1 inner top-left, 2 inner bottom-right, 3 outer
                   // bottom-right, 4 fill, 5 untouched
    };
    const Probe probes[] = {
        {20, 10, 0}, {10, 10, 0}, {10, 25, 0}, {10, 18, 0},  // top row, left column
        {20, 11, 1}, {11, 18, 1}, {11, 11, 1}, {28, 11, 1},  // inner top and left
        {29, 11, 2}, {29, 18, 2}, {20, 25, 2}, {11, 25, 2},  // inner right and bottom
        {30, 10, 3}, {30, 18, 3}, {20, 26, 3}, {30, 26, 3},  // exclusive right and bottom
        {20, 18, 4}, {12, 12, 4},                            // the fill inside
        {10, 26, 5}, {31, 18, 5}, {20, 27, 5}, {9, 18, 5},   // outside
    };
    const struct {
        std::uint32_t style;
        Bgrx colours[4];
    } styles[] = {
        {1, {kWhite, kLightGrey, kGrey, kDarkGrey}},
        {2, {kGrey, kDarkGrey, kLightGrey, kWhite}},
    };
    for (const auto& style : styles) {
        DrawFixture page(40, 40, kPage);
        Object frame = MakeObject(kKindFrame, {10, 10, 30, 26});
        frame.colour1 = kRedRef;
        frame.param1 = style.style;
        page.Draw(frame);
        for (const Probe& p : probes) {
            const Bgrx expected = p.role < 4 ? style.colours[p.role] : p.role == 4 ? kRed : kPage;
            EXPECT_EQ(page.At(p.x, p.y), expected)
                << "style " << style.style << " at " << p.x << "," << p.y;
        }
    }
}

// The pixel a line of the given end points puts in column x (x-major lines): the exact y
// rounded to nearest, halves upwards.
int LineRow(int x0, int y0, int x1, int y1, int x) {
    // exact = y0 + (y1 - y0) * (x - x0) / (x1 - x0); row = ceil(exact - 1/2).
    const long den = 2L * (x1 - x0);
    const long num = 2L * y0 * (x1 - x0) + 2L * (y1 - y0) * (x - x0) - (x1 - x0);
    return static_cast<int>(num >= 0 ? (num + den - 1) / den : -((-num) / den));
}

TEST(DrawShapes, LinesRunCornerToCornerWithoutTheirLastPixel) {
    const struct {
        std::uint32_t direction;
        int y0, y1;
    } cases[] = {{0, 0, 49}, {1, 49, 0}};
    for (const auto& c : cases) {
        DrawFixture page(120, 60, kPage);
        Object line = MakeObject(kKindLine, {0, 0, 100, 50});
        line.colour1 = kGreenRef;
        line.param2 = c.direction;
        page.Draw(line);
        EXPECT_EQ(page.At(0, c.y0), kGreen);
        EXPECT_EQ(page.At(99, c.y1), kPage) << "the end point is left out";
        int drawn = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 120; ++x) {
                if (page.At(x, y) != kPage) {
                    ++drawn;
                    ASSERT_LT(x, 99);
                    ASSERT_EQ(y, LineRow(0, c.y0, 99, c.y1, x)) << "column " << x;
                }
            }
        }
        EXPECT_EQ(drawn, 99);
    }
}

TEST(DrawShapes, TheDrawOffsetMovesEveryKind) {
    // The same object drawn at an offset equals the object moved by that offset.
    std::vector<Object> objects;
    objects.push_back(MakeObject(kKindFrame, {5, 5, 15, 12}));
    objects.push_back(MakeObject(kKindLine, {5, 5, 25, 15}));
    objects.push_back(MakeObject(kKindShape, {5, 5, 25, 20}));
    objects.back().param1 = 1;
    objects.push_back(MakeObject(kKindPolygon, {5, 5, 25, 20}));
    objects.back().points_a = {{0, 0}, {12, 3}, {4, 10}};
    objects.push_back(MakeObject(kKindApplicationWindow, {5, 5, 30, 30}));
    objects.back().option3 = 1;
    objects.back().transparent2 = 1;
    for (Object& object : objects) {
        object.colour1 = kRedRef;
        object.colour2 = kBlueRef;
        DrawFixture shifted(50, 50, kPage), moved(50, 50, kPage);
        shifted.Draw(object, {7, 4});
        Object copy = object;
        copy.rect = object.rect.Offset(7, 4);
        moved.Draw(copy);
        EXPECT_EQ(shifted.surface, moved.surface) << "kind " << object.kind;
        EXPECT_NE(shifted.surface, Surface(50, 50, kPage)) << "kind " << object.kind;
    }
}

TEST(DrawShapes, RaisedAndSunkenShapesSplitOnTheRisingDiagonal) {
    const struct {
        std::uint32_t style;
        Rect rect;
        Bgrx outer_tl, inner_tl, inner_br, outer_br;
    } cases[] = {
        {1, {0, 0, 40, 40}, kWhite, kLightGrey, kGrey, kDarkGrey},
        {2, {0, 0, 40, 40}, kGrey, kDarkGrey, kLightGrey, kWhite},
        {1, {0, 0, 60, 30}, kWhite, kLightGrey, kGrey, kDarkGrey},
    };
    for (const auto& c : cases) {
        DrawFixture page(70, 50, kPage);
        Object shape = MakeObject(kKindShape, c.rect);
        shape.colour1 = kRedRef;
        shape.param1 = c.style;
        page.Draw(shape);
        const std::int64_t w = c.rect.Width(), h = c.rect.Height();
        std::set<Bgrx> upper, lower;
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 70; ++x) {
                const Bgrx pixel = page.At(x, y);
                if (pixel == kPage || pixel == kRed) continue;
                // Below the diagonal from (L, B) to (Rt, T): top-left corner on or under it.
                const bool below = x * h + y * w >= w * h;
                (below ? lower : upper).insert(pixel);
            }
        }
        EXPECT_EQ(upper, (std::set<Bgrx>{c.outer_tl, c.inner_tl})) << "style " << c.style;
        EXPECT_EQ(lower, (std::set<Bgrx>{c.outer_br, c.inner_br})) << "style " << c.style;
        const int mid = c.rect.Width() / 2;
        EXPECT_EQ(page.At(mid, 0), c.outer_tl);
        EXPECT_EQ(page.At(mid, 1), c.inner_tl);
        EXPECT_EQ(page.At(mid, c.rect.bottom - 2), c.inner_br);
        EXPECT_EQ(page.At(mid, c.rect.bottom - 1), c.outer_br);
        EXPECT_EQ(page.At(mid, c.rect.bottom / 2), kRed);
        EXPECT_EQ(page.At(0, 0), kPage);
    }
}

TEST(DrawShapes, TheShapeSplitKeepsTheClipOfThePage) {
    // A clip that leaves out the middle column band: neither pass may paint into it, and the
    // canvas has its clip back afterwards.
    DrawFixture page(40, 40, kPage);
    const Region clip = Region(Rect{0, 0, 15, 40}).Union(Region(Rect{25, 0, 40, 40}));
    page.canvas.SelectClip(clip);
    Object shape = MakeObject(kKindShape, {0, 0, 40, 40});
    shape.param1 = 1;
    shape.colour1 = kRedRef;
    page.Draw(shape);
    for (int y = 0; y < 40; ++y) {
        for (int x = 15; x < 25; ++x) ASSERT_EQ(page.At(x, y), kPage) << x << "," << y;
    }
    EXPECT_EQ(page.At(8, 20), kRed);
    ASSERT_TRUE(page.canvas.GetClipRegion());
    EXPECT_EQ(*page.canvas.GetClipRegion(), clip);
}

TEST(DrawShapes, PlainShapesUseTheBorderOrTheFillColourForThePen) {
    const struct {
        std::uint32_t style;
        Bgrx pen;
    } cases[] = {{0, kBlue}, {5, kRed}};
    for (const auto& c : cases) {
        DrawFixture page(30, 30, kPage);
        Object shape = MakeObject(kKindShape, {0, 0, 20, 20});
        shape.colour1 = kRedRef;
        shape.colour2 = kBlueRef;
        shape.param1 = c.style;
        page.Draw(shape);
        EXPECT_EQ(page.At(10, 0), c.pen);
        EXPECT_EQ(page.At(10, 19), c.pen);
        EXPECT_EQ(page.At(10, 10), kRed);
        EXPECT_EQ(page.At(10, 20), kPage);
        EXPECT_EQ(page.At(0, 0), kPage);
    }
}

TEST(DrawShapes, PolygonFillsEvenOddAndPicksItsPen) {
    // An outline that runs over itself: the notch (rows 2 and 3, columns 0 to 3) is crossed
    // twice, so it stays unfilled; only the pen traces its edges.
    const std::vector<Point> outline{{0, 0}, {6, 0}, {6, 6}, {0, 6},
                                     {0, 2}, {4, 2}, {4, 4}, {0, 4}};
    const struct {
        std::uint32_t style;
        Bgrx pen;
    } cases[] = {{0, kBlue}, {1, kWhite}, {2, kWhite}, {3, kRed}, {9, kBlue}};
    for (const auto& c : cases) {
        DrawFixture page(30, 30, kPage);
        Object polygon = MakeObject(kKindPolygon, {10, 20, 20, 28});
        polygon.points_a = outline;
        polygon.colour1 = kRedRef;
        polygon.colour2 = kBlueRef;
        polygon.param1 = c.style;
        page.Draw(polygon, {3, -4});
        const int ox = 13, oy = 16;  // rect's top-left plus the draw offset
        EXPECT_EQ(page.At(ox + 1, oy + 3), kPage) << "style " << c.style;
        EXPECT_EQ(page.At(ox + 3, oy + 3), kPage);
        EXPECT_EQ(page.At(ox + 1, oy + 1), kRed);
        EXPECT_EQ(page.At(ox + 5, oy + 5), kRed);
        EXPECT_EQ(page.At(ox, oy), c.pen);
        EXPECT_EQ(page.At(ox + 6, oy + 6), c.pen);
        EXPECT_EQ(page.At(ox + 2, oy + 2), c.pen);
        EXPECT_EQ(page.At(ox + 7, oy + 3), kPage);
    }
}

TEST(DrawShapes, PolygonWithoutPointsDrawsNothing) {
    DrawFixture page(30, 30, kPage);
    Object polygon = MakeObject(kKindPolygon, {0, 0, 20, 20});
    polygon.colour1 = kRedRef;
    page.Draw(polygon);
    EXPECT_EQ(page.surface, Surface(30, 30, kPage));
}

TEST(DrawShapes, ApplicationFrames) {
    const Rect r{10, 10, 50, 40};  // Rt = 50, B = 40
    const struct {
        const char* name;
        std::uint32_t option3, transparent2, transparent3;
        std::vector<std::pair<Point, Bgrx>> probes;
    } cases[] = {
        {"plain", 0, 0, 0, {{{10, 10}, kFace}, {{49, 39}, kFace}, {{30, 25}, kFace}}},
        {"push", 1, 0, 0, {{{10, 10}, kWhite}, {{11, 11}, kLight3d}, {{49, 39}, kBlack}}},
        {"pushed", 2, 0, 0, {{{10, 10}, kBlack}, {{11, 11}, kGrey}, {{49, 39}, kWhite}}},
        {"negative option is no frame", 0xFFFFFFFF, 0, 0, {{{10, 10}, kFace}}},
        // The grip box spans (Rt - 18, B - 18) to (Rt, B): a shadow top-left, a highlight
        // bottom-right, and inside it a light line one pixel in.
        {"grip",
         0,
         1,
         0,
         {{{32, 22}, kGrey},
          {{32, 37}, kGrey},
          {{47, 22}, kGrey},
          {{32, 38}, kLight3d},
          {{48, 22}, kLight3d},
          {{49, 22}, kWhite},
          {{49, 39}, kWhite},
          {{32, 39}, kWhite},
          {{48, 38}, kLight3d},
          {{33, 38}, kLight3d},
          {{31, 21}, kFace},
          {{40, 30}, kFace}}},
        {"grip inside a sizing frame",
         0,
         1,
         1,
         {{{30, 20}, kGrey}, {{32, 22}, kFace}, {{49, 39}, kWhite}, {{48, 38}, kLight3d}}},
    };
    for (const auto& c : cases) {
        DrawFixture page(60, 50, kPage);
        Object window = MakeObject(kKindApplicationWindow, r);
        window.option3 = c.option3;
        window.transparent2 = c.transparent2;
        window.transparent3 = c.transparent3;
        page.Draw(window);
        for (const auto& [point, colour] : c.probes) {
            EXPECT_EQ(page.At(point.x, point.y), colour)
                << c.name << " at " << point.x << "," << point.y;
        }
        EXPECT_EQ(page.At(50, 40), kPage) << c.name;
        EXPECT_EQ(page.At(9, 9), kPage) << c.name;
    }
}

TEST(DrawShapes, HiddenApplicationFrameIsNotDrawnEvenWhenForced) {
    DrawFixture page(60, 50, kPage);
    Object window = MakeObject(kKindApplicationWindow, {10, 10, 50, 40});
    window.hidden = 1;
    page.Draw(window, {}, /*force_visible=*/true);
    EXPECT_EQ(page.surface, Surface(60, 50, kPage));
}

}  // namespace
}  // namespace velk
