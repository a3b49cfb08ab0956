#pragma once

#include <vector>

#include "geometry/gear_pair.h"

namespace gearmesh {

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
// first mesh frame: PI - gearRatio * basePitchAngle1 for gear 2,
// basePitchAngle1 for gear 1 (any other value).
double meshFrameAngle(const GearPair& pair, int gear);

// Joins the z copies of the tooth outline of pair's gear 2 for gear == 2, of
// gear 1 for any other value, copy k turned by
// meshFrameAngle - k * 2 PI / z about the gear centre, k = 1 to z, dropping
// each vertex that repeats the one before it (within 1e-9 module).
GearPath placedGearPath(const GearPair& pair, int gear, double module);

}  // namespace gearmesh
