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
        RecordingContext r(capacity);
        EXPECT_EQ(r.recorder.capacity().vertices, capacity.vertices);
        seamBegin(r.dc, SEAM_LINES);
        for (int k = 0; k < capacity.vertices + 10; ++k) {
            seamVertex(r.dc, k, 0.0);
        }
        seamEnd(r.dc);
        drawLine(r.dc, Point2{0, 0}, Point2{1, 1}, RED);
        EXPECT_TRUE(r.recorder.overflowed());
        EXPECT_EQ(r.recorder.recordedVertexCount(), capacity.vertices + 12LL);
        EXPECT_EQ(r.dc.vertexCount, capacity.vertices + 12LL);
        EXPECT_EQ(r.recorder.storedVertexCount(), capacity.vertices);
        EXPECT_EQ(r.recorder.recordedPrimitive(0).vertexCount, capacity.vertices);
        EXPECT_EQ(r.recorder.recordedPrimitive(1).vertexCount, 0);
        EXPECT_EQ(r.recorder.recordedPrimitiveCount(), 2);

        r.recorder.clearRecording();
        for (int i = 0; i < capacity.primitives + 1; ++i) {
            seamBegin(r.dc, SEAM_POLYGON);
            seamEnd(r.dc);
        }
        EXPECT_TRUE(r.recorder.overflowed());
        EXPECT_EQ(r.recorder.storedPrimitiveCount(), capacity.primitives);
        EXPECT_EQ(r.recorder.recordedPrimitiveCount(), capacity.primitives + 1LL);
    }
    // No stores at all: everything is counted, nothing kept.
    RecordingContext none(RecorderCapacity{0, -5});
    EXPECT_EQ(none.recorder.capacity().primitives, 0);
    drawLine(none.dc, Point2{0, 0}, Point2{1, 1}, RED);
    EXPECT_EQ(none.recorder.recordedVertexCount(), 2);
    EXPECT_EQ(none.recorder.storedPrimitiveCount(), 0);
    EXPECT_TRUE(none.recorder.overflowed());
}

TEST(Recorder, ItsFrameEndGetsEachWholeFrame) {
    // What a target built on the recorder does: it hands each frame on at its end.
    int swaps = 0;
    int verticesAtSwap = 0;
    Recorder recorder(RecorderCapacity{1000, 100}, [&](const Recorder& frame) {
        ++swaps;
        verticesAtSwap = frame.storedVertexCount();
    });
    DrawContext dc{recorder};
    for (int frame = 1; frame <= 2; ++frame) {
        beginFrame(dc);
        drawLine(dc, Point2{0, 0}, Point2{1, 1}, RED);
        drawCircle(dc, Point2{0, 0}, 0.5, BLUE);
        EXPECT_EQ(swaps, frame - 1);
        endFrame(dc);
        EXPECT_EQ(swaps, frame);
        EXPECT_EQ(verticesAtSwap, 2 + 2 * (CIRCLE_SEGMENTS - 1));
    }
}

TEST(Recorder, InterleavedRecordersKeepTheirOwnFramesAndState) {
    // Two recorders, each with its context, drawn in turns: a literal frame
    // shifted and pushed, a bounded frame at the identity.
    RecordedFrame a(FrameDrawing::Literal);
    RecordedFrame b(FrameDrawing::Bounded);
    seamTranslate(a.dc, 0.5, 0.0);
    seamPushMatrix(a.dc);
    seamLineWidth(a.dc, 5.0f);
    drawLine(a.dc, Point2{0, 0}, Point2{0.25, 0}, RED);
    drawCircle(b.dc, Point2{0, 0}, 0.5, BLUE);
    drawChainCircle(a.dc, Point2{0.0, -5.0}, 5.0, BLUE);  // 157 periods of dash and dot
    drawChainCircle(b.dc, Point2{0.0, -5.0}, 5.0, BLUE);
    beginFrame(b.dc);  // empties b's recording only
    drawLine(b.dc, Point2{0, 0}, Point2{0.25, 0}, GREEN);

    ASSERT_EQ(a.recorder.storedPrimitiveCount(), 1 + 2 * 157);
    expectPointNear(a.vertex(0, 0), 0.5, 0.0);
    EXPECT_EQ(a.recorder.recordedPrimitive(0).lineWidth, 5.0f);
    EXPECT_EQ(a.recorder.matrixDepth(), 1);
    ASSERT_EQ(b.recorder.storedPrimitiveCount(), 1);
    expectPointNear(b.vertex(0, 0), 0.0, 0.0);
    EXPECT_EQ(b.recorder.recordedPrimitive(0).lineWidth, 1.0f);
    EXPECT_EQ(b.recorder.recordedPrimitive(0).colour.g, 1.0f);
    expectStateLeftAsFound(b.recorder);
    // Each context counts its own vertices, and draws its chain circle its own way.
    EXPECT_EQ(a.dc.vertexCount, a.recorder.recordedVertexCount());
    // b handed over its circle, its chain circle and its line.
    const long long boundedChain = b.dc.vertexCount - 2 * (CIRCLE_SEGMENTS - 1) - 2;
    EXPECT_GT(boundedChain, 0);
    EXPECT_LT(boundedChain * 10, a.dc.vertexCount);
}

