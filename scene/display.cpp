#include "scene/display.h"

#include "draw/circles.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/seam.h"
#include "geometry/contact.h"
#include "geometry/gear_pair.h"
#include "scene/gear_figure.h"

Point2 currentContactPoints[CONTACT_CAPACITY];
int currentContactCount = 0;

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

// A filled disc of 0.01 view units about p (model units). Reads viewState.
void drawMarker(const Point2& p, const Color4& colour) {
    const double scale = viewState.viewScale;
    drawScaledDisc(scale, p, MARKER_RADIUS / scale, colour);
}

// Marks the candidate nearest to the pitch point among a side's undercut
// point, the mating tip-contact point and the interference point. On a tie
// the earlier of the three is marked, so each side always shows one end of
// the path of contact.
void drawMeshLimitMarker(const Point2& undercut, double undercutDist, const Point2& tipContact,
                         double tipContactDist, const Point2& interference,
                         double interferenceDist) {
    if (undercutDist <= interferenceDist && undercutDist <= tipContactDist) {
        drawMarker(undercut, BLACK);
    } else if (tipContactDist <= undercutDist && tipContactDist <= interferenceDist) {
        drawMarker(tipContact, BLACK);
    } else {
        drawMarker(interference, BLACK);
    }
}

// Turns the mesh on by rollStep and keeps theta1 within one angular pitch of
// gear 1, in [basePitchAngle1, 2 basePitchAngle1). Reads gearPair, writes viewState.
void stepMesh() {
    ViewState& v = viewState;
    const double pitchAngle = gearPair.basePitchAngle1;
    v.theta1 = v.theta1 + v.rollStep;
    v.totalAngle1 = v.totalAngle1 + v.rollStep;
    v.totalAngle2 = gearPair.gearRatio * v.totalAngle1;
    if (v.theta1 > pitchAngle) {
        v.theta1 = v.theta1 - pitchAngle;
    }
    if (v.theta1 < pitchAngle) {
        v.theta1 = v.theta1 + pitchAngle;
    }
    v.theta2 = gearPair.gearRatio * v.theta1;
}

void drawUndercutCircle(const Point2& centre, double undercutRadius, double baseRadius) {
    if (undercutRadius > baseRadius) {
        drawScaledCircle(viewState.viewScale, centre, undercutRadius, BLACK);
    }
}

void drawDriveGear() {
    const GearPair& g = gearPair;
    drawLegend(DRIVE_LEGEND);
    drawCrossMark(Point2{0.0, viewState.viewScale * g.center1.y}, 0.0);
    drawGearCircles(0.0, 1, 4);
    drawUndercutCircle(g.center1, g.undercutRadius1, g.baseRadius1);
    drawGearTeeth(viewState.viewScale, 0.0, g.z1, g.center1, g.toothOutlineLast1, g.toothOutline1,
                  RED);
}

void drawDrivenGear() {
    const GearPair& g = gearPair;
    drawLegend(DRIVEN_LEGEND);
    drawUndercutCircle(g.center2, g.undercutRadius2, g.baseRadius2);
    drawCrossMark(Point2{0.0, viewState.viewScale * g.center2.y}, 0.0);
    drawGearCircles(0.0, 2, 4);
    drawGearTeeth(viewState.viewScale, 0.0, g.z2, g.center2, g.toothOutlineLast2, g.toothOutline2,
                  RED);
}

// Draws the mesh as stepMesh and the contact points have left it.
void drawGearMesh() {
    const GearPair& g = gearPair;
    const ViewState& v = viewState;
    drawLegend(MESH_LEGEND);
    drawUndercutCircle(g.center1, g.undercutRadius1, g.baseRadius1);
    drawUndercutCircle(g.center2, g.undercutRadius2, g.baseRadius2);
    drawCrossMark(Point2{0.0, 0.0}, 0.0);

    drawMarker(g.interferencePoint1, GREEN);
    drawMarker(g.interferencePoint2, GREEN);
    drawMarker(g.pitchPoint, BLUE);
    drawMeshLimitMarker(g.undercutPoint1, g.undercutDist1, g.tipContactPoint2, g.tipContactDist2,
                        g.interferencePoint1, g.interferenceDist1);
    drawMeshLimitMarker(g.undercutPoint2, g.undercutDist2, g.tipContactPoint1, g.tipContactDist1,
                        g.interferencePoint2, g.interferenceDist2);
    drawScaledLine(viewState.viewScale, g.interferencePoint1, g.interferencePoint2, GREEN);

    for (int i = 0; i < currentContactCount && i < CONTACT_CAPACITY; ++i) {
        drawMarker(currentContactPoints[i], BLUE);
    }

    drawGearCircles(v.totalAngle1, 1, 3);
    drawGearCircles(-v.totalAngle2, 2, 3);
    drawGearTeeth(v.viewScale, v.theta1, g.z1, g.center1, g.toothOutlineLast1, g.toothOutline1,
                  RED);
    // Gear 2 stands half a turn round, then turns clockwise with gear 1.
    drawGearTeeth(v.viewScale, PI - v.theta2, g.z2, g.center2, g.toothOutlineLast2, g.toothOutline2,
                  RED);
}

}  // namespace

void display(FrameDrawing drawing) {
    beginFrame(drawing);
    if (viewState.drawMode == '1') {
        drawDriveGear();
    }
    if (viewState.drawMode == '2') {
        drawDrivenGear();
    }
    if (viewState.drawMode == '3') {
        // State first: nothing drawn before the contact markers depends on the angles.
        stepMesh();
        currentContactCount = contactPoints(viewState.theta1, currentContactPoints);
        drawGearMesh();
    }
    endFrame();
}

void display() {
    display(FrameDrawing::Bounded);
}
