#include "scene/gear_figure.h"

#include <cmath>

#include "draw/circles.h"
#include "draw/lines.h"
#include "draw/patterned_lines.h"
#include "draw/seam.h"
#include "geometry/gear_pair.h"

namespace {

constexpr double CENTRE_DOT_RADIUS = 0.1;  // model units
constexpr double TOOTH_LINE_WIDTH = 0.01;  // view units: 4 pixels

// The circles of one gear, all in model units, centred on its centre.
struct GearCircles {
    Point2 centre;
    double pitchRadius;
    double baseRadius;
    double tipRadius;
    double rootRadius;
};

// Reads gearPair.
GearCircles gearCircles(int gear) {
    const bool drive = gear == 1;
    const double r = drive ? gearPair.pitchRadius1 : gearPair.pitchRadius2;
    const double shift = drive ? gearPair.shift1 : gearPair.shift2;
    GearCircles c;
    c.centre = drive ? Point2{0.0, -r} : Point2{0.0, r};
    c.pitchRadius = r;
    c.baseRadius = r * gearPair.cosAlpha;
    c.tipRadius = r + 1.0 + shift;
    c.rootRadius = r - 1.25 + shift;
    return c;
}

}  // namespace

void drawGearCircles(double angle, int gear, int level) {
    const GearCircles g = gearCircles(gear);
    const double scale = viewState.viewScale;
    const double cx = g.centre.x;
    const double cy = g.centre.y;

    if (level >= 2) {
        drawScaledCircle(scale, g.centre, g.baseRadius, GREEN);
    }
    if (level >= 3) {
        drawScaledCircle(scale, g.centre, g.tipRadius, YELLOW);
    }
    if (level >= 4) {
        drawScaledCircle(scale, g.centre, g.rootRadius, YELLOW);
    }
    drawScaledDisc(scale, g.centre, CENTRE_DOT_RADIUS, BLACK);

    // Centre lines turn through their end points, one pitch diameter each.
    const double c = g.pitchRadius * std::cos(angle);
    const double s = g.pitchRadius * std::sin(angle);
    drawScaledChainLine(scale, Point2{cx + c, cy + s}, Point2{cx - c, cy - s}, BLUE);
    drawScaledChainLine(scale, Point2{cx + s, cy - c}, Point2{cx - s, cy + c}, BLUE);

    if (level >= 1) {
        // The pitch circle turns through the matrix so that its dash pattern turns with the gear.
        seamTranslate(scale * cx, scale * cy);
        seamRotate(angle * RAD_TO_DEG);
        drawScaledChainCircle(scale, Point2{0.0, 0.0}, g.pitchRadius, BLUE);
        seamRotate(-angle * RAD_TO_DEG);
        seamTranslate(-scale * cx, -scale * cy);
    }
}

void drawGearTeeth(double scale, double angle, int toothCount, const Point2& centre, int last,
                   const Point2* outline, const Color4& colour) {
    const double pitchAngle = 2.0 * PI / toothCount;
    const double x = toView(scale * centre.x);
    const double y = toView(scale * centre.y);

    seamTranslate(x, y);
    seamRotate(angle * RAD_TO_DEG);
    // The copies add up to one full turn, so only angle and centre need undoing.
    for (int i = 0; i < toothCount; ++i) {
        seamRotate(-pitchAngle * RAD_TO_DEG);
        drawPolyline(outline, last, colour);
    }
    seamRotate(-angle * RAD_TO_DEG);
    seamTranslate(-x, -y);
}

void drawPolyline(const Point2* points, int last, const Color4& colour) {
    // Bounded drawing leaves out the copies and segments outside the window.
    drawScaledThickPolyline(viewState.viewScale, points, last, TOOTH_LINE_WIDTH, colour);
}
