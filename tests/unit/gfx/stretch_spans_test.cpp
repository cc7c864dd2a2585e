#include "gfx/stretch_spans.h"

#include <gtest/gtest.h>

#include <vector>

namespace velk {
namespace {

std::vector<SourceSpan> Spans(std::int64_t source, std::int64_t target) {
    return SourceSpansOf(StretchAxis{source, target}, 0, target);
}

TEST(StretchSpans, FollowTheNearestPixelRule) {
    struct Case {
        std::int64_t source, target;
        std::vector<SourceSpan> spans;
    };
    const Case cases[] = {
        // Enlarging copies the source under each centre, exact ties going to the lower pixel.
        {2, 5, {{0, 0}, {0, 0}, {0, 0}, {1, 1}, {1, 1}}},
        {3, 7, {{0, 0}, {0, 0}, {1, 1}, {1, 1}, {1, 1}, {2, 2}, {2, 2}}},
        {4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        // Shrinking merges groups.
        {5, 2, {{0, 2}, {3, 4}}},
        {7, 3, {{0, 1}, {2, 4}, {5, 6}}},
        // A one-pixel target merges all sources but the last.
        {5, 1, {{0, 3}}},
        {4, 1, {{0, 2}}},
        {2, 1, {{0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Spans(c.source, c.target), c.spans) << c.source << " -> " << c.target;
    }
}

TEST(StretchSpans, ShrinkGroupsAreExactlyTheSourcesMappedToEachTarget) {
    // Source i belongs to target ((2i + 1) d - 1) / (2s): the groups must partition the sources
    // in that way for every pair of lengths.
    for (std::int64_t s = 2; s < 60; ++s) {
        for (std::int64_t d = 2; d < s; ++d) {
            for (std::int64_t j = 0; j < d; ++j) {
                const SourceSpan span = NearestSourceSpan(s, d, j);
                for (std::int64_t i = 0; i < s; ++i) {
                    const bool mapped = ((2 * i + 1) * d - 1) / (2 * s) == j;
                    const bool grouped = i >= span.first && i <= span.last;
                    ASSERT_EQ(mapped, grouped) << s << "->" << d << " j=" << j << " i=" << i;
                }
            }
        }
    }
}

TEST(StretchSpans, MirrorOffsetAndSourceEdge) {
    // Five sources from 3 on, over two targets: groups 3-5 and 6-7, mirrored 6-7 first; a
    // surface of 7 pixels cuts the last group to 6 alone, one of 6 pixels leaves it empty.
    EXPECT_EQ(SourceSpansOf(StretchAxis{5, 2, false, 3}, 0, 2),
              (std::vector<SourceSpan>{{3, 5}, {6, 7}}));
    EXPECT_EQ(SourceSpansOf(StretchAxis{5, 2, true, 3, 7}, 0, 2),
              (std::vector<SourceSpan>{{6, 6}, {3, 5}}));
    EXPECT_TRUE(SourceSpanAt(StretchAxis{5, 2, false, 3, 6}, 1).Empty());
    // A run starting left of the surface loses its pixels before 0.
    EXPECT_EQ(SourceSpanAt(StretchAxis{5, 2, false, -2}, 0), (SourceSpan{0, 0}));
}

TEST(StretchSpans, LargestSidesDoNotOverflow) {
    constexpr std::int64_t kMax = std::int64_t{1} << 31;
    EXPECT_EQ(NearestSourceSpan(kMax, kMax, kMax - 1), (SourceSpan{kMax - 1, kMax - 1}));
    EXPECT_EQ(NearestSourceSpan(kMax, kMax - 1, kMax - 2).last, kMax - 1);
    EXPECT_EQ(NearestSourceSpan(kMax, 1, 0), (SourceSpan{0, kMax - 2}));
    EXPECT_EQ(NearestSourceSpan(1, kMax, kMax - 1), (SourceSpan{0, 0}));
}

}  // namespace
}  // namespace velk
