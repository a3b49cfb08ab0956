#include "scene/view_commands.h"

#include <gtest/gtest.h>

#include "draw/recorder.h"
#include "scene/display.h"
#include "scene/view_state.h"
#include "tests/support/recording_context.h"

namespace gearmesh {

namespace {

GearPair pair;
ViewState view;

void setUpPair(int z1, int z2, char mode) {
    computeGearPair(pair, z1, z2);
    resetView(view, pair);
    view.drawMode = mode;
}

// A key as the window handles it: the view change, then a redraw if asked.
void press(DrawContext& dc, unsigned char key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        if (applyViewKey(view, key)) {
            advanceView(view, pair);
            drawFrame(dc, pair, view, FrameDrawing::Literal);
        }
    }
}

}  // namespace

TEST(applyViewKey, ZoomStepsByNineTenths) {
    RecordingContext frame;
    setUpPair(20, 40, '1');
    press(frame.dc, 'w');
    EXPECT_NEAR(view.viewScale, 0.18, 1e-15);
    press(frame.dc, 'w');
    EXPECT_NEAR(view.viewScale, 0.162, 1e-15);
    press(frame.dc, 'W');
    EXPECT_NEAR(view.viewScale, 0.18, 1e-15);
}

TEST(applyViewKey, ZoomStaysWithinItsBounds) {
    // A drawMode with no picture keeps these frames empty: at the upper
    // bound a literal frame would be enormous.
    RecordingContext frame;
    setUpPair(149, 149, '0');
    press(frame.dc, 'W', 200);
    EXPECT_EQ(view.viewScale, 1000.0);
    press(frame.dc, 'w');
    EXPECT_NEAR(view.viewScale, 900.0, 1e-9);
    press(frame.dc, 'w', 200);
    EXPECT_EQ(view.viewScale, 0.001);
    press(frame.dc, 'W');
    EXPECT_NEAR(view.viewScale, 0.001 / 0.9, 1e-15);
}

TEST(applyViewKey, ModeKeyRestartsTheMeshForward) {
    RecordingContext frame;
    setUpPair(20, 40, '1');
    press(frame.dc, '3');
    press(frame.dc, 'R');
    press(frame.dc, 's', 3);
    EXPECT_NEAR(view.totalAngle1, -4 * view.angleStep, 1e-15);
    press(frame.dc, '3');
    EXPECT_EQ(view.totalAngle1, 0.0);
    EXPECT_NEAR(view.theta1, pair.basePitchAngle1, 1e-15);
    press(frame.dc, 's');
    EXPECT_NEAR(view.totalAngle1, view.angleStep, 1e-15);
}

TEST(applyViewKey, UnlistedKeysNeitherChangeNorRedraw) {
    RecordingContext frame;
    setUpPair(20, 40, '1');
    press(frame.dc, '3');
    press(frame.dc, 's');
    const ViewState before = view;
    frame.recorder.clearRecording();
    const unsigned char unlisted[] = {'S', 'Z', 'q', '0', '4', ' ', '\r', 'z', 27, 255};
    for (unsigned char key : unlisted) {
        press(frame.dc, key);
    }
    EXPECT_EQ(frame.recorder.recordedPrimitiveCount(), 0);
    EXPECT_EQ(view.drawMode, before.drawMode);
    EXPECT_EQ(view.theta1, before.theta1);
    EXPECT_EQ(view.totalAngle1, before.totalAngle1);
    EXPECT_EQ(view.viewScale, before.viewScale);
    EXPECT_EQ(view.rollStep, before.rollStep);
}

}  // namespace gearmesh
