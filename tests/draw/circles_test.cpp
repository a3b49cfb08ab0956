#include "draw/circles.h"

#include <limits>

#include "draw/lines.h"
#include "draw/pattern_counts.h"
#include "draw/seam.h"
#include "recording_checks.h"

namespace gearmesh {

namespace {

// Angles here come from matrices turned in single steps of RAD_TO_DEG
// degrees, which is not exactly 180 / pi: a few 1e-9 over a whole turn.
constexpr double ANGLE_TOLERANCE = 1e-7;

// Checks a chain circle about the origin drawn as the only thing in frame:
// periods of long dash, gap, dot, gap of longChords, shortChords,
// shortChords, shortChords chord angles, every vertex on radius |R|,
// period k beginning at k periods plus phase.
void expectChainCircle(const RecordedFrame& frame, int periods, int longChords, int shortChords,
                       double radius, double phase) {
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), 2 * periods);
    const double periodAngle = 2.0 * FULL_PI / periods;
    const double chord = periodAngle / (longChords + 3 * shortChords);
    for (int k = 0; k < periods; ++k) {
        const int dash = 2 * k;
        const int dot = 2 * k + 1;
        ASSERT_EQ(frame.recorder.recordedPrimitive(dash).vertexCount, 2 * longChords);
        ASSERT_EQ(frame.recorder.recordedPrimitive(dot).vertexCount, 2 * shortChords);
        const double start = polarAngle(frame.vertex(dash, 0));
        EXPECT_NEAR(angleBetween(phase + (k + 1) * periodAngle, start), 0.0, ANGLE_TOLERANCE);
        const double dashEnd = polarAngle(frame.vertex(dash, 2 * longChords - 1));
        const double dotStart = polarAngle(frame.vertex(dot, 0));
        const double dotEnd = polarAngle(frame.vertex(dot, 2 * shortChords - 1));
        EXPECT_NEAR(angleBetween(start, dashEnd), longChords * chord, ANGLE_TOLERANCE);
        EXPECT_NEAR(angleBetween(dashEnd, dotStart), shortChords * chord, ANGLE_TOLERANCE);
        EXPECT_NEAR(angleBetween(dotStart, dotEnd), shortChords * chord, ANGLE_TOLERANCE);
        const Point2 p = frame.vertex(dot, 1);
        EXPECT_NEAR(std::hypot(p.x, p.y), std::fabs(radius), 1e-12);
    }
}

// The same for a dashed circle: dashes of dashChords chords, gaps of gapChords.
void expectDashCircle(const RecordedFrame& frame, int periods, int dashChords, int gapChords) {
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), periods);
    const double chord = 2.0 * FULL_PI / periods / (dashChords + gapChords);
    for (int k = 0; k < periods; ++k) {
        ASSERT_EQ(frame.recorder.recordedPrimitive(k).vertexCount, 2 * dashChords);
        const double start = polarAngle(frame.vertex(k, 0));
        const double end = polarAngle(frame.vertex(k, 2 * dashChords - 1));
        EXPECT_NEAR(angleBetween(start, end), dashChords * chord, ANGLE_TOLERANCE);
        EXPECT_NEAR(angleBetween((k + 1) * 2.0 * FULL_PI / periods, start), 0.0, ANGLE_TOLERANCE);
    }
}

}  // namespace

TEST(DrawDisc, PolygonOfCircleSegmentsAndNegativeRadiusOpposite) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawDisc(frame.dc, Point2{0.25, -0.5}, 0.5, GREEN);
    drawDisc(frame.dc, Point2{0.25, -0.5}, -0.5, GREEN);
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).mode, SEAM_POLYGON);
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).vertexCount, CIRCLE_SEGMENTS);
    expectPointNear(frame.vertex(0, 0), 0.75, -0.5);
    for (int i = 0; i < CIRCLE_SEGMENTS; ++i) {
        const Point2 p = frame.vertex(0, i);
        const Point2 q = frame.vertex(1, i);
        EXPECT_NEAR(std::hypot(p.x - 0.25, p.y + 0.5), 0.5, 1e-12);
        expectPointNear(q, 0.5 - p.x, -1.0 - p.y);
    }
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawCircle, LoopOfPairsClosingThe120Gon) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawCircle(frame.dc, Point2{0, 0}, 1.0, RED);
    const RecordedPrimitive loop = frame.recorder.recordedPrimitive(0);
    EXPECT_EQ(loop.mode, SEAM_LINE_LOOP);
    ASSERT_EQ(loop.vertexCount, 238);
    expectPointNear(frame.vertex(0, 0), 1.0, 0.0);
    for (int j = 1; j + 1 < loop.vertexCount; j += 2) {
        expectPointNear(frame.vertex(0, j + 1), frame.vertex(0, j).x, frame.vertex(0, j).y, 0.0);
    }
    EXPECT_NEAR(polarAngle(frame.vertex(0, 237)), 119.0 * 2.0 * FULL_PI / 120.0, 1e-9);
}

