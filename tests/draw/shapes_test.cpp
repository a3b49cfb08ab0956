#include "draw/shapes.h"

#include <climits>
#include <cmath>

#include "draw/circles.h"
#include "recording_checks.h"

namespace gearmesh {

TEST(DrawFilledEllipse, PolarRadiusOfTheSemiAxesAndTurnedByTheAngle) {
    recordFrame(FrameDrawing::Literal);
    drawFilledEllipse(Point2{0, 0}, 2.0, 1.0, 0.0, GREEN);
    drawFilledEllipse(Point2{0, 0}, 2.0, 1.0, PRECISE_PI / 2.0, GREEN);
    drawFilledEllipse(Point2{0.5, 0}, 0.25, 0.25, 0.0, GREEN);
    ASSERT_EQ(recordedPrimitive(0).vertexCount, CIRCLE_SEGMENTS + 1);
    expectPointNear(vertex(0, 0), 2.0, 0.0);
    expectPointNear(vertex(0, 30), 0.0, 1.0, 1e-9);
    // Turned a quarter: the long axis is vertical.
    expectPointNear(vertex(1, 0), 0.0, 2.0, 1e-8);
    expectPointNear(vertex(1, 30), -1.0, 0.0, 1e-8);
    // Equal semi-axes: a circle, the last vertex back at the first after a full turn.
    for (int i = 0; i <= CIRCLE_SEGMENTS; ++i) {
        const Point2 p = vertex(2, i);
        EXPECT_NEAR(std::hypot(p.x - 0.5, p.y), 0.25, 1e-12);
    }
    expectPointNear(vertex(2, CIRCLE_SEGMENTS), 0.75, 0.0, 1e-9);
    expectStateLeftAsFound();
}

TEST(DrawEllipse, LoopOfPairsFromTheEndOfTheFirstAxis) {
    recordFrame(FrameDrawing::Literal);
    drawEllipse(Point2{0, 0}, 2.0, 1.0, 0.0, RED);
    const RecordedPrimitive loop = recordedPrimitive(0);
    EXPECT_EQ(loop.mode, SEAM_LINE_LOOP);
    ASSERT_EQ(loop.vertexCount, 242);
    expectPointNear(vertex(0, 0), 2.0, 0.0);
    expectPointNear(vertex(0, 61), 0.0, 1.0, 1e-9);
    expectPointNear(vertex(0, 62), 0.0, 1.0, 1e-9);
}

TEST(DrawEllipse, ZeroSemiAxisDrawsNothing) {
    recordFrame(FrameDrawing::Literal);
    drawEllipse(Point2{0, 0}, 0.5, 0.0, 0.0, RED);
    drawFilledEllipse(Point2{0, 0}, 0.0, 0.0, 0.0, RED);
    drawFilledEllipse(Point2{0, 0}, 0.0, 0.5, 0.0, RED);
    EXPECT_EQ(recordedPrimitiveCount(), 0);
    expectStateLeftAsFound();
}

TEST(DrawFilledRect, TurnsAboutItsCorner) {
    recordFrame(FrameDrawing::Literal);
    drawFilledRect(Point2{0, 0}, 0.5, 0.25, PRECISE_PI / 2.0, BLUE);
    drawRect(Point2{0.5, 0.5}, 0.5, 0.25, 0.0, BLUE);
    EXPECT_EQ(recordedPrimitive(0).mode, SEAM_POLYGON);
    expectPointNear(vertex(0, 0), 0.0, 0.0);
    expectPointNear(vertex(0, 1), 0.0, 0.5, 1e-9);
    expectPointNear(vertex(0, 2), -0.25, 0.5, 1e-9);
    expectPointNear(vertex(0, 3), -0.25, 0.0, 1e-9);
    EXPECT_EQ(recordedPrimitive(1).mode, SEAM_LINE_LOOP);
    expectPointNear(vertex(1, 2), 1.0, 0.75);
    expectStateLeftAsFound();
}

TEST(DrawArrow, ShaftAndHeadEndAtTheTip) {
    recordFrame(FrameDrawing::Literal);
    drawArrow(Point3{0, 0, 5}, 0.5, 0.0, RED);
    ASSERT_EQ(storedPrimitiveCount(), 3);
    expectPointNear(vertex(0, 0), -0.1, -0.01);
    expectPointNear(vertex(0, 1), -0.5, -0.01);
    expectPointNear(vertex(0, 2), -0.5, 0.01);
    expectPointNear(vertex(0, 3), -0.1, 0.01);
    expectPointNear(vertex(1, 2), -0.15, 0.04, 1e-15);
    expectPointNear(vertex(2, 2), -0.15, -0.04, 1e-15);
    expectStateLeftAsFound();
}

TEST(DrawArrow, ShortArrowKeepsTheFullHead) {
    recordFrame(FrameDrawing::Literal);
    drawArrow(Point3{0.5, 0.5, 0}, 0.05, PRECISE_PI, RED);
    drawArrow(Point3{0, 0, 0}, std::nan(""), 0.0, RED);
    // The shaft has no length; the head points along -x from the tip.
    expectPointNear(vertex(0, 0), vertex(0, 1).x, vertex(0, 1).y, 1e-12);
    expectPointNear(vertex(1, 2), 0.65, 0.5 - 0.04, 1e-9);
    expectPointNear(vertex(3, 1), -0.1, -0.01);
    expectPointNear(vertex(3, 0), -0.1, -0.01);
}

TEST(DrawGrid, TwoNPlusOneBlackLinesEachWayOnePixelWide) {
    recordFrame(FrameDrawing::Literal);
    drawGrid(Point2{0, 0}, 0.0, 2, 0.1, 0.1);
    ASSERT_EQ(storedPrimitiveCount(), 10);
    for (int i = 0; i < 5; ++i) {
        const double at = (i - 2) * 0.1;
        expectPointNear(vertex(i, 0), at, -0.2, 1e-15);
        expectPointNear(vertex(i, 1), at, 0.2, 1e-15);
        expectPointNear(vertex(5 + i, 0), -0.2, at, 1e-15);
        expectPointNear(vertex(5 + i, 1), 0.2, at, 1e-15);
        EXPECT_EQ(recordedPrimitive(i).lineWidth, 1.0f);
        EXPECT_EQ(recordedPrimitive(i).colour.r, 0.0f);
    }
    EXPECT_EQ(recorderLineWidth(), 1.0f);
    expectStateLeftAsFound();
}

TEST(DrawGrid, SmallAndNegativeCounts) {
    recordFrame(FrameDrawing::Literal);
    drawGrid(Point2{0.25, 0.25}, 0.0, 0, 0.1, 0.1);
    ASSERT_EQ(storedPrimitiveCount(), 2);
    expectPointNear(vertex(0, 0), 0.25, 0.25);
    expectPointNear(vertex(1, 1), 0.25, 0.25);
    clearRecording();
    drawGrid(Point2{0, 0}, 0.0, -1, 0.1, 0.1);
    drawGrid(Point2{0, 0}, 0.0, INT_MIN, 0.1, 0.1);
    EXPECT_EQ(recordedPrimitiveCount(), 0);
    expectStateLeftAsFound();
}

}  // namespace gearmesh
