// The Panorama's view: the bending tables, the picture drawn through them, turning, the hot spot
// and the cursors of a drag.
#include <gtest/gtest.h>

#include <vector>

#include "draw_test_fixture.h"
#include "objects/panorama/panorama_tables.h"
#include "objects/panorama/panorama_view.h"

namespace velk {
namespace {

// Every pixel tells where it came from: red = column, green = row.
RgbImage Numbered(std::int32_t width, std::int32_t height) {
    RgbImage picture{width, height, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            picture.pixels.insert(picture.pixels.end(), {std::uint8_t(x), std::uint8_t(y), 7});
        }
    }
    return picture;
}

Object PanoramaObject(std::uint32_t field_of_view, std::uint32_t bend = 0) {
    Object object;
    object.kind = kKindPanorama;
    object.param1 = field_of_view;
    object.param2 = bend;
    return object;
}

PanoramaView MakeView(RgbImage picture, Size view, const Object& object) {
    auto made = PanoramaView::Make(std::move(picture), view, object);
    EXPECT_TRUE(made.has_value());
    return std::move(*made);
}

const Bgrx kGrey = MakeBgrx(128, 128, 128);

TEST(PanoramaTables, BendThePictureIntoACylinder) {
    struct Case {
        const char* what;
        Size picture, view;
        std::vector<std::int32_t> columns;
        std::vector<std::int32_t> top_row;
        std::int32_t limit;
    };
    const Case cases[] = {
        // Columns left of the picture continue at its right end (18, 19); rows are centred on
        // the taller picture and bent at the corners.
        {"centred", {20, 16}, {8, 8}, {18, 19, 1, 2, 4, 5, 6, 8}, {3, 2, 2, 2, 2, 2, 2, 2}, 2},
        // A view wider than the picture: right of its end columns start again at 0.
        {"narrow", {6, 16}, {8, 8}, {4, 5, 1, 2, 4, 5, 0, 2}, {3, 2, 2, 2, 2, 2, 2, 2}, 2},
        // Without room to centre, the top row at the middle lies above the picture: the view
        // cannot move up or down.
        {"flush", {20, 8}, {8, 8}, {18, 19, 1, 2, 4, 5, 6, 8}, {-1, -2, -2, -2, -2, -2, -2, -2}, 0},
    };
    for (const Case& c : cases) {
        const auto tables = MakePanoramaTables(c.picture, c.view, 90, 0);
        ASSERT_TRUE(tables.has_value()) << c.what;
        EXPECT_EQ(tables->columns, c.columns) << c.what;
        EXPECT_EQ(std::vector<std::int32_t>(tables->rows.begin(), tables->rows.begin() + 8),
                  c.top_row)
            << c.what;
        EXPECT_EQ(tables->vertical_limit, c.limit) << c.what;
    }
}

TEST(PanoramaTables, ABendOfZeroIsAQuarterOfTheWidth) {
    const auto quarter = MakePanoramaTables({1000, 300}, {400, 300}, 120, 0);
    const auto hundred = MakePanoramaTables({1000, 300}, {400, 300}, 120, 100);
    const auto fifty = MakePanoramaTables({1000, 300}, {400, 300}, 120, 50);
    ASSERT_TRUE(quarter && hundred && fifty);
    EXPECT_EQ(quarter->columns, hundred->columns);
    // The left edge reaches 99 columns back (sin of -1.73 is -0.987), the middle stays.
    EXPECT_EQ(quarter->columns[0], 1000 - 99);
    EXPECT_EQ(quarter->columns[200], 200);
    EXPECT_EQ(fifty->columns[0], 1000 - 50);
}

TEST(PanoramaTables, FaultyGeometryIsRefusedOrHeldInRange) {
    struct Refused {
        Size picture, view;
    };
    for (const Refused& r : {Refused{{0, 10}, {8, 8}}, Refused{{10, 10}, {0, 8}},
                             Refused{{10, 10}, {8, 0}}, Refused{{10, 10}, {-8, 8}},
                             Refused{{10, 10}, {20000, 8}}, Refused{{10, 10}, {5000, 5000}}}) {
        EXPECT_FALSE(MakePanoramaTables(r.picture, r.view, 60, 0).has_value())
            << r.view.width << " x " << r.view.height;
    }
    // No field of view: nothing bends.
    const auto flat = MakePanoramaTables({20, 8}, {8, 8}, 0, 0);
    ASSERT_TRUE(flat.has_value());
    EXPECT_EQ(flat->columns, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(flat->rows[7 * 8 + 3], 7);
    // From 180 degrees up, the widest angle that bends; a huge bend saturates.
    const auto widest = MakePanoramaTables({20, 8}, {8, 8}, 179, 0);
    for (std::uint32_t angle : {180u, 270u, 4'000'000'000u}) {
        const auto held = MakePanoramaTables({20, 8}, {8, 8}, angle, 0);
        ASSERT_TRUE(held.has_value());
        EXPECT_EQ(held->columns, widest->columns) << angle;
        EXPECT_EQ(held->rows, widest->rows) << angle;
    }
    // A bend of four billion columns saturates; the view still shows only the picture.
    PanoramaView huge = MakeView(Numbered(20, 8), {8, 8}, PanoramaObject(90, 4'000'000'000u));
    const Surface& shown = huge.Render(nullptr);
    for (std::int32_t x = 0; x < 8; ++x) {
        const Bgrx pixel = shown.At(x, 4);
        EXPECT_TRUE(BlueOf(pixel) == 7 && RedOf(pixel) < 20) << x;
    }
}

TEST(PanoramaView, PaintsThroughTheTablesWithGreyAboveAndBelowThePicture) {
    // A view taller than the picture: 10 rows over 4.
    const Object object = PanoramaObject(90);
    PanoramaView view = MakeView(Numbered(16, 4), {8, 10}, object);
    const Surface& shown = view.Render(nullptr);
    const auto& tables = view.Tables();
    for (std::int32_t x = 0; x < 8; ++x) {
        EXPECT_EQ(shown.At(x, 0), kGrey) << x;
        EXPECT_EQ(shown.At(x, 9), kGrey) << x;
        // Rows 3 and 4 of the view show picture rows 2 and 3.
        const auto column = std::uint8_t(tables.columns[std::size_t(x)]);
        EXPECT_EQ(shown.At(x, 3), MakeBgrx(column, 2, 7)) << x;
        EXPECT_EQ(shown.At(x, 4), MakeBgrx(column, 3, 7)) << x;
    }
}

TEST(PanoramaView, TurningWrapsAtBothEndsAndHoldsTheVerticalOffset) {
    struct Case {
        const char* what;
        std::vector<Point> moves;  // after a press at (100, 50), one turn after each move
        std::int32_t pan, vertical_offset;
    };
    const Case cases[] = {
        {"40 right, three ticks", {{140, 50}, {140, 50}, {140, 50}}, 120, 0},
        {"past the right end", {{500, 50}, {500, 50}}, 0, 0},
        {"left of 0", {{90, 50}}, 799, 0},
        {"back and forth", {{110, 50}, {95, 50}}, 5, 0},
        // Up by 30 a tick, held at the limit of 20; down again past the other side.
        {"up", {{100, 20}}, 0, 20},
        {"up and down", {{100, 20}, {100, 20}, {100, 110}}, 0, -20},
        {"held still", {{100, 50}}, 0, 0},
    };
    for (const Case& c : cases) {
        // A picture 40 rows taller than the view: centred 20 rows down; a flat view, so the
        // limit is the centring.
        PanoramaView view = MakeView(Numbered(800, 80), {60, 40}, PanoramaObject(0));
        ASSERT_EQ(view.Tables().vertical_limit, 20);
        view.Press({100, 50});
        bool changed = false;
        for (Point move : c.moves) {
            view.Move(move);
            changed = view.Turn() || changed;
        }
        EXPECT_EQ(view.Pan(), c.pan) << c.what;
        EXPECT_EQ(view.VerticalOffset(), c.vertical_offset) << c.what;
        EXPECT_EQ(changed, (c.moves.front() != Point{100, 50})) << c.what;
    }
    // A turned view shows the turned columns, wrapping at the picture's end.
    PanoramaView view = MakeView(Numbered(200, 40), {60, 40}, PanoramaObject(0));
    view.Press({0, 0});
    view.Move({180, 0});
    view.Turn();
    const Surface& shown = view.Render(nullptr);
    EXPECT_EQ(shown.At(0, 5), MakeBgrx(180, 5, 7));
    EXPECT_EQ(shown.At(19, 5), MakeBgrx(199, 5, 7));
    EXPECT_EQ(shown.At(20, 5), MakeBgrx(0, 5, 7));
}

TEST(PanoramaView, TheCursorShowsTheWayTheDragTurns) {
    struct Case {
        Point to;
        std::int32_t cursor;
    };
    const Case cases[] = {
        {{100, 50}, kPanoramaHeldCursor},  {{60, 50}, kPanoramaLeftCursor},
        {{140, 59}, kPanoramaRightCursor}, {{140, 41}, kPanoramaRightCursor},
        {{140, 40}, kPanoramaUpCursor},    {{60, 60}, kPanoramaDownCursor},
        {{100, 20}, kPanoramaUpCursor},    {{100, 45}, kPanoramaArrowCursor},
    };
    PanoramaView view = MakeView(Numbered(800, 80), {200, 100}, PanoramaObject(60));
    EXPECT_EQ(view.Press({100, 50}), PanoramaPress::kDrag);
    for (const Case& c : cases) {
        EXPECT_EQ(view.Move(c.to), c.cursor) << c.to.x << ", " << c.to.y;
    }
    view.Release();
    EXPECT_FALSE(view.Dragging());
    // Not dragging and no hot spot: the arrow.
    EXPECT_EQ(view.Move({60, 50}), kPanoramaArrowCursor);
}

TEST(PanoramaView, TheHotSpotIsABandOfThePanoramaThatTurnsWithIt) {
    Object object = PanoramaObject(0);
    object.option3 = 100;  // left edge in panorama columns
    object.option4 = 50;   // width
    struct Case {
        std::int32_t pan;
        std::int64_t edge;
        std::vector<std::int32_t> on, off;
    };
    const Case cases[] = {
        {0, 100, {101, 149}, {100, 150, 20}},
        {120, -20, {-19, 0, 29}, {30, 700}},
        // More than its width left of the view: it is seen again past the picture's end.
        {180, 720, {721, 769}, {0, 1, 720, 770}},
    };
    for (const Case& c : cases) {
        PanoramaView view = MakeView(Numbered(800, 40), {200, 40}, object);
        if (c.pan != 0) {
            view.Press({300, 0});
            view.Move({300 + c.pan, 0});
            view.Turn();
            view.Release();
        }
        ASSERT_EQ(view.Pan(), c.pan);
        EXPECT_EQ(view.HotSpotEdge(), c.edge) << c.pan;
        for (std::int32_t x : c.on) {
            EXPECT_TRUE(view.OnHotSpot({x, 5})) << c.pan << ": " << x;
            EXPECT_EQ(view.Move({x, 5}), kPanoramaHotSpotCursor);
        }
        for (std::int32_t x : c.off) {
            EXPECT_FALSE(view.OnHotSpot({x, 5})) << c.pan << ": " << x;
            EXPECT_EQ(view.Move({x, 5}), kPanoramaArrowCursor);
        }
    }
    // A press on the hot spot starts no drag.
    PanoramaView view = MakeView(Numbered(800, 40), {200, 40}, object);
    EXPECT_EQ(view.Press({120, 5}), PanoramaPress::kHotSpot);
    EXPECT_FALSE(view.Dragging());
}

TEST(PanoramaView, ThePositionOverlayMarksTheHotSpotAndWritesThePan) {
    Object object = PanoramaObject(0);
    object.hover_object = "~~";
    object.option3 = 10;
    object.option4 = 20;
    PanoramaView view = MakeView(Numbered(800, 40), {60, 40}, object);
    FontCache& fonts = test::SharedFonts();
    const Surface& shown = view.Render(&fonts);
    // The text's box covers the top rows; below it the bands run down the whole view.
    for (std::int32_t y : {20, 30, 39}) {
        const auto row = std::uint8_t(y);
        EXPECT_EQ(shown.At(9, y), MakeBgrx(9, row, 7));
        EXPECT_EQ(shown.At(10, y), BgrxFromColorRef(0x7DF0E6));
        EXPECT_EQ(shown.At(11, y), BgrxFromColorRef(0x7DF0E6));
        EXPECT_EQ(shown.At(12, y), MakeBgrx(12, row, 7));
        EXPECT_EQ(shown.At(28, y), BgrxFromColorRef(0xFFF082));
        EXPECT_EQ(shown.At(29, y), BgrxFromColorRef(0xFFF082));
        EXPECT_EQ(shown.At(30, y), MakeBgrx(30, row, 7));
    }
    // "<- 0" in black on white at the top-left.
    std::int32_t black = 0, white = 0;
    for (std::int32_t y = 0; y < 12; ++y) {
        for (std::int32_t x = 0; x < 30; ++x) {
            black += shown.At(x, y) == MakeBgrx(0, 0, 0);
            white += shown.At(x, y) == MakeBgrx(255, 255, 255);
        }
    }
    EXPECT_GT(black, 10);
    EXPECT_GT(white, 10);
    // Without the overlay name: the picture alone.
    object.hover_object = "Door";
    PanoramaView plain = MakeView(Numbered(800, 40), {60, 40}, object);
    EXPECT_EQ(plain.Render(&fonts).At(10, 20), MakeBgrx(10, 20, 7));
}

}  // namespace
}  // namespace velk
