#pragma once

// Reading back what the toolkit handed to the recorder.

#include <gtest/gtest.h>

#include <cmath>

#include "draw/frame.h"
#include "draw/recorder.h"
#include "tests/support/recording_context.h"

namespace gearmesh {

// A fresh recorder and its context with a frame drawn as given opened on them.
struct RecordedFrame : RecordingContext {
    explicit RecordedFrame(FrameDrawing drawing) {
        beginFrame(dc, drawing);
    }
    // Vertex j of stored primitive i, view units.
    Point2 vertex(int i, int j) const {
        return recorder.recordedPrimitiveVertex(i, j);
    }
};

inline void expectPointNear(const Point2& actual, double x, double y, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
}

// Polar angle of p in [0, 2 pi).
inline double polarAngle(const Point2& p) {
    const double angle = std::atan2(p.y, p.x);
    return angle < 0.0 ? angle + 2.0 * FULL_PI : angle;
}

// Difference of two angles folded into (-pi, pi].
inline double angleBetween(double from, double to) {
    double difference = std::fmod(to - from, 2.0 * FULL_PI);
    if (difference > FULL_PI) {
        difference -= 2.0 * FULL_PI;
    }
    if (difference <= -FULL_PI) {
        difference += 2.0 * FULL_PI;
    }
    return difference;
}

// What every primitive but drawString leaves on recorder: lighting on and
// the matrix the caller had (identity at depth 0 in these tests).
inline void expectStateLeftAsFound(const Recorder& recorder) {
    EXPECT_TRUE(recorder.lighting());
    EXPECT_EQ(recorder.matrixDepth(), 0);
    const Affine2 m = recorder.matrix();
    EXPECT_EQ(m.xx, 1.0);
    EXPECT_EQ(m.yy, 1.0);
    EXPECT_EQ(m.xy, 0.0);
    EXPECT_EQ(m.yx, 0.0);
    EXPECT_EQ(m.tx, 0.0);
    EXPECT_EQ(m.ty, 0.0);
}

}  // namespace gearmesh
