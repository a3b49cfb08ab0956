#pragma once

// Ellipses, rectangles, the arrow and the grid. Each is placed at a reference
// point (model units) and turned about it by an angle in radians, drawn
// with the context dc (draw/seam.h).

#include "draw/color.h"
#include "draw/seam.h"
#include "geometry/point2.h"

namespace gearmesh {

// Arrow shaft width and head length, model units, whatever the arrow's length.
constexpr double ARROW_SHAFT_WIDTH = 0.02;
constexpr double ARROW_HEAD_LENGTH = 0.1;

// The arrow's reference point: only x and y place it.
struct Point3 {
    double x, y, z;
};

// Filled ellipse, semi-axes a along the turned x axis and b along its y
// axis, 121 vertices evenly spaced in polar angle; nothing when a semi-axis
// is 0, infinite or NaN.
void drawFilledEllipse(DrawContext& dc, const Point2& c, double a, double b, double angle,
                       const Color4& colour);
// Ellipse outline, 242 vertices from (a, 0) in one line loop; nothing when
// a semi-axis is 0, infinite or NaN.
void drawEllipse(DrawContext& dc, const Point2& c, double a, double b, double angle,
                 const Color4& colour);
// Filled w by h rectangle from the corner, turned about it.
void drawFilledRect(DrawContext& dc, const Point2& corner, double w, double h, double angle,
                    const Color4& colour);
// Outline of the same rectangle.
void drawRect(DrawContext& dc, const Point2& corner, double w, double h, double angle,
              const Color4& colour);
// Filled arrow of the given length pointing along angle, its tip on tip;
// a shaft of no area when length is 0.1 or less (or NaN).
void drawArrow(DrawContext& dc, const Point3& tip, double length, double angle,
               const Color4& colour);
// Black grid of 2n + 1 lines each way, spacing dx and dy, centred on origin;
// leaves the line width at 1 pixel. Nothing when n is below 0.
void drawGrid(DrawContext& dc, const Point2& origin, double angle, int n, double dx, double dy);

}  // namespace gearmesh
