#include "scene/view_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gearmesh {

namespace {

GearPair pair;

}  // namespace

// Every setup turns the view back to its start: zoom 0.2, forward rotation
// by one fortieth of gear 1's angular pitch, no rotation yet.
TEST(resetView, AfterZoomAndReverse) {
    computeGearPair(pair, 20, 40);
    ViewState view{};
    view.drawMode = DrawMode::Mesh;
    view.viewScale = 0.162;
    view.angleStep = 1.0;
    view.rollStep = -1.0;
    view.theta1 = 0.3;
    view.theta2 = 0.4;
    resetView(view, pair);
    EXPECT_EQ(view.viewScale, 0.2);
    EXPECT_EQ(view.angleStep, PI / 400);
    EXPECT_NEAR(40 * view.angleStep, 2 * PI / 20, 1e-15);
    EXPECT_EQ(view.rollStep, view.angleStep);
    EXPECT_EQ(view.theta1, 0.0);
    EXPECT_EQ(view.theta2, 0.0);
    EXPECT_EQ(view.drawMode, DrawMode::Mesh);
}

// Stepping needs no drawing: 100,000 steps forward and back again bring the
// teeth and the contact points to where they stood, and single-gear views
// never move.
TEST(advanceView, StepsWithoutDrawing) {
    computeGearPair(pair, 20, 40);
    ViewState view{};
    resetView(view, pair);
    view.drawMode = DrawMode::Drive;
    const ViewState still = view;
    advanceView(view, pair);
    EXPECT_EQ(view.theta1, still.theta1);
    EXPECT_EQ(view.totalAngle1, still.totalAngle1);

    view.drawMode = DrawMode::Mesh;
    advanceView(view, pair);
    const ViewState start = view;
    ASSERT_EQ(start.contactCount, 1);
    for (int i = 0; i < 100000; ++i) {
        advanceView(view, pair);
        ASSERT_GE(view.theta1, pair.basePitchAngle1);
        ASSERT_LT(view.theta1, 2 * pair.basePitchAngle1);
        ASSERT_GE(view.contactCount, 1);
        ASSERT_LE(view.contactCount, 2);
    }
    // 100,000 steps are 2,500 tooth pitches of gear 1.
    EXPECT_NEAR(view.totalAngle1 - start.totalAngle1, 2500 * 2 * PI / 20, 1e-7);
    EXPECT_NEAR(view.theta1, start.theta1, 1e-7);
    view.rollStep = -view.angleStep;
    for (int i = 0; i < 100000; ++i) {
        advanceView(view, pair);
    }
    EXPECT_NEAR(view.totalAngle1, start.totalAngle1, 1e-7);
    ASSERT_EQ(view.contactCount, start.contactCount);
    EXPECT_NEAR(view.contactPoints[0].x, start.contactPoints[0].x, 1e-7);
    EXPECT_NEAR(view.contactPoints[0].y, start.contactPoints[0].y, 1e-7);
}

}  // namespace gearmesh
