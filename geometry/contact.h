#pragma once

#include "geometry/gear_pair.h"

namespace gearmesh {

// Writes the contact points of pair for drive-gear rotation angle (radians)
// into points (room for four), in order of falling signed distance along the
// line of action, and returns how many (0 to 4). Only points strictly inside
// the path of contact count.
int contactPoints(const GearPair& pair, double angle, Point2* points);

}  // namespace gearmesh
