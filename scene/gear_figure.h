#pragma once

#include "draw/color.h"
#include "draw/seam.h"
#include "geometry/gear_pair.h"

namespace gearmesh {

// The figure of one gear at scale (view units per module), about its centre
// in model units, drawn with the context dc (draw/seam.h). Angles in
// radians, counter-clockwise.

// The reference circles a gear figure shows, as flags to combine.
enum GearCircles : unsigned {
    NO_CIRCLES = 0,
    PITCH_CIRCLE = 1u << 0,  // blue chain line, turning with the gear
    BASE_CIRCLE = 1u << 1,   // green
    TIP_CIRCLE = 1u << 2,    // yellow
    ROOT_CIRCLE = 1u << 3,   // yellow
};
// The circles of a gear drawn alone, and of a gear in the mesh.
constexpr unsigned SINGLE_GEAR_CIRCLES = PITCH_CIRCLE | BASE_CIRCLE | TIP_CIRCLE | ROOT_CIRCLE;
constexpr unsigned MESH_GEAR_CIRCLES = PITCH_CIRCLE | BASE_CIRCLE | TIP_CIRCLE;

// Centre dot and centre lines of gear turned by angle, with the circles that
// circles (GearCircles flags) names: base, tip and root circle first, the
// pitch chain circle last.
void drawGearCircles(DrawContext& dc, const Gear& gear, double scale, double angle,
                     unsigned circles);
// gear.teeth copies of gear's tooth outline about its centre, turned by angle.
void drawGearTeeth(DrawContext& dc, const Gear& gear, double scale, double angle,
                   const Color4& colour);
// Thick 4-pixel segments through scale x points[0..last] (model units); nothing for last below 1.
void drawPolyline(DrawContext& dc, double scale, const Point2* points, int last,
                  const Color4& colour);

}  // namespace gearmesh
