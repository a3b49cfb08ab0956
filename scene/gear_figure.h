#pragma once

#include "draw/color.h"
#include "geometry/point2.h"

// Reference circles, centre dot, centre lines and pitch chain circle of gear
// 1 or 2 turned by angle (radians); level chooses the circles. Reads gearPair, viewState.
void drawGearCircles(double angle, int gear, int level);
// toothCount copies of outline[0..last] about centre, turned by angle.
void drawGearTeeth(double scale, double angle, int toothCount, const Point2& centre, int last,
                   const Point2* outline, const Color4& colour);
// Thick 4-pixel segments through points[0..last], scaled by viewScale.
void drawPolyline(const Point2* points, int last, const Color4& colour);
