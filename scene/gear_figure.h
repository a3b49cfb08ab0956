#pragma once

#include "draw/color.h"
#include "draw/seam.h"
#include "geometry/gear_pair.h"

namespace gearmesh {

// The figure of one gear at scale (view units per module), about its centre
// in model units, drawn with the context dc (draw/seam.h). Angles in
// radians, counter-clockwise.

// Reference circles, centre dot, centre lines and pitch chain circle of gear
// turned by angle; level chooses the circles: from 1 the pitch chain circle,
// from 2 the base circle, from 3 the tip circle, from 4 the root circle.
void drawGearCircles(DrawContext& dc, const Gear& gear, double scale, double angle, int level);
// gear.teeth copies of gear's tooth outline about its centre, turned by angle.
void drawGearTeeth(DrawContext& dc, const Gear& gear, double scale, double angle,
                   const Color4& colour);
// Thick 4-pixel segments through scale x points[0..last] (model units); nothing for last below 1.
void drawPolyline(DrawContext& dc, double scale, const Point2* points, int last,
                  const Color4& colour);

}  // namespace gearmesh
