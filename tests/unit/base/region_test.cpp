#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "base/region.h"

namespace velk {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels PixelsOf(const Region& r) {
    Pixels out;
    for (const Rect& rect : r) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) out.insert({x, y});
        }
    }
    return out;
}

Pixels PixelsOf(const std::vector<Rect>& rects) {
    Pixels out;
    for (const Rect& rect : rects) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) out.insert({x, y});
        }
    }
    return out;
}

// The banded form: rectangles sorted by top then left, bands of equal top share bottom, no two
// rectangles of a band touch, and no two touching bands hold the same columns.
void ExpectCanonical(const Region& r) {
    const auto& v = r.Rects();
    for (std::size_t i = 0; i < v.size(); ++i) {
        EXPECT_FALSE(v[i].IsEmpty());
        if (i == 0) continue;
        const Rect& a = v[i - 1];
        const Rect& b = v[i];
        if (a.top == b.top) {
            EXPECT_EQ(a.bottom, b.bottom);
            EXPECT_LT(a.right, b.left);
        } else {
            EXPECT_LE(a.bottom, b.top);
        }
    }
}

TEST(Region, BuiltFromRectangles) {
    EXPECT_TRUE(Region().IsEmpty());
    EXPECT_TRUE(Region(Rect{5, 5, 5, 9}).IsEmpty());
    EXPECT_EQ(Region(Rect{1, 2, 3, 4}).Rects(), (std::vector<Rect>{{1, 2, 3, 4}}));

    // Overlapping and touching rectangles merge into the fewest bands.
    const Rect parts[] = {{0, 0, 4, 2}, {4, 0, 6, 2}, {0, 2, 6, 4}, {2, 1, 3, 3}};
    const Region r = Region::FromRects(parts);
    EXPECT_EQ(r.Rects(), (std::vector<Rect>{{0, 0, 6, 4}}));
    EXPECT_EQ(r.BoundingBox(), (Rect{0, 0, 6, 4}));

    // The mask scan's runs of a 4 x 1 row: 0, 0, (outside), 0.
    const Rect runs[] = {{0, 0, 2, 1}, {3, 0, 4, 1}};
    EXPECT_EQ(Region::FromRects(runs).Rects(), (std::vector<Rect>{{0, 0, 2, 1}, {3, 0, 4, 1}}));
}

TEST(Region, SetOperationsMatchPixelSets) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 12);
    auto random_rects = [&](int n) {
        std::vector<Rect> v;
        for (int i = 0; i < n; ++i) {
            int l = coord(rng), r = coord(rng), t = coord(rng), b = coord(rng);
            v.push_back({std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)});
        }
        return v;
    };
    for (int round = 0; round < 200; ++round) {
        const std::vector<Rect> ra = random_rects(1 + round % 5);
        const std::vector<Rect> rb = random_rects(1 + round % 3);
        const Region a = Region::FromRects(ra), b = Region::FromRects(rb);
        const Pixels pa = PixelsOf(ra), pb = PixelsOf(rb);
        ASSERT_EQ(PixelsOf(a), pa);
        Pixels uni = pa, inter, diff, sym;
        uni.insert(pb.begin(), pb.end());
        for (const auto& p : pa) (pb.count(p) ? inter : diff).insert(p);
        for (const auto& p : uni) {
            if (pa.count(p) != pb.count(p)) sym.insert(p);
        }
        const Region u = a.Union(b), i = a.Intersect(b), d = a.Subtract(b), x = a.Xor(b);
        EXPECT_EQ(PixelsOf(u), uni);
        EXPECT_EQ(PixelsOf(i), inter);
        EXPECT_EQ(PixelsOf(d), diff);
        EXPECT_EQ(PixelsOf(x), sym);
        for (const Region* r : {&a, &u, &i, &d, &x}) ExpectCanonical(*r);
        // Canonical: the same pixels give the same rectangles, whatever the way there.
        EXPECT_EQ(u, b.Union(a));
        EXPECT_EQ(d.Union(i), a);
        for (int y = -1; y < 14; ++y) {
            for (int xx = -1; xx < 14; ++xx) {
                ASSERT_EQ(u.Contains({xx, y}), uni.count({xx, y}) == 1);
            }
        }
    }
}

