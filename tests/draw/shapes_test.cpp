#include "draw/shapes.h"

#include <climits>
#include <cmath>

#include "draw/circles.h"
#include "recording_checks.h"

namespace gearmesh {

TEST(DrawFilledEllipse, PolarRadiusOfTheSemiAxesAndTurnedByTheAngle) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawFilledEllipse(frame.dc, Point2{0, 0}, 2.0, 1.0, 0.0, GREEN);
    drawFilledEllipse(frame.dc, Point2{0, 0}, 2.0, 1.0, FULL_PI / 2.0, GREEN);
    drawFilledEllipse(frame.dc, Point2{0.5, 0}, 0.25, 0.25, 0.0, GREEN);
    ASSERT_EQ(frame.recorder.recordedPrimitive(0).vertexCount, CIRCLE_SEGMENTS + 1);
    expectPointNear(frame.vertex(0, 0), 2.0, 0.0);
    expectPointNear(frame.vertex(0, 30), 0.0, 1.0, 1e-9);
    // Turned a quarter: the long axis is vertical.
    expectPointNear(frame.vertex(1, 0), 0.0, 2.0, 1e-8);
    expectPointNear(frame.vertex(1, 30), -1.0, 0.0, 1e-8);
    // Equal semi-axes: a circle, the last vertex back at the first after a full turn.
    for (int i = 0; i <= CIRCLE_SEGMENTS; ++i) {
        const Point2 p = frame.vertex(2, i);
        EXPECT_NEAR(std::hypot(p.x - 0.5, p.y), 0.25, 1e-12);
    }
    expectPointNear(frame.vertex(2, CIRCLE_SEGMENTS), 0.75, 0.0, 1e-9);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawEllipse, LoopOfPairsFromTheEndOfTheFirstAxis) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawEllipse(frame.dc, Point2{0, 0}, 2.0, 1.0, 0.0, RED);
    const RecordedPrimitive loop = frame.recorder.recordedPrimitive(0);
    EXPECT_EQ(loop.mode, SEAM_LINE_LOOP);
    ASSERT_EQ(loop.vertexCount, 242);
    expectPointNear(frame.vertex(0, 0), 2.0, 0.0);
    expectPointNear(frame.vertex(0, 61), 0.0, 1.0, 1e-9);
    expectPointNear(frame.vertex(0, 62), 0.0, 1.0, 1e-9);
}

TEST(DrawEllipse, ZeroSemiAxisDrawsNothing) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawEllipse(frame.dc, Point2{0, 0}, 0.5, 0.0, 0.0, RED);
    drawFilledEllipse(frame.dc, Point2{0, 0}, 0.0, 0.0, 0.0, RED);
    drawFilledEllipse(frame.dc, Point2{0, 0}, 0.0, 0.5, 0.0, RED);
    EXPECT_EQ(frame.recorder.recordedPrimitiveCount(), 0);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawFilledRect, TurnsAboutItsCorner) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawFilledRect(frame.dc, Point2{0, 0}, 0.5, 0.25, FULL_PI / 2.0, BLUE);
    drawRect(frame.dc, Point2{0.5, 0.5}, 0.5, 0.25, 0.0, BLUE);
    EXPECT_EQ(frame.recorder.recordedPrimitive(0).mode, SEAM_POLYGON);
    expectPointNear(frame.vertex(0, 0), 0.0, 0.0);
    expectPointNear(frame.vertex(0, 1), 0.0, 0.5, 1e-9);
    expectPointNear(frame.vertex(0, 2), -0.25, 0.5, 1e-9);
    expectPointNear(frame.vertex(0, 3), -0.25, 0.0, 1e-9);
    EXPECT_EQ(frame.recorder.recordedPrimitive(1).mode, SEAM_LINE_LOOP);
    expectPointNear(frame.vertex(1, 2), 1.0, 0.75);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawArrow, ShaftAndHeadEndAtTheTip) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawArrow(frame.dc, Point3{0, 0, 5}, 0.5, 0.0, RED);
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), 3);
    expectPointNear(frame.vertex(0, 0), -0.1, -0.01);
    expectPointNear(frame.vertex(0, 1), -0.5, -0.01);
    expectPointNear(frame.vertex(0, 2), -0.5, 0.01);
    expectPointNear(frame.vertex(0, 3), -0.1, 0.01);
    expectPointNear(frame.vertex(1, 2), -0.15, 0.04, 1e-15);
    expectPointNear(frame.vertex(2, 2), -0.15, -0.04, 1e-15);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawArrow, ShortArrowKeepsTheFullHead) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawArrow(frame.dc, Point3{0.5, 0.5, 0}, 0.05, FULL_PI, RED);
    drawArrow(frame.dc, Point3{0, 0, 0}, std::nan(""), 0.0, RED);
    // The shaft has no length; the head points along -x from the tip.
    expectPointNear(frame.vertex(0, 0), frame.vertex(0, 1).x, frame.vertex(0, 1).y, 1e-12);
    expectPointNear(frame.vertex(1, 2), 0.65, 0.5 - 0.04, 1e-9);
    expectPointNear(frame.vertex(3, 1), -0.1, -0.01);
    expectPointNear(frame.vertex(3, 0), -0.1, -0.01);
}

TEST(DrawGrid, TwoNPlusOneBlackLinesEachWayOnePixelWide) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawGrid(frame.dc, Point2{0, 0}, 0.0, 2, 0.1, 0.1);
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), 10);
    for (int i = 0; i < 5; ++i) {
        const double at = (i - 2) * 0.1;
        expectPointNear(frame.vertex(i, 0), at, -0.2, 1e-15);
        expectPointNear(frame.vertex(i, 1), at, 0.2, 1e-15);
        expectPointNear(frame.vertex(5 + i, 0), -0.2, at, 1e-15);
        expectPointNear(frame.vertex(5 + i, 1), 0.2, at, 1e-15);
        EXPECT_EQ(frame.recorder.recordedPrimitive(i).lineWidth, 1.0f);
        EXPECT_EQ(frame.recorder.recordedPrimitive(i).colour.r, 0.0f);
    }
    EXPECT_EQ(frame.recorder.lineWidth(), 1.0f);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawGrid, SmallAndNegativeCounts) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawGrid(frame.dc, Point2{0.25, 0.25}, 0.0, 0, 0.1, 0.1);
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), 2);
    expectPointNear(frame.vertex(0, 0), 0.25, 0.25);
    expectPointNear(frame.vertex(1, 1), 0.25, 0.25);
    frame.recorder.clearRecording();
    drawGrid(frame.dc, Point2{0, 0}, 0.0, -1, 0.1, 0.1);
    drawGrid(frame.dc, Point2{0, 0}, 0.0, INT_MIN, 0.1, 0.1);
    EXPECT_EQ(frame.recorder.recordedPrimitiveCount(), 0);
    expectStateLeftAsFound(frame.recorder);
}

}  // namespace gearmesh
