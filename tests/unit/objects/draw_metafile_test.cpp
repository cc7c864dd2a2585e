// Metafile objects: the stored records played into the object's rectangle, turned by param2.
#include <gtest/gtest.h>

#include "canvas_test_util.h"
#include "draw_test_fixture.h"
#include "emf_test_writer.h"

namespace velk {
namespace {

constexpr Bgrx kGrey = MakeBgrx(192, 192, 192);
constexpr Bgrx kRed = MakeBgrx(255, 0, 0);

// A 20 x 20 picture with a red square in its top-left quarter.
Object MetafileObject(std::uint32_t param2) {
    test::TestEmf emf(20, 20);
    emf.CreateBrush(1, 0, 0x0000FF).Select(1).Select(0x80000008).Rectangle(0, 0, 11, 11);
    Object object = test::MakeObject(kKindMetafile, {10, 10, 30, 30});
    object.param2 = param2;
    object.metafile = StoredMetafile{{}, emf.Bytes()};
    return object;
}

struct Turn {
    std::uint32_t param2;
    Point red;   // a pixel of the square
    Point grey;  // a pixel of the quarter diagonally opposite
};

class MetafileTurns : public testing::TestWithParam<Turn> {};

TEST_P(MetafileTurns, Param2ExchangesTheEdges) {
    const Turn& turn = GetParam();
    test::DrawFixture fx(40, 40, kGrey);
    Object object = MetafileObject(turn.param2);
    fx.Draw(object);
    EXPECT_EQ(fx.At(turn.red.x, turn.red.y), kRed);
    EXPECT_EQ(fx.At(turn.grey.x, turn.grey.y), kGrey);
}

INSTANTIATE_TEST_SUITE_P(Param2, MetafileTurns,
                         testing::Values(Turn{0, {11, 11}, {28, 28}},  // as made
                                         Turn{1, {11, 28}, {28, 11}},  // upside down
                                         Turn{2, {28, 11}, {11, 28}},  // mirrored
                                         Turn{3, {28, 28}, {11, 11}},  // both
                                         Turn{7, {11, 11}, {28, 28}}));

TEST(MetafileObject, DrawsAtTheDrawOffsetAndNothingWithoutAMetafile) {
    test::DrawFixture fx(40, 40, kGrey);
    Object object = MetafileObject(0);
    fx.Draw(object, {5, 0});
    EXPECT_EQ(fx.At(15, 10), kRed);
    EXPECT_EQ(fx.At(14, 10), kGrey);

    test::DrawFixture empty(40, 40, kGrey);
    object.metafile.reset();
    empty.Draw(object);
    object.metafile = StoredMetafile{};
    empty.Draw(object);
    EXPECT_EQ(test::PaintedPixels(empty.surface, kGrey).size(), 0u);
}

}  // namespace
}  // namespace velk
