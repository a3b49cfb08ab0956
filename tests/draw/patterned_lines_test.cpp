#include "draw/patterned_lines.h"

#include <climits>
#include <cmath>
#include <limits>

#include "draw/pattern_counts.h"
#include "recording_checks.h"

namespace gearmesh {

namespace {

constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

// Distance of vertex j of the one recorded line from the point a, which
// the line starts at.
double along(const Point2& a, int j) {
    const Point2 p = vertex(0, j);
    return std::hypot(p.x - a.x, p.y - a.y);
}

}  // namespace

TEST(DashLineCount, TenPerUnitLengthWithThreeBelowPointFour) {
    EXPECT_EQ(dashLineCount(1.0), 9);
    EXPECT_EQ(dashLineCount(0.7), 6);
    EXPECT_EQ(dashLineCount(0.4), 3);
    EXPECT_EQ(dashLineCount(0.2), 3);
    EXPECT_EQ(dashLineCount(NOT_A_NUMBER), 3);
}

TEST(ChainLineCount, SixPerUnitLengthWithTwoBelowOneHalf) {
    EXPECT_EQ(chainLineCount(1.0), 5);
    EXPECT_EQ(chainLineCount(4.0), 23);
    EXPECT_EQ(chainLineCount(0.5), 2);
    EXPECT_EQ(chainLineCount(0.25), 2);
    EXPECT_EQ(chainLineCount(NOT_A_NUMBER), 2);
}

TEST(TruncatedCount, ClampsWhereAnIntWouldOverflow) {
    EXPECT_EQ(truncatedCount(2147483646.9), 2147483646);
    EXPECT_EQ(truncatedCount(2147483647.5), PATTERN_COUNT_LIMIT);
    EXPECT_EQ(truncatedCount(1e12 * 45.0), PATTERN_COUNT_LIMIT);
    EXPECT_EQ(truncatedCount(std::numeric_limits<double>::infinity()), PATTERN_COUNT_LIMIT);
    EXPECT_EQ(truncatedCount(-1e12), INT_MIN);
    EXPECT_EQ(dashLineCount(1e300), PATTERN_COUNT_LIMIT);
    EXPECT_EQ(chainLineCount(1e12), PATTERN_COUNT_LIMIT);
}

TEST(DrawDashLine, LengthOneHasTenDashesFromAToB) {
    recordFrame(FrameDrawing::Literal);
    // Length 1 along (0.6, 0.8): the dashes must follow the segment's direction.
    const Point2 a{0.1, -0.2};
    drawDashLine(a, Point2{0.7, 0.6}, BLUE);
    ASSERT_EQ(storedPrimitiveCount(), 1);
    ASSERT_EQ(recordedPrimitive(0).vertexCount, 20);
    for (int dash = 0; dash < 10; ++dash) {
        EXPECT_NEAR(along(a, 2 * dash), dash * 10.0 / 98.0, 1e-9);
        EXPECT_NEAR(along(a, 2 * dash + 1), dash * 10.0 / 98.0 + 8.0 / 98.0, 1e-9);
    }
    expectPointNear(vertex(0, 19), 0.7, 0.6, 1e-9);
    expectStateLeftAsFound();
}

TEST(DrawDashLine, ShortLineHasFourDashes) {
    recordFrame(FrameDrawing::Literal);
    drawDashLine(Point2{0, 0}, Point2{0.2, 0}, BLUE);
    ASSERT_EQ(recordedPrimitive(0).vertexCount, 8);
    const double unit = 2.0 / 38.0;
    expectPointNear(vertex(0, 1), 0.8 * unit, 0.0);
    expectPointNear(vertex(0, 6), 3.0 * unit, 0.0);
    expectPointNear(vertex(0, 7), 0.2, 0.0, 1e-15);
}

TEST(DrawChainLine, AlongTheYAxisLongDashDotAndFinalDash) {
    recordFrame(FrameDrawing::Literal);
    drawChainLine(Point2{0, 0}, Point2{0, 1}, RED);
    // 5 periods of long dash and dot, then the final long dash.
    ASSERT_EQ(recordedPrimitive(0).vertexCount, 22);
    expectPointNear(vertex(0, 0), 0.0, 0.0, 1e-9);
    expectPointNear(vertex(0, 1), 0.0, 9.0 / 84.0, 1e-9);
    expectPointNear(vertex(0, 2), 0.0, 11.0 / 84.0, 1e-9);
    expectPointNear(vertex(0, 3), 0.0, 13.0 / 84.0, 1e-9);
    expectPointNear(vertex(0, 4), 0.0, 15.0 / 84.0, 1e-9);
    expectPointNear(vertex(0, 21), 0.0, 1.0, 1e-9);
    expectStateLeftAsFound();
}

TEST(DrawScaledChainLine, PeriodsFollowTheScaledLength) {
    recordFrame(FrameDrawing::Literal);
    drawScaledChainLine(0.2, Point2{0, -10}, Point2{0, 10}, RED);
    ASSERT_EQ(recordedPrimitive(0).vertexCount, 4 * 23 + 2);
    expectPointNear(vertex(0, 0), 0.0, -2.0, 1e-8);
    expectPointNear(vertex(0, 4 * 23 + 1), 0.0, 2.0, 1e-8);
}

TEST(DrawDashLine, DegenerateInputsDrawTheFallbackPatternAndRestoreState) {
    recordFrame(FrameDrawing::Literal);
    drawDashLine(Point2{0.3, 0.3}, Point2{0.3, 0.3}, BLUE);
    drawChainLine(Point2{0.3, 0.3}, Point2{0.3, 0.3}, BLUE);
    drawDashLine(Point2{NOT_A_NUMBER, 0}, Point2{1, 0}, BLUE);
    drawChainLine(Point2{0, 0}, Point2{1, NOT_A_NUMBER}, BLUE);
    // Equal points: 4 dashes and 2 x 2 + 1 chain dashes, all of zero length at the point.
    ASSERT_EQ(recordedPrimitive(0).vertexCount, 8);
    ASSERT_EQ(recordedPrimitive(1).vertexCount, 10);
    for (int j = 0; j < 10; ++j) {
        expectPointNear(vertex(1, j), 0.3, 0.3);
    }
    EXPECT_EQ(recordedPrimitive(2).vertexCount, 8);
    EXPECT_EQ(recordedPrimitive(3).vertexCount, 10);
    expectStateLeftAsFound();
}

}  // namespace gearmesh
