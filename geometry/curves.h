#pragma once

#include "geometry/point2.h"

namespace gearmesh {

// Parameter steps of the flank up to the pressure angle (one-degree steps at 20 degrees).
constexpr int INVOLUTE_SEGMENTS = 20;
// Last index of every fillet and its parameter step in radians of gear turn.
constexpr int TROCHOID_STEPS = 200;
constexpr double TROCHOID_STEP = 0.01;

// Samples the involute flank from base radius rb to tip radius ra into out
// (gear frame: (r sin th, r cos th)) in steps of pressureAngle / 20; returns
// the last index, whose point lies on the tip circle. invAlpha is
// tan(pressureAngle) - pressureAngle. Never writes past out[CURVE_CAPACITY - 1].
int involuteCurve(double rb, double ra, double pressureAngle, double invAlpha, Point2* out);

// Samples the trochoid that the tip corner of a rack of pressureAngle cuts
// for pitch radius R and root radius rf into out (at least TROCHOID_STEPS + 1
// points); returns TROCHOID_STEPS.
int trochoidCurve(double R, double rf, double pressureAngle, Point2* out);

}  // namespace gearmesh