TEST(Recorder, TextStoreOverflows) {
    RecordedFrame frame(FrameDrawing::Literal);
    for (int i = 0; i < RECORDER_TEXT_CAPACITY + 1; ++i) {
        drawString(frame.dc, 0.0f, 0.0f, LEGEND_FONT, "x");
    }
    EXPECT_EQ(frame.recorder.recordedTextCount(), RECORDER_TEXT_CAPACITY);
    EXPECT_TRUE(frame.recorder.overflowed());
    frame.recorder.clearRecording();
    char longText[RECORDER_TEXT_LENGTH + 2] = {};
    for (int i = 0; i < RECORDER_TEXT_LENGTH + 1; ++i) {
        longText[i] = 'a';
    }
    drawString(frame.dc, 0.0f, 0.0f, LEGEND_FONT, longText);
    EXPECT_EQ(frame.recorder.recordedText(0).length, RECORDER_TEXT_LENGTH);
    EXPECT_TRUE(frame.recorder.overflowed());
}

TEST(Recorder, FrameBracketEmptiesTheRecordingAndResetsTheMatrix) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamTranslate(frame.dc, 0.5, 0.5);
    drawLine(frame.dc, Point2{0, 0}, Point2{1, 0}, RED);
    endFrame(frame.dc);
    EXPECT_EQ(frame.recorder.storedPrimitiveCount(), 1);
    beginFrame(frame.dc);
    EXPECT_EQ(frame.recorder.storedPrimitiveCount(), 0);
    EXPECT_FALSE(frame.recorder.overflowed());
    drawLine(frame.dc, Point2{0, 0}, Point2{1, 0}, RED);
    expectPointNear(frame.vertex(0, 0), 0.0, 0.0);
}

TEST(Recorder, UnbalancedStacksAreIgnoredAsOpenGLDoes) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamPopMatrix(frame.dc);
    seamPopAttrib(frame.dc);
    for (int i = 0; i < RECORDER_MATRIX_DEPTH + 3; ++i) {
        seamPushMatrix(frame.dc);
    }
    EXPECT_EQ(frame.recorder.matrixDepth(), RECORDER_MATRIX_DEPTH);
    seamTranslate(frame.dc, 1.0, 0.0);
    for (int i = 0; i < RECORDER_MATRIX_DEPTH + 3; ++i) {
        seamPopMatrix(frame.dc);
    }
    EXPECT_EQ(frame.recorder.matrixDepth(), 0);
    EXPECT_EQ(frame.recorder.matrix().tx, 0.0);
}

TEST(Recorder, TextKeepsTheRasterColourNotLaterColours) {
    RecordedFrame frame(FrameDrawing::Literal);
    seamPushCurrentAttrib(frame.dc);
    seamColor(frame.dc, BLUE);
    seamLighting(frame.dc, true);
    seamRasterPos(frame.dc, 2.0f, 0.0f);
    seamColor(frame.dc, RED);
    seamBitmapCharacter(frame.dc, LEGEND_FONT, 'A');
    seamBitmapCharacter(frame.dc, LEGEND_FONT, 'B');
    seamPopAttrib(frame.dc);
    ASSERT_EQ(frame.recorder.recordedTextCount(), 1);
    EXPECT_STREQ(frame.recorder.recordedText(0).text, "AB");
    EXPECT_EQ(frame.recorder.recordedText(0).colour.b, 1.0f);
    EXPECT_TRUE(frame.recorder.recordedText(0).lighting);
    // Outside the view OpenGL marks the raster position invalid and draws no glyph.
    EXPECT_FALSE(frame.recorder.recordedText(0).positionValid);
    EXPECT_EQ(frame.recorder.color().r, 1.0f);
    EXPECT_EQ(frame.recorder.color().g, 1.0f);
}

}  // namespace gearmesh
