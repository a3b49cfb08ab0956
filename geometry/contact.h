#pragma once

#include "geometry/point2.h"

// Writes the contact points for drive-gear rotation angle (radians) into
// points (room for four), in order of falling signed distance along the line
// of action, and returns how many (0 to 4). Only points strictly inside the
// path of contact count. Reads gearPair.
int contactPoints(double angle, Point2* points);