TEST(DrawChainCircle, CountsFollowTheRadius) {
    struct Case {
        double radius;
        int periods, longChords, shortChords;
    };
    for (const Case& c : {Case{0.1, 6, 9, 2}, Case{0.19, 6, 9, 2}, Case{0.2, 6, 9, 2},
                          Case{0.3, 9, 13, 3}, Case{0.5, 15, 22, 5}, Case{1.0, 31, 45, 10}}) {
        SCOPED_TRACE(c.radius);
        RecordedFrame frame(FrameDrawing::Literal);
        drawChainCircle(frame.dc, Point2{0, 0}, c.radius, BLUE);
        expectChainCircle(frame, c.periods, c.longChords, c.shortChords, c.radius, 0.0);
        expectStateLeftAsFound(frame.recorder);
    }
}

TEST(DrawChainCircle, NegativeRadiusTurnsThePatternHalfATurn) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawChainCircle(frame.dc, Point2{0, 0}, -1.0, BLUE);
    expectChainCircle(frame, 31, 45, 10, -1.0, FULL_PI);
}

TEST(DrawChainCircle, PatternTurnsWithTheCallersFrame) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamRotate(frame.dc, 30.0);
    drawChainCircle(frame.dc, Point2{0, 0}, 0.5, BLUE);
    expectChainCircle(frame, 15, 22, 5, 0.5, FULL_PI / 6.0);
}

TEST(DrawScaledChainCircle, PeriodsFollowTheScaledRadius) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawScaledChainCircle(frame.dc, 0.2, Point2{0, 0}, 10.0, BLUE);
    expectChainCircle(frame, 62, 90, 20, 2.0, 0.0);
}

TEST(DrawDashCircle, CountsFollowTheRadius) {
    RecordedFrame large(FrameDrawing::Literal);
    drawDashCircle(large.dc, Point2{0, 0}, 1.0, RED);
    expectDashCircle(large, 31, 40, 10);
    RecordedFrame small(FrameDrawing::Literal);
    drawDashCircle(small.dc, Point2{0, 0}, 0.2, RED);
    expectDashCircle(small, 6, 8, 2);
    expectStateLeftAsFound(small.recorder);
}

TEST(ChainCirclePattern, NaNTakesTheSmallRadiusCountsAndHugeRadiiClamp) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const CirclePattern chainNaN = chainCirclePattern(nan);
    EXPECT_EQ(chainNaN.periods, 6);
    EXPECT_EQ(chainNaN.dashChords, 9);
    EXPECT_EQ(dashCirclePattern(nan).dashChords, 8);
    // Just below the overflow of 45 |r| the counts are the plain truncations.
    const CirclePattern large = chainCirclePattern(-4.7e7);
    EXPECT_EQ(large.periods, 1476548547);
    EXPECT_EQ(large.dashChords, 2115000000);
    EXPECT_EQ(large.gapChords, 470000000);
    for (double r : {1e12, -1e12, std::numeric_limits<double>::infinity()}) {
        const CirclePattern chain = chainCirclePattern(r);
        const CirclePattern dash = dashCirclePattern(r);
        EXPECT_EQ(chain.periods, PATTERN_COUNT_LIMIT);
        EXPECT_EQ(chain.dashChords, PATTERN_COUNT_LIMIT);
        EXPECT_EQ(dash.gapChords, PATTERN_COUNT_LIMIT);
    }
}

TEST(DrawChainCircle, NaNRadiusDrawsTheSmallPattern) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawChainCircle(frame.dc, Point2{0, 0}, std::numeric_limits<double>::quiet_NaN(), BLUE);
    EXPECT_EQ(frame.recorder.storedPrimitiveCount(), 12);
    expectStateLeftAsFound(frame.recorder);
}

}  // namespace gearmesh
