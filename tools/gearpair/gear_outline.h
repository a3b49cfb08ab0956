#pragma once

#include <vector>

#include "geometry/point2.h"

// The whole outline of one gear as one closed path, placed where the first
// frame of the mesh view shows it, in millimetres (model units times module).
struct GearPath {
    int gear;  // 1 or 2
    int teeth;
    Point2 centre;
    // Vertices in order; the path closes from the last back to the first.
    // No two consecutive vertices (the last and the first included) coincide.
    std::vector<Point2> points;
    // With 1 or 2 teeth the copies of the tooth outline do not meet, and the
    // closing edge is a straight segment that bridges the gap.
    bool closedBySegment;
};

// Rotation (radians, counter-clockwise) of the teeth of gear 1 or 2 in the
// first mesh frame: basePitchAngle1 for gear 1, PI - gearRatio *
// basePitchAngle1 for gear 2. Reads gearPair.
double meshFrameAngle(int gear);

// Joins the z copies of gear 1's or 2's tooth outline, copy k turned by
// meshFrameAngle - k * 2 PI / z about the gear centre, k = 1 to z, dropping
// each vertex that repeats the one before it (within 1e-9 module). Reads
// gearPair.
GearPath placedGearPath(int gear, double module);
