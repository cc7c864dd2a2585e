// The thumbnail size of a page: fitted into a square, proportions kept, never enlarged.
#include "scale_to_fit.h"

#include <gtest/gtest.h>

namespace velk::tool {
namespace {

TEST(FitWithin, FitsTheLongerSideAndKeepsProportions) {
    struct Case {
        std::int32_t width, height, max_side, fit_width, fit_height;
    };
    const Case cases[] = {
        {40, 30, 20, 20, 15},  {30, 40, 20, 15, 20},      {640, 480, 128, 128, 96},
        {100, 75, 40, 40, 30}, {800, 600, 256, 256, 192}, {1000, 1, 10, 10, 1},
        {1, 1000, 10, 1, 10},  {40, 30, 40, 40, 30},      {40, 30, 100, 40, 30},
        {40, 30, 0, 40, 30},
    };
    for (const Case& c : cases) {
        const FitSize fit = FitWithin(c.width, c.height, c.max_side);
        EXPECT_EQ(fit.width, c.fit_width) << c.width << " x " << c.height << " in " << c.max_side;
        EXPECT_EQ(fit.height, c.fit_height) << c.width << " x " << c.height << " in " << c.max_side;
    }
}

TEST(ScaleDownToFit, AveragesEveryCoveredPixelAndLeavesFittingSurfacesAlone) {
    // 3 x 1 onto 2 x 1 is uneven: cells of one and two pixels, which must still tile the row.
    Surface row(3, 1);
    row.Set(0, 0, MakeBgrx(30, 0, 0));
    row.Set(1, 0, MakeBgrx(0, 90, 0));
    row.Set(2, 0, MakeBgrx(0, 10, 200));
    auto scaled = ScaleDownToFit(row, 2);
    ASSERT_TRUE(scaled);
    ASSERT_EQ(scaled->Width(), 2);
    ASSERT_EQ(scaled->Height(), 1);
    EXPECT_EQ(scaled->At(0, 0), MakeBgrx(30, 0, 0));
    EXPECT_EQ(scaled->At(1, 0), MakeBgrx(0, 50, 100));

    EXPECT_FALSE(ScaleDownToFit(row, 3));
    EXPECT_FALSE(ScaleDownToFit(row, 0));
}

}  // namespace
}  // namespace velk::tool
