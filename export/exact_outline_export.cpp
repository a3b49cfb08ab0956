#include "export/exact_outline_export.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "export/number_text.h"
#include "geometry/exact_outline.h"

namespace gearmesh {

namespace {

std::string refusal(int gear, const ExactGear& g, OutlineStatus status) {
    char what[160];
    std::snprintf(what, sizeof what, "gear %d (%d teeth, shift %g) cannot be cut: ", gear, g.teeth,
                  g.shift + 0.0);
    switch (status) {
    case OutlineStatus::Nothing:
        return std::string(what) + "the rack cuts the whole blank away";
    case OutlineStatus::Pieces:
        return std::string(what) + "the rack's tip passes the centre and leaves loose pieces";
    case OutlineStatus::Severed:
        return std::string(what) + "neighbouring cuts meet below the tips and the teeth fall off";
    case OutlineStatus::Whole:
        break;
    }
    return what;
}

// The exact outline of gear 1 or 2 of the pair (gear 1 shift, gear 2
// -shift), placed as in the first mesh frame (gear 1 turned by 2 pi / z1,
// gear 2 by pi - 2 pi / z2 about their centres), in millimetres, counter-
// clockwise. False, with a one-line reason in error, where the rack leaves
// no gear standing.
bool exactPlacedGearPath(int gear, int z1, int z2, double shift, double module, double tolerance,
                         GearPath& path, std::string& error) {
    const bool first = gear == 1;
    const int teeth = first ? z1 : z2;
    const ExactGear g = exactGear(teeth, first ? shift : -shift);
    // An accepted tolerance may lie a few units in the last place outside
    // the bounds once divided by the module.
    const ExactOutline outline =
        exactOutline(g, std::clamp(tolerance / module, EXACT_MIN_TOLERANCE, EXACT_MAX_TOLERANCE));
    if (outline.status != OutlineStatus::Whole) {
        error = refusal(gear, g, outline.status);
        return false;
    }
    // The simulator's first mesh frame: gear 1 one angular pitch on, gear 2
    // half a turn round and turned back with it.
    const double theta1 = 2 * PI / z1;
    const double turn = first ? theta1 : PI - static_cast<double>(z1) / z2 * theta1;
    const double centreY = first ? -z1 / 2.0 : z2 / 2.0;
    const double c = std::cos(turn);
    const double s = std::sin(turn);
    path.gear = gear;
    path.teeth = teeth;
    path.centre = {0.0, centreY * module};
    path.closedBySegment = false;
    path.points.clear();
    path.points.reserve(outline.points.size());
    for (const Point2& p : outline.points) {
        path.points.push_back(
            {(p.x * c - p.y * s) * module, (p.x * s + p.y * c + centreY) * module});
    }
    return true;
}

}  // namespace

double defaultExactTolerance(double module) {
    return std::clamp(0.001, 1e-6 * module, 1e-3 * module);
}

bool exactToleranceAccepted(double tolerance, double module) {
    // Both figures are typed in decimal: 0.07 mm at module 0.7 is 0.1 module
    // although 0.07 / 0.7 rounds above 0.1. Each bound times the module,
    // widened by a few units in the last place, takes the rounding of the
    // typed figures and of the product.
    const double slack = 4 * std::numeric_limits<double>::epsilon();
    return tolerance >= EXACT_MIN_TOLERANCE * module * (1 - slack) &&
           tolerance <= EXACT_MAX_TOLERANCE * module * (1 + slack);
}

bool exactOutlineDrawing(int z1, int z2, double shift, double module, double tolerance, bool gear1,
                         bool gear2, OutlineDrawing& drawing, std::string& error) {
    drawing = OutlineDrawing{z1, z2, module, shift, {}};
    drawing.geometry = "exact, chords within " + exactNumber(tolerance) + " mm";
    const bool wanted[2] = {gear1, gear2};
    for (int which = 1; which <= 2; ++which) {
        if (!wanted[which - 1]) {
            continue;
        }
        GearPath path;
        if (!exactPlacedGearPath(which, z1, z2, shift, module, tolerance, path, error)) {
            return false;
        }
        drawing.gears.push_back(path);
    }
    return true;
}

}  // namespace gearmesh
