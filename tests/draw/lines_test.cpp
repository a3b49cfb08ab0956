#include "draw/lines.h"

#include <cmath>
#include <limits>

#include "draw/seam.h"
#include "recording_checks.h"

namespace gearmesh {

TEST(ToView, KeepsModelLengthsExactly) {
    EXPECT_EQ(toView(0.5), 0.5);
    EXPECT_EQ(toView(-3.25), -3.25);
}

TEST(DrawLine, DrawsUnderTheCallersMatrixWithLightingOff) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamLighting(frame.dc, true);
    seamTranslate(frame.dc, 0.5, 0.0);
    drawLine(frame.dc, Point2{0.0, 0.0}, Point2{0.25, -0.5}, BLUE);
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), 1);
    const RecordedPrimitive line = frame.recorder.recordedPrimitive(0);
    EXPECT_EQ(line.mode, SEAM_LINES);
    EXPECT_FALSE(line.lighting);
    EXPECT_EQ(line.colour.b, 1.0f);
    ASSERT_EQ(line.vertexCount, 2);
    expectPointNear(frame.vertex(0, 0), 0.5, 0.0);
    expectPointNear(frame.vertex(0, 1), 0.75, -0.5);
    EXPECT_EQ(frame.recorder.matrix().tx, 0.5);
}

TEST(DrawThickLine, WidthInViewUnitsBecomesPixelsAndTwoStaysAfter) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawThickLine(frame.dc, Point2{0, 0}, Point2{1, 0}, 0.01, RED);
    drawThickLine(frame.dc, Point2{0, 0}, Point2{1, 0}, 0.005, RED);
    EXPECT_EQ(frame.recorder.recordedPrimitive(0).lineWidth, 4.0f);
    EXPECT_EQ(frame.recorder.recordedPrimitive(1).lineWidth, 2.0f);
    EXPECT_EQ(frame.recorder.lineWidth(), 2.0f);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawThickLine, InvalidWidthDrawsWithTheWidthInForce) {
    RecordedFrame frame(FrameDrawing::Literal);
    for (double width : {0.0, -0.01, std::numeric_limits<double>::quiet_NaN()}) {
        seamLineWidth(frame.dc, 3.0f);
        frame.recorder.clearRecording();
        drawThickLine(frame.dc, Point2{0, 0}, Point2{1, 0}, width, RED);
        EXPECT_EQ(frame.recorder.recordedPrimitive(0).lineWidth, 3.0f) << width;
        EXPECT_EQ(frame.recorder.lineWidth(), 2.0f) << width;
    }
}

TEST(DrawScaledLine, ScalesBothPoints) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawScaledLine(frame.dc, 0.2, Point2{0, -10}, Point2{0, 10}, GREEN);
    expectPointNear(frame.vertex(0, 0), 0.0, -2.0);
    expectPointNear(frame.vertex(0, 1), 0.0, 2.0);
}

TEST(DrawCrossMark, WindowWideBlackArmsThroughThePoint) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamLineWidth(frame.dc, 5.0f);
    drawCrossMark(frame.dc, Point2{0.5, -0.25}, 0.0);
    const RecordedPrimitive cross = frame.recorder.recordedPrimitive(0);
    EXPECT_EQ(cross.lineWidth, 2.0f);
    EXPECT_EQ(cross.colour.r + cross.colour.g + cross.colour.b, 0.0f);
    ASSERT_EQ(cross.vertexCount, 4);
    expectPointNear(frame.vertex(0, 0), -9.5, -0.25);
    expectPointNear(frame.vertex(0, 1), 10.5, -0.25);
    expectPointNear(frame.vertex(0, 2), 0.5, -10.25);
    expectPointNear(frame.vertex(0, 3), 0.5, 9.75);
    EXPECT_EQ(frame.recorder.lineWidth(), 2.0f);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawCrossMark, AngleTurnsBothArmsAboutThePoint) {
    RecordedFrame frame(FrameDrawing::Literal);
    drawCrossMark(frame.dc, Point2{0.5, -0.25}, FULL_PI / 4.0);
    const double arm = 10.0 / std::sqrt(2.0);
    expectPointNear(frame.vertex(0, 1), 0.5 + arm, -0.25 + arm, 1e-8);
    expectPointNear(frame.vertex(0, 3), 0.5 - arm, -0.25 + arm, 1e-8);
}

TEST(DrawString, TextAtTheRasterPositionInTheColourOfThatMoment) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamColor(frame.dc, RED);
    seamRasterPos(frame.dc, 0.1f, 0.1f);
    seamTranslate(frame.dc, -0.5, 0.25);
    drawString(frame.dc, 0.25f, 0.5f, LEGEND_FONT, "Pitch point");
    ASSERT_EQ(frame.recorder.recordedTextCount(), 1);
    const RecordedText& text = frame.recorder.recordedText(0);
    EXPECT_STREQ(text.text, "Pitch point");
    EXPECT_EQ(text.font, LEGEND_FONT);
    expectPointNear(text.position, -0.25, 0.75, 1e-7);
    EXPECT_EQ(text.colour.r, 1.0f);
    EXPECT_FALSE(text.lighting);
    // The attribute push and pop give back the raster position; lighting is untouched.
    expectPointNear(frame.recorder.rasterPos(), 0.1, 0.1, 1e-7);
    EXPECT_FALSE(frame.recorder.lighting());
}

TEST(DrawString, EmptyTextDrawsNothingAndKeepsTheColour) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamColor(frame.dc, GREEN);
    drawString(frame.dc, 0.0f, 0.0f, LEGEND_FONT, "");
    EXPECT_EQ(frame.recorder.recordedTextCount(), 0);
    EXPECT_EQ(frame.recorder.color().g, 1.0f);
    EXPECT_EQ(frame.recorder.color().r, 0.0f);
}

TEST(RotateThenTranslate, ShiftsAlongTheTurnedAxes) {
    RecordedFrame frame(FrameDrawing::Literal);
    rotateThenTranslate(frame.dc, FULL_PI / 2.0, 0.5, 0.0);
    drawLine(frame.dc, Point2{0, 0}, Point2{0.25, 0}, BLACK);
    expectPointNear(frame.vertex(0, 0), 0.0, 0.5, 1e-8);
    expectPointNear(frame.vertex(0, 1), 0.0, 0.75, 1e-8);
    EXPECT_EQ(frame.recorder.matrixDepth(), 0);
}

TEST(RotateAboutPoint, TurnsAboutTheSumOfTheTwoPoints) {
    RecordedFrame frame(FrameDrawing::Literal);
    rotateAboutPoint(frame.dc, Point2{0.25, 0.0}, Point2{0.0, 0.25}, FULL_PI / 2.0);
    drawLine(frame.dc, Point2{0.25, 0.25}, Point2{0.5, 0.25}, BLACK);
    expectPointNear(frame.vertex(0, 0), 0.25, 0.25, 1e-8);
    expectPointNear(frame.vertex(0, 1), 0.25, 0.5, 1e-8);
}

}  // namespace gearmesh
