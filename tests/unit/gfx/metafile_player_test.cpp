// The metafile player: records and their pixels under the mappings a metafile can set up,
// damaged streams, and plays that share nothing.
#include "gfx/metafile/metafile_player.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "draw_test_fixture.h"
#include "emf_test_writer.h"
#include "gfx/canvas.h"

namespace velk {
namespace {

using test::TestEmf;

constexpr Bgrx kWhite = MakeBgrx(255, 255, 255);
constexpr Bgrx kBlack = 0;
constexpr Bgrx kRed = MakeBgrx(255, 0, 0);
constexpr Bgrx kBlue = MakeBgrx(0, 0, 255);
constexpr std::uint32_t kRedRef = 0x0000FF, kBlueRef = 0xFF0000;

constexpr std::uint32_t kNullPen = 0x80000008;
// A red brush at index 1, selected, with the null pen: figures show exactly their fill.
TestEmf& RedFill(TestEmf& emf) {
    return emf.CreateBrush(1, 0, kRedRef).Select(1).Select(kNullPen);
}

struct Probe {
    int x, y;
    Bgrx colour;
};

struct RecordCase {
    std::string name;
    std::function<void(TestEmf&)> records;
    Rect destination;
    std::vector<Probe> probes;
};

// Frames are 20 x 20 pixels; played into (0, 0, 20, 20) a logical unit of MM_TEXT is a pixel.
const Rect kOneToOne{0, 0, 20, 20};

class MetafileRecords : public testing::TestWithParam<RecordCase> {};

TEST_P(MetafileRecords, DrawTheirPixels) {
    const RecordCase& c = GetParam();
    TestEmf emf;
    c.records(emf);
    Surface surface(40, 40, kWhite);
    Canvas canvas(surface);
    const MetafilePlay play =
        PlayEnhMetafile(canvas, test::SharedFonts(), emf.Bytes(), c.destination);
    EXPECT_TRUE(play.complete);
    for (const Probe& p : c.probes) {
        EXPECT_EQ(surface.At(p.x, p.y), p.colour) << c.name << " at (" << p.x << ", " << p.y << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MetafileRecords,
    testing::Values(
        // The pen on the outermost pixels, the brush inside, right and bottom exclusive.
        RecordCase{"rectangle",
                   [](TestEmf& e) { e.CreateBrush(1, 0, kRedRef).Select(1).Rectangle(2, 2, 8, 8); },
                   kOneToOne,
                   {{2, 2, kBlack}, {7, 7, kBlack}, {4, 4, kRed}, {8, 8, kWhite}}},
        // The frame fills the destination: twice the size, twice the scale.
        RecordCase{"frame scaled to the destination",
                   [](TestEmf& e) { RedFill(e).Rectangle(2, 2, 6, 6); },
                   Rect{0, 0, 40, 40},
                   {{3, 3, kWhite}, {4, 4, kRed}, {10, 10, kRed}, {11, 11, kWhite}}},
        RecordCase{"anisotropic window and viewport",
                   [](TestEmf& e) {
                       RedFill(e).SetMapMode(8).WindowExt(10, 10).ViewportExt(20, 10);
                       e.Rectangle(1, 1, 4, 4);
                   },
                   kOneToOne,
                   {{1, 1, kWhite}, {2, 1, kRed}, {6, 2, kRed}, {7, 2, kWhite}, {2, 3, kWhite}}},
        RecordCase{"window origin",
                   [](TestEmf& e) { RedFill(e).WindowOrg(-5, -3).Rectangle(0, 0, 2, 2); },
                   kOneToOne,
                   {{4, 3, kWhite}, {5, 3, kRed}, {5, 2, kWhite}, {6, 4, kWhite}}},
        // Tenths of a millimetre with y up: one pixel (a millimetre) is 10 units.
        RecordCase{
            "low metric",
            [](TestEmf& e) {
                RedFill(e).SetMapMode(2).ViewportOrg(0, 20).Rectangle(20, 30, 60, 0);
            },
            kOneToOne,
            {{2, 17, kRed}, {4, 18, kRed}, {2, 16, kWhite}, {5, 18, kWhite}, {2, 19, kWhite}}},
        RecordCase{"isotropic keeps units square",
                   [](TestEmf& e) {
                       RedFill(e).SetMapMode(7).WindowExt(10, 10).ViewportExt(20, 10);
                       e.Rectangle(0, 0, 10, 10);
                   },
                   kOneToOne,
                   {{8, 8, kRed}, {9, 5, kWhite}, {5, 9, kWhite}}},
        RecordCase{
            "world transform",
            [](TestEmf& e) { RedFill(e).WorldTransform(2, 0, 0, 3, 1, 0).Rectangle(1, 1, 3, 3); },
            kOneToOne,
            {{3, 3, kRed}, {5, 7, kRed}, {2, 3, kWhite}, {6, 3, kWhite}, {3, 8, kWhite}}},
        RecordCase{"mirrored destination",
                   [](TestEmf& e) { RedFill(e).Rectangle(0, 0, 5, 5); },
                   Rect{20, 20, 0, 0},
                   {{18, 18, kRed}, {15, 15, kRed}, {14, 14, kWhite}, {19, 19, kWhite}}},
        RecordCase{"restore undoes the transform",
                   [](TestEmf& e) {
                       RedFill(e).SaveDc().WorldTransform(1, 0, 0, 1, 10, 10).SaveDc();
                       e.WorldTransform(1, 0, 0, 1, 5, 0).RestoreDc(1).Rectangle(0, 0, 2, 2);
                   },
                   kOneToOne,
                   {{0, 0, kRed}, {1, 1, kWhite}, {10, 10, kWhite}, {5, 0, kWhite}}},
        // Hatch lines in the brush colour, the gaps in the background colour.
        RecordCase{"horizontal hatch",
                   [](TestEmf& e) {
                       e.CreateBrush(1, 2, kRedRef, 0).Select(1).Select(kNullPen);
                       e.SetBkColor(kBlueRef).Rectangle(0, 0, 8, 9);
                   },
                   kOneToOne,
                   {{0, 4, kRed}, {6, 4, kRed}, {0, 3, kBlue}, {3, 5, kBlue}, {8, 4, kWhite}}},
        RecordCase{"hatch gaps left alone when transparent",
                   [](TestEmf& e) {
                       e.CreateBrush(1, 2, kRedRef, 1).Select(1).Select(kNullPen);
                       e.SetBkMode(1).Rectangle(0, 0, 8, 8);
                   },
                   kOneToOne,
                   {{4, 0, kRed}, {4, 6, kRed}, {3, 3, kWhite}}},
        RecordCase{"path filled by the fill mode",
                   [](TestEmf& e) {
                       RedFill(e).BeginPath().Poly(3, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
                       e.Poly(3, {{3, 3}, {7, 3}, {7, 7}, {3, 7}}).EndPath().FillPath();
                   },
                   kOneToOne,
                   {{1, 1, kRed}, {9, 9, kRed}, {5, 5, kWhite}, {10, 5, kWhite}}},
        RecordCase{
            "path stroked with the pen",
            [](TestEmf& e) {
                e.BeginPath().MoveTo(1, 1).LineTo(8, 1).LineTo(8, 6).CloseFigure();
                e.EndPath().StrokePath();
            },
            kOneToOne,
            {{1, 1, kBlack}, {8, 3, kBlack}, {4, 3, kBlack}, {4, 1, kBlack}, {3, 5, kWhite}}},
        RecordCase{"clip rectangles",
                   [](TestEmf& e) {
                       RedFill(e).IntersectClipRect(0, 0, 6, 20).ExcludeClipRect(2, 2, 4, 4);
                       e.Rectangle(0, 0, 10, 10);
                   },
                   kOneToOne,
                   {{1, 1, kRed}, {5, 8, kRed}, {6, 1, kWhite}, {3, 3, kWhite}}},
        RecordCase{"clip to a path",
                   [](TestEmf& e) {
                       RedFill(e).BeginPath().Poly(3, {{0, 0}, {6, 0}, {6, 6}, {0, 6}}).EndPath();
                       e.SelectClipPath(5).Rectangle(0, 0, 12, 12);
                   },
                   kOneToOne,
                   {{5, 5, kRed}, {6, 5, kWhite}, {0, 8, kWhite}}},
        RecordCase{
            "16-bit polygon and polyline",
            [](TestEmf& e) {
                RedFill(e).Poly(3, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true);
                e.Select(0x80000007).Poly(4, {{10, 1}, {15, 1}}, true);
            },
            kOneToOne,
            {{3, 3, kRed}, {4, 3, kWhite}, {10, 1, kBlack}, {14, 1, kBlack}, {15, 1, kWhite}}},
        RecordCase{
            "lines from the current position",
            [](TestEmf& e) { e.MoveTo(2, 5).LineTo(9, 5).LineTo(9, 9); },
            kOneToOne,
            {{2, 5, kBlack}, {8, 5, kBlack}, {9, 5, kBlack}, {9, 8, kBlack}, {9, 9, kWhite}}},
        RecordCase{"ellipse",
                   [](TestEmf& e) { RedFill(e).Ellipse(0, 0, 10, 6); },
                   kOneToOne,
                   {{5, 3, kRed}, {0, 0, kWhite}, {9, 2, kRed}, {9, 0, kWhite}}},
        // A 2 x 2 picture stretched to 4 x 4, and upside down when the destination is.
        RecordCase{"stretched picture",
                   [](TestEmf& e) {
                       e.StretchDiBits(0, 0, 4, 4, 2, 2, {0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000});
                   },
                   kOneToOne,
                   {{0, 0, kRed},
                    {1, 1, kRed},
                    {2, 0, kBlue},
                    {3, 1, kBlue},
                    {0, 3, kBlue},
                    {3, 3, kRed},
                    {4, 0, kWhite}}},
        RecordCase{"stretched picture upside down",
                   [](TestEmf& e) {
                       e.StretchDiBits(0, 0, 4, 4, 2, 2, {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF});
                   },
                   Rect{0, 20, 20, 0},
                   {{0, 19, kRed}, {3, 18, kRed}, {0, 17, kBlue}, {3, 16, kBlue}}},
        RecordCase{"pattern only blit",
                   [](TestEmf& e) {
                       e.Add(76, {0, 0, 0,          0, 2, 2, 3, 3, 0x000042, 0, 0, 0x3F800000,
                                  0, 0, 0x3F800000, 0, 0, 0, 0, 0, 0,        0, 0});
                   },
                   kOneToOne,
                   {{2, 2, kBlack}, {4, 4, kBlack}, {5, 4, kWhite}}}),
    [](const testing::TestParamInfo<RecordCase>& info) {
        std::string name;
        for (char c : info.param.name)
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// Text: drawn in the text colour on an opaque background cell, each character at its advance.
TEST(MetafileText, CharactersAtTheirAdvances) {
    TestEmf emf(40, 40);
    emf.CreateFont(1, -12, "Arial").Select(1).SetTextColor(kRedRef).SetBkMode(1);
    emf.TextOutW(2, 2, "II", {20, 0});
    Surface surface(40, 40, kWhite);
    Canvas canvas(surface);
    ASSERT_TRUE(PlayEnhMetafile(canvas, test::SharedFonts(), emf.Bytes(), {0, 0, 40, 40}).complete);
    // Each I is a thin upright bar: red columns near x = 2 and near x = 22, nothing between.
    std::vector<int> red_columns;
    for (int x = 0; x < 40; ++x) {
        for (int y = 0; y < 40; ++y) {
            if (surface.At(x, y) == kRed) {
                red_columns.push_back(x);
                break;
            }
        }
    }
    ASSERT_FALSE(red_columns.empty());
    EXPECT_LE(red_columns.front(), 5);
    EXPECT_GE(red_columns.back(), 22);
    for (int x : red_columns) EXPECT_TRUE(x < 8 || x >= 22) << x;
}

TEST(MetafileText, OpaqueRectangleFilledWithTheBackground) {
    TestEmf emf(40, 40);
    emf.SetBkColor(kBlueRef).TextOutW(0, 0, "", {}, 0x2, {3, 4, 9, 7});
    Surface surface(40, 40, kWhite);
    Canvas canvas(surface);
    PlayEnhMetafile(canvas, test::SharedFonts(), emf.Bytes(), {0, 0, 40, 40});
    EXPECT_EQ(surface.At(3, 4), kBlue);
    EXPECT_EQ(surface.At(8, 6), kBlue);
    EXPECT_EQ(surface.At(9, 6), kWhite);
    EXPECT_EQ(surface.At(8, 7), kWhite);
}

// Damaged streams: the records before the damage are drawn, nothing after it.
struct DamageCase {
    std::string name;
    std::function<void(TestEmf&)> damage;
};

class DamagedMetafile : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedMetafile, DrawsTheRecordsBeforeAndStops) {
    TestEmf emf(20, 20, 4);
    RedFill(emf).Rectangle(0, 0, 4, 4);
    GetParam().damage(emf);
    emf.Rectangle(10, 10, 14, 14);
    Surface surface(20, 20, kWhite);
    Canvas canvas(surface);
    const MetafilePlay play = PlayEnhMetafile(canvas, test::SharedFonts(), emf.Bytes(), kOneToOne);
    EXPECT_FALSE(play.complete);
    EXPECT_EQ(surface.At(1, 1), kRed);
    EXPECT_EQ(surface.At(11, 11), kWhite);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, DamagedMetafile,
    testing::Values(
        DamageCase{"size_not_a_multiple_of_4",
                   [](TestEmf& e) {
                       e.AddRaw({43, 0, 0, 0, 22, 0, 0, 0});
                   }},
        DamageCase{"size_below_8",
                   [](TestEmf& e) {
                       e.AddRaw({43, 0, 0, 0, 4, 0, 0, 0});
                   }},
        DamageCase{"size_beyond_the_data",
                   [](TestEmf& e) {
                       e.AddRaw({43, 0, 0, 0, 0, 1, 0, 0});
                   }},
        DamageCase{"fields_beyond_the_record",
                   [](TestEmf& e) {
                       e.Add(43, {1, 2});
                   }},
        DamageCase{"object_index_beyond_the_table", [](TestEmf& e) { e.CreateBrush(4, 0, 0); }},
        DamageCase{"selecting_beyond_the_table", [](TestEmf& e) { e.Select(9); }},
        DamageCase{"huge_point_count",
                   [](TestEmf& e) {
                       e.Add(3, {0, 0, 0, 0, 0x40000000, 1, 1, 5, 5});
                   }},
        DamageCase{"polygon_counts_not_adding_up",
                   [](TestEmf& e) {
                       e.Add(8, {0, 0, 0, 0, 1, 1, 0x7FFFFFFF, 1, 1});
                   }},
        DamageCase{"huge_text",
                   [](TestEmf& e) {
                       e.Add(84, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0x7FFFFFFF, 76, 0, 0, 0, 0, 0, 0});
                   }},
        DamageCase{"region_count_beyond_its_data",
                   [](TestEmf& e) {
                       e.Add(75, {48, 5, 32, 1, 0x10000, 16, 0, 0, 5, 5, 0, 0, 1, 1});
                   }}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

TEST(MetafilePlayer, NothingWithoutAMetafileHeader) {
    TestEmf emf;
    RedFill(emf).Rectangle(0, 0, 4, 4);
    std::vector<std::uint8_t> bytes = emf.Bytes();
    bytes[40] ^= 0xFF;  // the signature
    Surface surface(20, 20, kWhite);
    Canvas canvas(surface);
    EXPECT_EQ(PlayEnhMetafile(canvas, test::SharedFonts(), bytes, kOneToOne).records, 0u);
    EXPECT_EQ(PlayEnhMetafile(canvas, test::SharedFonts(), {}, kOneToOne).records, 0u);
    EXPECT_EQ(surface.At(1, 1), kWhite);
}

TEST(MetafilePlayer, UnknownRecordsArePassedOver) {
    TestEmf emf;
    emf.Add(70, {8, 1, 2}).Add(99, {}).Add(500, {1});
    RedFill(emf).Rectangle(0, 0, 4, 4);
    Surface surface(20, 20, kWhite);
    Canvas canvas(surface);
    EXPECT_TRUE(PlayEnhMetafile(canvas, test::SharedFonts(), emf.Bytes(), kOneToOne).complete);
    EXPECT_EQ(surface.At(1, 1), kRed);
}

// Each play starts from the device context's defaults and leaves the canvas as it found it.
TEST(MetafilePlayer, PlaysShareNoState) {
    TestEmf selects;
    selects.CreatePen(1, 0, 1, kRedRef).Select(1).SetMapMode(8).WindowExt(1, 1).ViewportExt(5, 5);
    selects.IntersectClipRect(0, 0, 1, 1);
    TestEmf draws;
    draws.MoveTo(0, 2).LineTo(6, 2);
    Surface surface(20, 20, kWhite);
    Canvas canvas(surface);
    canvas.SetPen({PenStyle::kSolid, kBlue, 1});
    canvas.IntersectClip({0, 0, 15, 15});
    PlayEnhMetafile(canvas, test::SharedFonts(), selects.Bytes(), kOneToOne);
    PlayEnhMetafile(canvas, test::SharedFonts(), draws.Bytes(), kOneToOne);
    EXPECT_EQ(surface.At(5, 2), kBlack);
    EXPECT_EQ(surface.At(6, 2), kWhite);
    EXPECT_EQ(canvas.GetPen().colour, kBlue);
    EXPECT_EQ(canvas.GetClipRegion(), Region(Rect{0, 0, 15, 15}));
}

// The metafile draws inside the clip the canvas had, whatever clip it selects itself.
TEST(MetafilePlayer, StaysInsideTheCanvasClip) {
    TestEmf emf;
    RedFill(emf).Add(75, {0, 5}).Rectangle(0, 0, 10, 10);
    Surface surface(20, 20, kWhite);
    Canvas canvas(surface);
    canvas.IntersectClip({0, 0, 5, 5});
    PlayEnhMetafile(canvas, test::SharedFonts(), emf.Bytes(), kOneToOne);
    EXPECT_EQ(surface.At(4, 4), kRed);
    EXPECT_EQ(surface.At(5, 4), kWhite);
}

}  // namespace
}  // namespace velk
