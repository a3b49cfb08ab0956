#pragma once

#include "geometry/point2.h"

// Segments of the root arc and of the tip arc of a tooth outline.
constexpr int ARC_SEGMENTS = 10;

// Builds the outline of one angular pitch of gear 1 or 2 (root arc, fillet,
// flank, tip arc, mirrored flank and fillet) in the gear frame into outline
// (room for CURVE_CAPACITY points); writes the flank-fillet junction radius
// to undercutRadius and returns the last index (2n + 20, at most
// CURVE_CAPACITY - 1). gear 2 takes gearPair.z2, any other value z1. Reads
// gearPair.z1 or z2, tanAlpha, cosAlpha, pressureAngle, invAlpha.
int buildToothOutline(int gear, double shift, Point2* outline, double& undercutRadius);
