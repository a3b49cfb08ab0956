#include "draw/recorder.h"

#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/seam.h"
#include "recording_checks.h"

TEST(Recorder, FullStoresKeepCountingAndFlagTheOverflow) {
    startRecording();
    resetSeamVertexCount();
    seamBegin(SEAM_LINES);
    for (int k = 0; k < RECORDER_VERTEX_CAPACITY + 10; ++k) {
        seamVertex(k, 0.0);
    }
    seamEnd();
    drawLine(Point2{0, 0}, Point2{1, 1}, RED);
    EXPECT_TRUE(recorderOverflowed());
    EXPECT_EQ(recordedVertexCount(), RECORDER_VERTEX_CAPACITY + 12LL);
    EXPECT_EQ(seamVertexCount(), RECORDER_VERTEX_CAPACITY + 12LL);
    EXPECT_EQ(storedVertexCount(), RECORDER_VERTEX_CAPACITY);
    EXPECT_EQ(recordedPrimitive(0).vertexCount, RECORDER_VERTEX_CAPACITY);
    EXPECT_EQ(recordedPrimitive(1).vertexCount, 0);
    EXPECT_EQ(recordedPrimitiveCount(), 2);

    clearRecording();
    for (int i = 0; i < RECORDER_PRIMITIVE_CAPACITY + 1; ++i) {
        seamBegin(SEAM_POLYGON);
        seamEnd();
    }
    EXPECT_TRUE(recorderOverflowed());
    EXPECT_EQ(storedPrimitiveCount(), RECORDER_PRIMITIVE_CAPACITY);
    EXPECT_EQ(recordedPrimitiveCount(), RECORDER_PRIMITIVE_CAPACITY + 1LL);
}

TEST(Recorder, TextStoreOverflows) {
    startRecording();
    for (int i = 0; i < RECORDER_TEXT_CAPACITY + 1; ++i) {
        drawString(0.0f, 0.0f, LEGEND_FONT, "x");
    }
    EXPECT_EQ(recordedTextCount(), RECORDER_TEXT_CAPACITY);
    EXPECT_TRUE(recorderOverflowed());
    clearRecording();
    char longText[RECORDER_TEXT_LENGTH + 2] = {};
    for (int i = 0; i < RECORDER_TEXT_LENGTH + 1; ++i) {
        longText[i] = 'a';
    }
    drawString(0.0f, 0.0f, LEGEND_FONT, longText);
    EXPECT_EQ(recordedText(0).length, RECORDER_TEXT_LENGTH);
    EXPECT_TRUE(recorderOverflowed());
}

TEST(Recorder, FrameBracketEmptiesTheRecordingAndResetsTheMatrix) {
    startRecording();
    seamTranslate(0.5, 0.5);
    drawLine(Point2{0, 0}, Point2{1, 0}, RED);
    endFrame();
    EXPECT_EQ(storedPrimitiveCount(), 1);
    beginFrame();
    EXPECT_EQ(storedPrimitiveCount(), 0);
    EXPECT_FALSE(recorderOverflowed());
    drawLine(Point2{0, 0}, Point2{1, 0}, RED);
    expectPointNear(vertex(0, 0), 0.0, 0.0);
}

TEST(Recorder, UnbalancedStacksAreIgnoredAsOpenGLDoes) {
    startRecording();
    seamPopMatrix();
    seamPopAttrib();
    for (int i = 0; i < RECORDER_MATRIX_DEPTH + 3; ++i) {
        seamPushMatrix();
    }
    EXPECT_EQ(recorderMatrixDepth(), RECORDER_MATRIX_DEPTH);
    seamTranslate(1.0, 0.0);
    for (int i = 0; i < RECORDER_MATRIX_DEPTH + 3; ++i) {
        seamPopMatrix();
    }
    EXPECT_EQ(recorderMatrixDepth(), 0);
    EXPECT_EQ(recorderMatrix().tx, 0.0);
}

TEST(Recorder, TextKeepsTheRasterColourNotLaterColours) {
    startRecording();
    seamPushCurrentAttrib();
    seamColor(BLUE);
    seamLighting(true);
    seamRasterPos(2.0f, 0.0f);
    seamColor(RED);
    seamBitmapCharacter(LEGEND_FONT, 'A');
    seamBitmapCharacter(LEGEND_FONT, 'B');
    seamPopAttrib();
    ASSERT_EQ(recordedTextCount(), 1);
    EXPECT_STREQ(recordedText(0).text, "AB");
    EXPECT_EQ(recordedText(0).colour.b, 1.0f);
    EXPECT_TRUE(recordedText(0).lighting);
    // Outside the view OpenGL marks the raster position invalid and draws no glyph.
    EXPECT_FALSE(recordedText(0).positionValid);
    EXPECT_EQ(recorderColor().r, 1.0f);
    EXPECT_EQ(recorderColor().g, 1.0f);
}
