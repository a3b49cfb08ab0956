#include "scene/gear_figure.h"

#include <cmath>

#include "draw/circles.h"
#include "draw/lines.h"
#include "draw/patterned_lines.h"
#include "draw/seam.h"

namespace gearmesh {

namespace {

constexpr double CENTRE_DOT_RADIUS = 0.1;  // model units
constexpr double TOOTH_LINE_WIDTH = 0.01;  // view units: 4 pixels

}  // namespace

void drawGearCircles(DrawContext& dc, const Gear& g, double scale, double angle, unsigned circles) {
    const double cx = g.centre.x;
    const double cy = g.centre.y;

    if ((circles & BASE_CIRCLE) != 0) {
        drawScaledCircle(dc, scale, g.centre, g.baseRadius, GREEN);
    }
    if ((circles & TIP_CIRCLE) != 0) {
        drawScaledCircle(dc, scale, g.centre, g.tipRadius, YELLOW);
    }
    if ((circles & ROOT_CIRCLE) != 0) {
        drawScaledCircle(dc, scale, g.centre, g.rootRadius, YELLOW);
    }
    drawScaledDisc(dc, scale, g.centre, CENTRE_DOT_RADIUS, BLACK);

    // Centre lines turn through their end points, one pitch diameter each.
    const double c = g.pitchRadius * std::cos(angle);
    const double s = g.pitchRadius * std::sin(angle);
    drawScaledChainLine(dc, scale, Point2{cx + c, cy + s}, Point2{cx - c, cy - s}, BLUE);
    drawScaledChainLine(dc, scale, Point2{cx + s, cy - c}, Point2{cx - s, cy + c}, BLUE);

    if ((circles & PITCH_CIRCLE) != 0) {
        // The pitch circle turns through the matrix so that its dash pattern turns with the gear.
        seamTranslate(dc, scale * cx, scale * cy);
        seamRotate(dc, angle * RAD_TO_DEG);
        drawScaledChainCircle(dc, scale, Point2{0.0, 0.0}, g.pitchRadius, BLUE);
        seamRotate(dc, -angle * RAD_TO_DEG);
        seamTranslate(dc, -scale * cx, -scale * cy);
    }
}

void drawGearTeeth(DrawContext& dc, const Gear& gear, double scale, double angle,
                   const Color4& colour) {
    const double pitchAngle = 2.0 * PI / gear.teeth;
    const double x = toView(scale * gear.centre.x);
    const double y = toView(scale * gear.centre.y);

    seamTranslate(dc, x, y);
    seamRotate(dc, angle * RAD_TO_DEG);
    // The copies add up to one full turn, so only angle and centre need undoing.
    for (int i = 0; i < gear.teeth; ++i) {
        seamRotate(dc, -pitchAngle * RAD_TO_DEG);
        drawPolyline(dc, scale, gear.toothOutline, gear.toothOutlineLast, colour);
    }
    seamRotate(dc, -angle * RAD_TO_DEG);
    seamTranslate(dc, -x, -y);
}

void drawPolyline(DrawContext& dc, double scale, const Point2* points, int last,
                  const Color4& colour) {
    // Bounded drawing leaves out the copies and segments outside the window.
    drawScaledThickPolyline(dc, scale, points, last, TOOTH_LINE_WIDTH, colour);
}

}  // namespace gearmesh
