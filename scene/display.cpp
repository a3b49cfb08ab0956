#include "scene/display.h"

#include "draw/circles.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/seam.h"
#include "scene/gear_figure.h"

namespace gearmesh {

namespace {

constexpr int LEGEND_LINES = CLASSIC_LEGEND_LINES;
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

void drawLegend(DrawContext& dc, const char* const* lines) {
    drawLegendLines(dc, 0, lines, LEGEND_LINES);
}

// A filled disc of 0.01 view units about p (model units) at any scale.
void drawMarker(DrawContext& dc, double scale, const Point2& p, const Color4& colour) {
    drawScaledDisc(dc, scale, p, MARKER_RADIUS / scale, colour);
}

// The legend's "undercut circle": where the sampled flank starts, drawn only
// above the base circle.
void drawFlankStartCircle(DrawContext& dc, const Gear& gear, double scale) {
    if (gear.flankStartRadius > gear.baseRadius) {
        drawScaledCircle(dc, scale, gear.centre, gear.flankStartRadius, BLACK);
    }
}

// Gear 1 alone, unturned, with all its circles.
void drawDriveGear(DrawContext& dc, const Gear& gear, double scale) {
    drawLegend(dc, DRIVE_LEGEND);
    drawScaledCrossMark(dc, scale, gear.centre, 0.0);
    drawGearCircles(dc, gear, scale, 0.0, SINGLE_GEAR_CIRCLES);
    drawFlankStartCircle(dc, gear, scale);
    drawGearTeeth(dc, gear, scale, 0.0, RED);
}

// Gear 2 alone; its flank start circle is drawn first.
void drawDrivenGear(DrawContext& dc, const Gear& gear, double scale) {
    drawLegend(dc, DRIVEN_LEGEND);
    drawFlankStartCircle(dc, gear, scale);
    drawScaledCrossMark(dc, scale, gear.centre, 0.0);
    drawGearCircles(dc, gear, scale, 0.0, SINGLE_GEAR_CIRCLES);
    drawGearTeeth(dc, gear, scale, 0.0, RED);
}

// The mesh at the angles and contact points of view.
void drawGearMesh(DrawContext& dc, const GearPair& pair, const ViewState& view) {
    const Gear& gear1 = pair.gears[0];
    const Gear& gear2 = pair.gears[1];
    const double scale = view.viewScale;
    drawLegend(dc, MESH_LEGEND);
    drawFlankStartCircle(dc, gear1, scale);
    drawFlankStartCircle(dc, gear2, scale);
    drawScaledCrossMark(dc, scale, pair.pitchPoint, 0.0);

    drawMarker(dc, scale, gear1.interferencePoint, GREEN);
    drawMarker(dc, scale, gear2.interferencePoint, GREEN);
    drawMarker(dc, scale, pair.pitchPoint, BLUE);
    // Each side's end of the path of contact, as the pair decided it.
    drawMarker(dc, scale, gear1.contactEndPoint, BLACK);
    drawMarker(dc, scale, gear2.contactEndPoint, BLACK);
    drawScaledLine(dc, scale, gear1.interferencePoint, gear2.interferencePoint, GREEN);

    for (int i = 0; i < view.contactCount && i < CONTACT_CAPACITY; ++i) {
        drawMarker(dc, scale, view.contactPoints[i], BLUE);
    }

    drawGearCircles(dc, gear1, scale, view.totalAngle1, MESH_GEAR_CIRCLES);
    drawGearCircles(dc, gear2, scale, -view.totalAngle2, MESH_GEAR_CIRCLES);
    drawGearTeeth(dc, gear1, scale, view.theta1, RED);
    // Gear 2 stands half a turn round, then turns clockwise with gear 1.
    drawGearTeeth(dc, gear2, scale, PI - view.theta2, RED);
}

}  // namespace

// Black text, so the legend reads the same on the first frame as on every later one.
void drawLegendLines(DrawContext& dc, int first, const char* const* lines, int count) {
    seamLighting(dc, false);
    seamColor(dc, BLACK);
    for (int i = 0; i < count && first + i < LEGEND_LINE_CAPACITY; ++i) {
        drawString(dc, LEGEND_X, LEGEND_Y[first + i], LEGEND_FONT, lines[i]);
    }
    seamLighting(dc, true);
}

void drawFigure(DrawContext& dc, const GearPair& pair, const ViewState& view) {
    switch (view.drawMode) {
    case DrawMode::Drive:
        drawDriveGear(dc, pair.gears[0], view.viewScale);
        break;
    case DrawMode::Driven:
        drawDrivenGear(dc, pair.gears[1], view.viewScale);
        break;
    case DrawMode::Mesh:
        drawGearMesh(dc, pair, view);
        break;
    }
}

void drawFrame(DrawContext& dc, const GearPair& pair, const ViewState& view, FrameDrawing drawing) {
    beginFrame(dc, drawing);
    drawFigure(dc, pair, view);
    endFrame(dc);
}

}  // namespace gearmesh
