#include "draw/recorder.h"

#include "draw/circles.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/seam.h"
#include "recording_checks.h"

namespace gearmesh {

TEST(Recorder, FullStoresKeepCountingAndFlagTheOverflow) {
    for (const RecorderCapacity capacity : {RecorderCapacity{100, 10}, DEFAULT_RECORDER_CAPACITY}) {
        SCOPED_TRACE(capacity.vertices);
        startRecording(capacity);
        EXPECT_EQ(recorderCapacity().vertices, capacity.vertices);
        resetSeamVertexCount();
        seamBegin(SEAM_LINES);
        for (int k = 0; k < capacity.vertices + 10; ++k) {
            seamVertex(k, 0.0);
        }
        seamEnd();
        drawLine(Point2{0, 0}, Point2{1, 1}, RED);
        EXPECT_TRUE(recorderOverflowed());
        EXPECT_EQ(recordedVertexCount(), capacity.vertices + 12LL);
        EXPECT_EQ(seamVertexCount(), capacity.vertices + 12LL);
        EXPECT_EQ(storedVertexCount(), capacity.vertices);
        EXPECT_EQ(recordedPrimitive(0).vertexCount, capacity.vertices);
        EXPECT_EQ(recordedPrimitive(1).vertexCount, 0);
        EXPECT_EQ(recordedPrimitiveCount(), 2);

        clearRecording();
        for (int i = 0; i < capacity.primitives + 1; ++i) {
            seamBegin(SEAM_POLYGON);
            seamEnd();
        }
        EXPECT_TRUE(recorderOverflowed());
        EXPECT_EQ(storedPrimitiveCount(), capacity.primitives);
        EXPECT_EQ(recordedPrimitiveCount(), capacity.primitives + 1LL);
    }
    // No stores at all: everything is counted, nothing kept.
    startRecording(RecorderCapacity{0, -5});
    drawLine(Point2{0, 0}, Point2{1, 1}, RED);
    EXPECT_EQ(recordedVertexCount(), 2);
    EXPECT_EQ(storedPrimitiveCount(), 0);
    EXPECT_TRUE(recorderOverflowed());
}

namespace {

int swaps = 0;
int verticesAtSwap = 0;

void countSwap() {
    ++swaps;
    verticesAtSwap = storedVertexCount();
}

}  // namespace

TEST(Recorder, ACopiedTargetWithItsOwnSwapGetsEachWholeFrame) {
    // What a target built on the recorder does: the recorder's functions,
    // its own swapBuffers.
    DrawTarget handOn = RECORDER_TARGET;
    handOn.swapBuffers = countSwap;
    stopRecording();  // whatever recording an earlier test left on
    const DrawTarget* before = drawTarget();
    startRecording(RecorderCapacity{1000, 100});
    setDrawTarget(&handOn);
    for (int frame = 1; frame <= 2; ++frame) {
        beginFrame();
        drawLine(Point2{0, 0}, Point2{1, 1}, RED);
        drawCircle(Point2{0, 0}, 0.5, BLUE);
        endFrame();
        EXPECT_EQ(swaps, frame);
        EXPECT_EQ(verticesAtSwap, 2 + 2 * (CIRCLE_SEGMENTS - 1));
    }
    stopRecording();
    EXPECT_EQ(drawTarget(), before);
}

TEST(Recorder, TextStoreOverflows) {
    recordFrame(FrameDrawing::Literal);
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
    recordFrame(FrameDrawing::Literal);
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
    recordFrame(FrameDrawing::Literal);
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
    recordFrame(FrameDrawing::Literal);
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

}  // namespace gearmesh