TEST(Region, VisibilityAndBounds) {
    const Rect parts[] = {{0, 0, 5, 5}, {10, 5, 15, 10}};
    const Region r = Region::FromRects(parts);
    EXPECT_EQ(r.BoundingBox(), (Rect{0, 0, 15, 10}));
    EXPECT_TRUE(r.RectVisible({4, 4, 5, 5}));
    EXPECT_FALSE(r.RectVisible({5, 0, 10, 10}));
    EXPECT_FALSE(r.RectVisible({0, 5, 10, 10}));
    EXPECT_FALSE(r.RectVisible({3, 3, 3, 3}));
    EXPECT_TRUE(r.Contains({14, 9}));
    EXPECT_FALSE(r.Contains({15, 9}));
    EXPECT_FALSE(r.Contains({5, 4}));
    EXPECT_EQ(Region().BoundingBox(), Rect{});
}

TEST(Region, OffsetClampsAtTheEdgesOfThe32BitRange) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const Rect parts[] = {{0, 0, 5, 5}, {10, 5, 15, 10}};
    const Region r = Region::FromRects(parts);
    EXPECT_EQ(r.Offset(3, -2).Rects(), (std::vector<Rect>{{3, -2, 8, 3}, {13, 3, 18, 8}}));
    const Region far = r.Offset(kMax - 12, 0);
    EXPECT_EQ(far.Rects(),
              (std::vector<Rect>{{kMax - 12, 0, kMax - 7, 5}, {kMax - 2, 5, kMax, 10}}));
    EXPECT_TRUE(r.Offset(std::int64_t{1} << 40, 0).IsEmpty());
    // Two bands that become the same columns once clamped are merged.
    const Rect wide[] = {{0, 0, 20, 1}, {0, 1, 30, 2}};
    EXPECT_EQ(Region::FromRects(wide).Offset(kMax - 10, 0).Rects(),
              (std::vector<Rect>{{kMax - 10, 0, kMax, 2}}));
}

TEST(Region, PolygonWithTheTopLeftRule) {
    const Rect limit{-100, -100, 100, 100};
    const Point tri[] = {{0, 0}, {6, 0}, {3, 3}};
    EXPECT_EQ(Region::FromPolygon(tri, PolyFillMode::kAlternate, limit).Rects(),
              (std::vector<Rect>{{0, 0, 6, 1}, {1, 1, 5, 2}, {2, 2, 4, 3}}));
    const Point tri2[] = {{1, 0}, {5, 4}, {0, 4}};
    EXPECT_EQ(Region::FromPolygon(tri2, PolyFillMode::kAlternate, limit).Rects(),
              (std::vector<Rect>{{1, 1, 2, 2}, {1, 2, 3, 3}, {1, 3, 4, 4}}));
    const Point notch[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 2}, {4, 2}, {4, 4}, {0, 4}};
    EXPECT_EQ(Region::FromPolygon(notch, PolyFillMode::kAlternate, limit).Rects(),
              (std::vector<Rect>{{0, 0, 6, 2}, {4, 2, 6, 4}, {0, 4, 6, 6}}));
    EXPECT_EQ(Region::FromPolygon(notch, PolyFillMode::kWinding, limit).Rects(),
              (std::vector<Rect>{{0, 0, 6, 6}}));
    // The limit keeps only what lies inside it.
    EXPECT_EQ(Region::FromPolygon(notch, PolyFillMode::kAlternate, {1, 1, 5, 3}).Rects(),
              (std::vector<Rect>{{1, 1, 5, 2}, {4, 2, 5, 3}}));
    // Fewer than three points, or only horizontal edges: empty.
    const Point two[] = {{0, 0}, {5, 5}};
    EXPECT_TRUE(Region::FromPolygon(two, PolyFillMode::kAlternate, limit).IsEmpty());
    const Point flat[] = {{0, 3}, {5, 3}, {9, 3}};
    EXPECT_TRUE(Region::FromPolygon(flat, PolyFillMode::kAlternate, limit).IsEmpty());
}

TEST(Region, HugePolygonIsExactNearTheOrigin) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    // A triangle whose slanted edge runs through (0, 0) with slope 1: below it, x < y.
    const Point tri[] = {{kMin, kMin}, {kMax, kMax}, {kMin, kMax}};
    const Region r = Region::FromPolygon(tri, PolyFillMode::kAlternate, {0, 0, 4, 4});
    EXPECT_EQ(PixelsOf(r), (Pixels{{0, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}, {2, 3}}));
}

}  // namespace
}  // namespace velk
