#pragma once

// Reading back what the toolkit handed to the recorder.

#include <gtest/gtest.h>

#include <cmath>

#include "draw/frame.h"
#include "draw/recorder.h"

namespace gearmesh {

// Starts a recording with a frame drawn as given.
inline void recordFrame(FrameDrawing drawing) {
    startRecording();
    beginFrame(drawing);
}

inline void expectPointNear(const Point2& actual, double x, double y, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
}

// Vertex j of stored primitive i.
inline Point2 vertex(int i, int j) {
    return recordedPrimitiveVertex(i, j);
}

// Polar angle of p in [0, 2 pi).
inline double polarAngle(const Point2& p) {
    const double angle = std::atan2(p.y, p.x);
    return angle < 0.0 ? angle + 2.0 * PRECISE_PI : angle;
}

// Difference of two angles folded into (-pi, pi].
inline double angleBetween(double from, double to) {
    double difference = std::fmod(to - from, 2.0 * PRECISE_PI);
    if (difference > PRECISE_PI) {
        difference -= 2.0 * PRECISE_PI;
    }
    if (difference <= -PRECISE_PI) {
        difference += 2.0 * PRECISE_PI;
    }
    return difference;
}

// What every primitive but drawString leaves: lighting on and the matrix
// the caller had (identity at depth 0 in these tests).
inline void expectStateLeftAsFound() {
    EXPECT_TRUE(recorderLighting());
    EXPECT_EQ(recorderMatrixDepth(), 0);
    const Affine2 m = recorderMatrix();
    EXPECT_EQ(m.xx, 1.0);
    EXPECT_EQ(m.yy, 1.0);
    EXPECT_EQ(m.xy, 0.0);
    EXPECT_EQ(m.yx, 0.0);
    EXPECT_EQ(m.tx, 0.0);
    EXPECT_EQ(m.ty, 0.0);
}

}  // namespace gearmesh
