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

void setUpPair(int z1, int z2, DrawMode mode) {
    computeGearPair(pair, z1, z2);
    resetView(view, pair);
    view.drawMode = mode;
}

// A key as the window handles it: the view change, then the redraw it asks
// for, drawn as given (literal unless a frame could grow too large).
void press(DrawContext& dc, ViewCommand command, int times = 1,
           FrameDrawing drawing = FrameDrawing::Literal) {
    for (int i = 0; i < times; ++i) {
        applyViewCommand(view, command);
        advanceView(view, pair);
        drawFrame(dc, pair, view, drawing);
    }
}

}  // namespace

TEST(applyViewCommand, ZoomStepsByNineTenths) {
    RecordingContext frame;
    setUpPair(20, 40, DrawMode::Drive);
    press(frame.dc, ViewCommand::ZoomOut);
    EXPECT_NEAR(view.viewScale, 0.18, 1e-15);
    press(frame.dc, ViewCommand::ZoomOut);
    EXPECT_NEAR(view.viewScale, 0.162, 1e-15);
    press(frame.dc, ViewCommand::ZoomIn);
    EXPECT_NEAR(view.viewScale, 0.18, 1e-15);
}

TEST(applyViewCommand, ZoomStaysWithinItsBounds) {
    // Bounded frames: at the upper bound a literal frame would be enormous.
    RecordingContext frame;
    setUpPair(149, 149, DrawMode::Mesh);
    press(frame.dc, ViewCommand::ZoomIn, 200, FrameDrawing::Bounded);
    EXPECT_EQ(view.viewScale, 1000.0);
    press(frame.dc, ViewCommand::ZoomOut, 1, FrameDrawing::Bounded);
    EXPECT_NEAR(view.viewScale, 900.0, 1e-9);
    press(frame.dc, ViewCommand::ZoomOut, 200, FrameDrawing::Bounded);
    EXPECT_EQ(view.viewScale, 0.001);
    press(frame.dc, ViewCommand::ZoomIn, 1, FrameDrawing::Bounded);
    EXPECT_NEAR(view.viewScale, 0.001 / 0.9, 1e-15);
}

TEST(applyViewCommand, ModeKeyRestartsTheMeshForward) {
    RecordingContext frame;
    setUpPair(20, 40, DrawMode::Drive);
    press(frame.dc, ViewCommand::ShowMesh);
    press(frame.dc, ViewCommand::Reverse);
    press(frame.dc, ViewCommand::Step, 3);
    EXPECT_NEAR(view.totalAngle1, -4 * view.angleStep, 1e-15);
    press(frame.dc, ViewCommand::ShowMesh);
    EXPECT_EQ(view.totalAngle1, 0.0);
    EXPECT_NEAR(view.theta1, pair.basePitchAngle1, 1e-15);
    press(frame.dc, ViewCommand::Step);
    EXPECT_NEAR(view.totalAngle1, view.angleStep, 1e-15);
    press(frame.dc, ViewCommand::ShowDriven);
    EXPECT_EQ(view.drawMode, DrawMode::Driven);
    EXPECT_EQ(view.rollStep, view.angleStep);
}

}  // namespace gearmesh
