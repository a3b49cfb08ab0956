#include "scene/display.h"

#include "draw/circles.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/seam.h"
#include "scene/gear_figure.h"

namespace gearmesh {

namespace {

constexpr int LEGEND_LINES = 5;
constexpr float LEGEND_X = -0.9f;
constexpr float LEGEND_Y[LEGEND_LINES] = {0.9f, 0.85f, 0.8f, 0.75f, 0.7f};
constexpr double MARKER_RADIUS = 0.01;  // view units: 4 pixels at any zoom

constexpr const char* DRIVE_LEGEND[LEGEND_LINES] = {
    "(1) draw drive gear",
    "     blue  : pitch circle",
    "     green : base circle",
    "     black : undercut circle",
    "     yellow: bottom and tip circle",
};
constexpr const char* DRIVEN_LEGEND[LEGEND_LINES] = {
    "(2) draw driven gear",
    "     blue  : pitch circle",
    "     green : base circle",
    "     black : undercut circle",
    "     yellow: bottom and tip circle",
};
constexpr const char* MESH_LEGEND[LEGEND_LINES] = {
    "(3) draw gear mesh",
    "     circle : blue :pitch cl,  green:base cl,  black:undercut cl",
    "     point  : blue :pitch pnt, black:mesh start and finish pnt",
    "                 green:interference pnt, red:contact pnt",
    "     green line : path of contact",
};

// Black text, so the legend reads the same on the first frame as on every later one.
void drawLegend(const char* const* lines) {
    seamLighting(false);
    seamColor(BLACK);
    for (int i = 0; i < LEGEND_LINES; ++i) {
        drawString(LEGEND_X, LEGEND_Y[i], LEGEND_FONT, lines[i]);
    }
    seamLighting(true);
}

// A filled disc of 0.01 view units about p (model units) at any scale.
void drawMarker(double scale, const Point2& p, const Color4& colour) {
    drawScaledDisc(scale, p, MARKER_RADIUS / scale, colour);
}

// The legend's "undercut circle": where the sampled flank starts, drawn only
// above the base circle.
void drawFlankStartCircle(const Gear& gear, double scale) {
    if (gear.flankStartRadius > gear.baseRadius) {
        drawScaledCircle(scale, gear.centre, gear.flankStartRadius, BLACK);
    }
}

// Gear 1 alone, unturned, with all its circles.
void drawDriveGear(const Gear& gear, double scale) {
    drawLegend(DRIVE_LEGEND);
    drawScaledCrossMark(scale, gear.centre, 0.0);
    drawGearCircles(gear, scale, 0.0, 4);
    drawFlankStartCircle(gear, scale);
    drawGearTeeth(gear, scale, 0.0, RED);
}

// Gear 2 alone; its flank start circle is drawn first.
void drawDrivenGear(const Gear& gear, double scale) {
    drawLegend(DRIVEN_LEGEND);
    drawFlankStartCircle(gear, scale);
    drawScaledCrossMark(scale, gear.centre, 0.0);
    drawGearCircles(gear, scale, 0.0, 4);
    drawGearTeeth(gear, scale, 0.0, RED);
}

// The mesh at the angles and contact points of view.
void drawGearMesh(const GearPair& pair, const ViewState& view) {
    const Gear& gear1 = pair.gears[0];
    const Gear& gear2 = pair.gears[1];
    const double scale = view.viewScale;
    drawLegend(MESH_LEGEND);
    drawFlankStartCircle(gear1, scale);
    drawFlankStartCircle(gear2, scale);
    drawScaledCrossMark(scale, pair.pitchPoint, 0.0);

    drawMarker(scale, gear1.interferencePoint, GREEN);
    drawMarker(scale, gear2.interferencePoint, GREEN);
    drawMarker(scale, pair.pitchPoint, BLUE);
    // Each side's end of the path of contact, as the pair decided it.
    drawMarker(scale, gear1.contactEndPoint, BLACK);
    drawMarker(scale, gear2.contactEndPoint, BLACK);
    drawScaledLine(scale, gear1.interferencePoint, gear2.interferencePoint, GREEN);

    for (int i = 0; i < view.contactCount && i < CONTACT_CAPACITY; ++i) {
        drawMarker(scale, view.contactPoints[i], BLUE);
    }

    drawGearCircles(gear1, scale, view.totalAngle1, 3);
    drawGearCircles(gear2, scale, -view.totalAngle2, 3);
    drawGearTeeth(gear1, scale, view.theta1, RED);
    // Gear 2 stands half a turn round, then turns clockwise with gear 1.
    drawGearTeeth(gear2, scale, PI - view.theta2, RED);
}

}  // namespace

void drawFrame(const GearPair& pair, const ViewState& view, FrameDrawing drawing) {
    beginFrame(drawing);
    if (view.drawMode == '1') {
        drawDriveGear(pair.gears[0], view.viewScale);
    }
    if (view.drawMode == '2') {
        drawDrivenGear(pair.gears[1], view.viewScale);
    }
    if (view.drawMode == '3') {
        drawGearMesh(pair, view);
    }
    endFrame();
}

void display() {
    advanceView(viewState, gearPair);
    drawFrame(gearPair, viewState, FrameDrawing::Bounded);
}

}  // namespace gearmesh
