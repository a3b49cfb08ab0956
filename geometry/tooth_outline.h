#pragma once

#include "geometry/point2.h"

namespace gearmesh {

// Segments of the root arc and of the tip arc of a tooth outline.
constexpr int ARC_SEGMENTS = 10;

// What one gear's tooth outline is cut to: its circles (modules), its tooth
// angle at the pitch circle and the rack's pressure angle (radians).
struct ToothCut {
    double pitchRadius;
    double baseRadius;
    double tipRadius;
    double rootRadius;
    double toothAngle;
    double pressureAngle;
    double invAlpha;  // tan(pressureAngle) - pressureAngle
};

// Builds the outline of one angular pitch (root arc, fillet, flank, tip arc,
// mirrored flank and fillet) in the gear frame into outline (room for
// CURVE_CAPACITY points); writes the flank-fillet junction radius, where the
// sampled flank starts, to flankStartRadius and returns the last index
// (2n + 20, at most CURVE_CAPACITY - 1). Keeps no state between calls.
int buildToothOutline(const ToothCut& cut, Point2* outline, double& flankStartRadius);

}  // namespace gearmesh
