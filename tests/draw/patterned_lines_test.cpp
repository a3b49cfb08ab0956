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
double along(const RecordedFrame& frame, const Point2& a, int j) {
    const Point2 p = frame.vertex(0, j);
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
    RecordedFrame frame(FrameDrawing::Literal);
    // Length 1 along (0.6, 0.8): the dashes must follow the segment's direction.
    const Point2 a{0.1, -0.2};
    drawDashLine(frame.dc, a, Point2{0.7, 0.6}, BLUE);
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), 1);
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).vertexCount, 20);
    for (int dash = 0; dash < 10; ++dash) {
        EXPECT_NEAR(along(frame, a, 2 * dash), dash * 10.0 / 98.0, 1e-9);
        EXPECT_NEAR(along(frame, a, 2 * dash + 1), dash * 10.0 / 98.0 + 8.0 / 98.0, 1e-9);
    }
    expectPointNear(frame.vertex(0, 19), 0.7, 0.6, 1e-9);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawDashLine, ShortLineHasFourDashes) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawDashLine(frame.dc, Point2{0, 0}, Point2{0.2, 0}, BLUE);
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).vertexCount, 8);
    const double unit = 2.0 / 38.0;
    expectPointNear(frame.vertex(0, 1), 0.8 * unit, 0.0);
    expectPointNear(frame.vertex(0, 6), 3.0 * unit, 0.0);
    expectPointNear(frame.vertex(0, 7), 0.2, 0.0, 1e-15);
}

TEST(DrawChainLine, AlongTheYAxisLongDashDotAndFinalDash) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawChainLine(frame.dc, Point2{0, 0}, Point2{0, 1}, RED);
    // 5 periods of long dash and dot, then the final long dash.
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).vertexCount, 22);
    expectPointNear(frame.vertex(0, 0), 0.0, 0.0, 1e-9);
    expectPointNear(frame.vertex(0, 1), 0.0, 9.0 / 84.0, 1e-9);
    expectPointNear(frame.vertex(0, 2), 0.0, 11.0 / 84.0, 1e-9);
    expectPointNear(frame.vertex(0, 3), 0.0, 13.0 / 84.0, 1e-9);
    expectPointNear(frame.vertex(0, 4), 0.0, 15.0 / 84.0, 1e-9);
    expectPointNear(frame.vertex(0, 21), 0.0, 1.0, 1e-9);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawScaledChainLine, PeriodsFollowTheScaledLength) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawScaledChainLine(frame.dc, 0.2, Point2{0, -10}, Point2{0, 10}, RED);
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).vertexCount, 4 * 23 + 2);
    expectPointNear(frame.vertex(0, 0), 0.0, -2.0, 1e-8);
    expectPointNear(frame.vertex(0, 4 * 23 + 1), 0.0, 2.0, 1e-8);
}

TEST(DrawDashLine, DegenerateInputsDrawTheFallbackPatternAndRestoreState) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawDashLine(frame.dc, Point2{0.3, 0.3}, Point2{0.3, 0.3}, BLUE);
    drawChainLine(frame.dc, Point2{0.3, 0.3}, Point2{0.3, 0.3}, BLUE);
    drawDashLine(frame.dc, Point2{NOT_A_NUMBER, 0}, Point2{1, 0}, BLUE);
    drawChainLine(frame.dc, Point2{0, 0}, Point2{1, NOT_A_NUMBER}, BLUE);
    // Equal points: 4 dashes and 2 x 2 + 1 chain dashes, all of zero length at the point.
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).vertexCount, 8);
    ASSERT_EQ(frame.recorder.recordedPrimitive(1).vertexCount, 10);
    for (int j = 0; j < 10; ++j) {
        expectPointNear(frame.vertex(1, j), 0.3, 0.3);
    }
    EXPECT_EQ(frame.recorder.recordedPrimitive(2).vertexCount, 8);
    EXPECT_EQ(frame.recorder.recordedPrimitive(3).vertexCount, 10);
    expectStateLeftAsFound(frame.recorder);
}

}  // namespace gearmesh
