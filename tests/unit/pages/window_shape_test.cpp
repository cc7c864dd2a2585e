#include "pages/window_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/project.h"

namespace velk {
namespace {

using Rects = std::vector<Rect>;

struct MaskCase {
    std::string name;
    std::vector<std::uint8_t> data;
    std::int32_t width, height, step, key, tolerance;
    Rects expected;
};

TEST(WindowShapeMask, RunsPerRowAsRectangles) {
    const std::vector<MaskCase> cases = {
        {"gap splits a row", {0, 0, 252, 0}, 4, 1, 1, 255, 5, {{0, 0, 2, 1}, {3, 0, 4, 1}}},
        {"249 in, 250 out", {249, 250, 255, 200}, 4, 1, 1, 255, 5, {{0, 0, 1, 1}, {3, 0, 4, 1}}},
        {"everything near white", {250, 251, 255, 253}, 2, 2, 1, 255, 5, {}},
        {"single pixel", {0}, 1, 1, 1, 255, 5, {{0, 0, 1, 1}}},
        {"full rows merge", std::vector<std::uint8_t>(9, 0), 3, 3, 1, 255, 5, {{0, 0, 3, 3}}},
        {"run reaching row end",
         {255, 0, 0, 0, 0, 255},
         3,
         2,
         1,
         255,
         5,
         {{1, 0, 3, 1}, {0, 1, 2, 2}}},
        // The range is signed: key 0 with tolerance 5 reaches below zero, 6 belongs.
        {"range below zero", {0, 5, 6, 255}, 4, 1, 1, 0, 5, {{2, 0, 4, 1}}},
        {"tolerance 0 keeps all but key", {0, 255, 1}, 3, 1, 1, 0, 0, {{1, 0, 3, 1}}},
        // Video alpha pictures: RGB pixels, first byte above 127 belongs.
        {"step 3 tests first byte",
         {127, 255, 255, 128, 0, 0, 0, 9, 9},
         3,
         1,
         3,
         0,
         127,
         {{1, 0, 2, 1}}},
        // Only the first byte of the last pixel has to be present.
        {"step 3 short tail", {200, 0, 0, 200}, 2, 1, 3, 0, 127, {{0, 0, 2, 1}}},
        {"extra bytes ignored", {0, 0, 255, 255, 255}, 2, 1, 1, 255, 5, {{0, 0, 2, 1}}},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto region = RegionFromMask(c.data, c.width, c.height, c.step, c.key, c.tolerance);
        ASSERT_TRUE(region.has_value());
        EXPECT_EQ(region->Rects(), c.expected);
    }
}

TEST(WindowShapeMask, NoRegionForMissingOrShortData) {
    const std::vector<std::uint8_t> four(4, 0);
    EXPECT_FALSE(RegionFromMask({}, 1, 1, 1, 255, 5));
    EXPECT_FALSE(RegionFromMask(four, 0, 4, 1, 255, 5));
    EXPECT_FALSE(RegionFromMask(four, 4, 0, 1, 255, 5));
    EXPECT_FALSE(RegionFromMask(four, -1, -4, 1, 255, 5));
    EXPECT_FALSE(RegionFromMask(four, 3, 2, 1, 255, 5));  // 6 pixels in 4 bytes
    EXPECT_FALSE(RegionFromMask(four, 2, 1, 4, 255, 5));  // second pixel at byte 4
    EXPECT_FALSE(RegionFromMask(four, 2, 2, 0, 255, 5));
    EXPECT_FALSE(RegionFromMask(four, 0x7fffffff, 0x7fffffff, 3, 255, 5));
}

// Thousands of runs go to the region in several blocks; the result is still the canonical
// region of the pixels, with equal rows merged across block boundaries.
TEST(WindowShapeMask, ManyRunsAcrossBlocks) {
    const std::int32_t width = 5, height = 1000;
    std::vector<std::uint8_t> columns(std::size_t(width * height), 255);
    std::vector<std::uint8_t> stripes(columns.size(), 255);
    Rects stripe_rects;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; x += 2) columns[std::size_t(y * width + x)] = 0;
        for (std::int32_t x = y % 2; x < width; x += 2) stripes[std::size_t(y * width + x)] = 0;
    }
    const auto merged = RegionFromMask(columns, width, height, 1, 255, 5);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->Rects(), (Rects{{0, 0, 1, 1000}, {2, 0, 3, 1000}, {4, 0, 5, 1000}}));

    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = y % 2; x < width; x += 2)
            stripe_rects.push_back({x, y, x + 1, y + 1});
    }
    const auto alternating = RegionFromMask(stripes, width, height, 1, 255, 5);
    ASSERT_TRUE(alternating);
    EXPECT_GT(alternating->RectCount(), kShapeRectBlock);  // runs span blocks
    EXPECT_EQ(*alternating, Region::FromRects(stripe_rects));
}

