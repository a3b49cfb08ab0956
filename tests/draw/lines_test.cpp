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
    recordFrame(FrameDrawing::Literal);
    seamLighting(true);
    seamTranslate(0.5, 0.0);
    drawLine(Point2{0.0, 0.0}, Point2{0.25, -0.5}, BLUE);
    ASSERT_EQ(storedPrimitiveCount(), 1);
    const RecordedPrimitive line = recordedPrimitive(0);
    EXPECT_EQ(line.mode, SEAM_LINES);
    EXPECT_FALSE(line.lighting);
    EXPECT_EQ(line.colour.b, 1.0f);
    ASSERT_EQ(line.vertexCount, 2);
    expectPointNear(vertex(0, 0), 0.5, 0.0);
    expectPointNear(vertex(0, 1), 0.75, -0.5);
    EXPECT_EQ(recorderMatrix().tx, 0.5);
}

TEST(DrawThickLine, WidthInViewUnitsBecomesPixelsAndTwoStaysAfter) {
    recordFrame(FrameDrawing::Literal);
    drawThickLine(Point2{0, 0}, Point2{1, 0}, 0.01, RED);
    drawThickLine(Point2{0, 0}, Point2{1, 0}, 0.005, RED);
    EXPECT_EQ(recordedPrimitive(0).lineWidth, 4.0f);
    EXPECT_EQ(recordedPrimitive(1).lineWidth, 2.0f);
    EXPECT_EQ(recorderLineWidth(), 2.0f);
    expectStateLeftAsFound();
}

TEST(DrawThickLine, InvalidWidthDrawsWithTheWidthInForce) {
    recordFrame(FrameDrawing::Literal);
    for (double width : {0.0, -0.01, std::numeric_limits<double>::quiet_NaN()}) {
        seamLineWidth(3.0f);
        clearRecording();
        drawThickLine(Point2{0, 0}, Point2{1, 0}, width, RED);
        EXPECT_EQ(recordedPrimitive(0).lineWidth, 3.0f) << width;
        EXPECT_EQ(recorderLineWidth(), 2.0f) << width;
    }
}

TEST(DrawScaledLine, ScalesBothPoints) {
    recordFrame(FrameDrawing::Literal);
    drawScaledLine(0.2, Point2{0, -10}, Point2{0, 10}, GREEN);
    expectPointNear(vertex(0, 0), 0.0, -2.0);
    expectPointNear(vertex(0, 1), 0.0, 2.0);
}

TEST(DrawCrossMark, WindowWideBlackArmsThroughThePoint) {
    recordFrame(FrameDrawing::Literal);
    seamLineWidth(5.0f);
    drawCrossMark(Point2{0.5, -0.25}, 0.0);
    const RecordedPrimitive cross = recordedPrimitive(0);
    EXPECT_EQ(cross.lineWidth, 2.0f);
    EXPECT_EQ(cross.colour.r + cross.colour.g + cross.colour.b, 0.0f);
    ASSERT_EQ(cross.vertexCount, 4);
    expectPointNear(vertex(0, 0), -9.5, -0.25);
    expectPointNear(vertex(0, 1), 10.5, -0.25);
    expectPointNear(vertex(0, 2), 0.5, -10.25);
    expectPointNear(vertex(0, 3), 0.5, 9.75);
    EXPECT_EQ(recorderLineWidth(), 2.0f);
    expectStateLeftAsFound();
}

TEST(DrawCrossMark, AngleTurnsBothArmsAboutThePoint) {
    recordFrame(FrameDrawing::Literal);
    drawCrossMark(Point2{0.5, -0.25}, PRECISE_PI / 4.0);
    const double arm = 10.0 / std::sqrt(2.0);
    expectPointNear(vertex(0, 1), 0.5 + arm, -0.25 + arm, 1e-8);
    expectPointNear(vertex(0, 3), 0.5 - arm, -0.25 + arm, 1e-8);
}

TEST(DrawString, TextAtTheRasterPositionInTheColourOfThatMoment) {
    recordFrame(FrameDrawing::Literal);
    seamColor(RED);
    seamRasterPos(0.1f, 0.1f);
    seamTranslate(-0.5, 0.25);
    drawString(0.25f, 0.5f, LEGEND_FONT, "Pitch point");
    ASSERT_EQ(recordedTextCount(), 1);
    const RecordedText& text = recordedText(0);
    EXPECT_STREQ(text.text, "Pitch point");
    EXPECT_EQ(text.font, LEGEND_FONT);
    expectPointNear(text.position, -0.25, 0.75, 1e-7);
    EXPECT_EQ(text.colour.r, 1.0f);
    EXPECT_FALSE(text.lighting);
    // The attribute push and pop give back the raster position; lighting is untouched.
    expectPointNear(recorderRasterPos(), 0.1, 0.1, 1e-7);
    EXPECT_FALSE(recorderLighting());
}

TEST(DrawString, EmptyTextDrawsNothingAndKeepsTheColour) {
    recordFrame(FrameDrawing::Literal);
    seamColor(GREEN);
    drawString(0.0f, 0.0f, LEGEND_FONT, "");
    EXPECT_EQ(recordedTextCount(), 0);
    EXPECT_EQ(recorderColor().g, 1.0f);
    EXPECT_EQ(recorderColor().r, 0.0f);
}

TEST(RotateThenTranslate, ShiftsAlongTheTurnedAxes) {
    recordFrame(FrameDrawing::Literal);
    rotateThenTranslate(PRECISE_PI / 2.0, 0.5, 0.0);
    drawLine(Point2{0, 0}, Point2{0.25, 0}, BLACK);
    expectPointNear(vertex(0, 0), 0.0, 0.5, 1e-8);
    expectPointNear(vertex(0, 1), 0.0, 0.75, 1e-8);
    EXPECT_EQ(recorderMatrixDepth(), 0);
}

TEST(RotateAboutPoint, TurnsAboutTheSumOfTheTwoPoints) {
    recordFrame(FrameDrawing::Literal);
    rotateAboutPoint(Point2{0.25, 0.0}, Point2{0.0, 0.25}, PRECISE_PI / 2.0);
    drawLine(Point2{0.25, 0.25}, Point2{0.5, 0.25}, BLACK);
    expectPointNear(vertex(0, 0), 0.25, 0.25, 1e-8);
    expectPointNear(vertex(0, 1), 0.25, 0.5, 1e-8);
}

}  // namespace gearmesh
