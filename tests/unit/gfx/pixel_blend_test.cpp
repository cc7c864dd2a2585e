#include "gfx/pixel_blend.h"

#include <gtest/gtest.h>

#include <array>

namespace velk {
namespace {

constexpr Bgrx kWhite = MakeBgrx(255, 255, 255);

// Smooth text: which samples count as ink, and the average of a block with n of them.
TEST(BlendInkQuadsTest, CountsInkPerSampleAndAveragesTheBlock) {
    const Bgrx page = MakeBgrx(200, 101, 3);
    const Bgrx ink = MakeBgrx(10, 20, 255);
    struct Case {
        std::array<Bgrx, 4> samples;  // upper left, upper right, lower left, lower right
        Bgrx want;
    };
    const Case cases[] = {
        {{kWhite, kWhite, kWhite, kWhite}, page},
        // 251 in every channel is still paper; 250 in any one channel is ink.
        {{MakeBgrx(251, 251, 251), kWhite, kWhite, kWhite}, page},
        {{MakeBgrx(250, 255, 255), kWhite, kWhite, kWhite},
         MakeBgrx((3 * 200 + 10) / 4, (3 * 101 + 20) / 4, (3 * 3 + 255) / 4)},
        {{kWhite, MakeBgrx(255, 250, 255), kWhite, MakeBgrx(255, 255, 250)},
         MakeBgrx((2 * 200 + 2 * 10) / 4, (2 * 101 + 2 * 20) / 4, (2 * 3 + 2 * 255) / 4)},
        {{0, 0, 0, kWhite}, MakeBgrx((200 + 3 * 10) / 4, (101 + 3 * 20) / 4, (3 + 3 * 255) / 4)},
        {{0, 0, 0, 0}, ink},
    };
    for (const Case& c : cases) {
        // The block sits second in a row of three, beside two blocks of paper.
        const std::array<Bgrx, 6> upper{kWhite, kWhite, c.samples[0], c.samples[1], kWhite, kWhite};
        const std::array<Bgrx, 6> lower{kWhite, kWhite, c.samples[2], c.samples[3], kWhite, kWhite};
        const std::array<Bgrx, 3> under{1, page, 2};
        std::array<Bgrx, 3> out{};
        BlendInkQuads(upper.data(), lower.data(), under.data(), out.data(), 3, ink);
        EXPECT_EQ(out, (std::array<Bgrx, 3>{1, c.want, 2})) << std::hex << c.want;
    }
}

}  // namespace
}  // namespace velk