struct PolygonCase {
    std::string name;
    std::vector<Point> points;
    Rects expected;
};

TEST(WindowShapePolygon, FillPlusOpenOutline) {
    Rects triangle;  // rows 0..9 from the diagonal to the marked column 10 inclusive
    for (std::int32_t y = 0; y < 10; ++y) triangle.push_back({y, y, 11, y + 1});
    const std::vector<PolygonCase> cases = {
        {"triangle adds right edge, not last point", {{0, 0}, {10, 0}, {10, 10}}, triangle},
        {"single point marks nothing", {{5, 5}}, {}},
        {"two points: outline only", {{0, 0}, {3, 0}}, {{0, 0, 3, 1}}},
        // Half pixels round up: (0,0) (1,0.5) (2,1) (3,1.5).
        {"diagonal rounds half up", {{0, 0}, {4, 2}}, {{0, 0, 1, 1}, {1, 1, 3, 2}, {3, 2, 4, 3}}},
        // Backwards: (4,2) (3,1.5) (2,1) (1,0.5).
        {"backwards diagonal", {{4, 2}, {0, 0}}, {{1, 1, 3, 2}, {3, 2, 5, 3}}},
        {"negative coordinates", {{-3, -2}, {0, -2}}, {{-3, -2, 0, -1}}},
        {"repeated point", {{2, 2}, {2, 2}, {2, 4}}, {{2, 2, 3, 4}}},
        // The outline is not closed: the edge back from (0,3) to (0,0) is not marked, and the
        // fill owns only its left edge, so the bottom and right edges come from the outline.
        {"square", {{0, 0}, {3, 0}, {3, 3}, {0, 3}}, {{0, 0, 4, 3}, {1, 3, 4, 4}}},
    };
    for (const PolygonCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto region = RegionFromPolygon(c.points);
        ASSERT_TRUE(region.has_value());
        EXPECT_EQ(region->Rects(), c.expected);
    }
    EXPECT_FALSE(RegionFromPolygon({}));
}

TEST(WindowShapePolygon, HugePolygonKeepsFillWithinLimit) {
    const std::vector<Point> far = {{0, 0}, {2'000'000'000, 0}, {2'000'000'000, 10}};
    const auto region = RegionFromPolygon(far);
    ASSERT_TRUE(region);
    EXPECT_EQ(*region, Region::FromPolygon(far, PolyFillMode::kAlternate, kShapeLimit));
    EXPECT_FALSE(region->IsEmpty());
    EXPECT_LE(region->BoundingBox().right, kShapeLimit.right);
}

TEST(WindowShapeProject, MaskWinsOverPolygonAndBadMasksGiveNoShape) {
    Project project;
    project.shape.shape_points = {{0, 0}, {10, 0}, {10, 10}};
    EXPECT_EQ(ShapeOfProject(project), RegionFromPolygon(project.shape.shape_points));

    project.shape.shape_mask_present = 1;
    project.shape.shape_mask_width = 2;
    project.shape.shape_mask_height = 2;
    project.shape.shape_mask = {0, 255, 250, 0};
    const auto shape = ShapeOfProject(project);
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Rects(), (Rects{{0, 0, 1, 1}, {1, 1, 2, 2}}));

    // A mask that leaves no pixel keeps the window rectangular; so does one shorter than its
    // stated size, without falling back to the polygon.
    project.shape.shape_mask = {255, 255, 250, 251};
    EXPECT_FALSE(ShapeOfProject(project));
    project.shape.shape_mask = {0, 0, 0};
    EXPECT_FALSE(ShapeOfProject(project));
    project.shape.shape_mask_width = 0x10000;
    project.shape.shape_mask_height = 0x10000;
    EXPECT_FALSE(ShapeOfProject(project));
    project.shape.shape_mask_width = 0x80000000u;
    project.shape.shape_mask_height = 1;
    EXPECT_FALSE(ShapeOfProject(project));

    Project plain;
    EXPECT_FALSE(ShapeOfProject(plain));
    plain.shape.shape_points = {{4, 4}};
    EXPECT_FALSE(ShapeOfProject(plain));
}

}  // namespace
}  // namespace velk
