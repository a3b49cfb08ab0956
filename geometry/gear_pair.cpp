#include "geometry/gear_pair.h"

#include <cmath>

#include "geometry/tooth_outline.h"

namespace gearmesh {

namespace {

// Gear 1 stands below the pitch point, gear 2 above it, turned half a turn.
constexpr double GEAR1_SIDE = 1.0;
constexpr double GEAR2_SIDE = -1.0;

double lengthOf(const Point2& p) {
    return std::sqrt(p.x * p.x + p.y * p.y);
}

// The point (x, y) from the centre of a gear drawn as gear 1 stands (centre
// below the pitch point), placed where the gear of side stands in the pair.
Point2 placed(double side, double x, double y, double pitchRadius) {
    // side * y - side * R rather than side * (y - R): gear 2's points keep
    // the bits of R - y, the sign of a zero included.
    return {side * x, side * y - side * pitchRadius};
}

// Where the circle of radius flankStartRadius about the gear's centre meets
// the line of action on the gear's own side. At or below the base radius the
// flank is whole and the interference point stands in; at or above the
// pitch radius the circle would meet the line beyond the pitch point, so the
// pitch point itself stands in (the two formulas agree at both limits).
Point2 flankStartPointOf(const GearPair& pair, const Gear& gear, double side) {
    const double r = gear.flankStartRadius;
    if (!(r > gear.baseRadius)) {
        return gear.interferencePoint;
    }
    if (r >= gear.pitchRadius) {
        return pair.pitchPoint;
    }
    const double phi = pair.pressureAngle - std::acos(pair.cosAlpha * gear.pitchRadius / r);
    return placed(side, r * std::sin(phi), r * std::cos(phi), gear.pitchRadius);
}

// The width of a tooth at the pitch circle, as an angle of turn: half the
// angular pitch, widened by a positive profile shift.
double toothAngleOf(double pitchRadius, double shift, double tanAlpha) {
    return (PI / 2 + 2 * shift * tanAlpha) / pitchRadius;
}

ToothCut toothCutOf(const GearPair& pair, const Gear& gear) {
    return ToothCut{gear.pitchRadius, gear.baseRadius,    gear.tipRadius, gear.rootRadius,
                    gear.toothAngle,  pair.pressureAngle, pair.invAlpha};
}

// Everything of one gear of teeth and shift on side, from the pair's
// pressure angle and pitch point.
void computeGear(const GearPair& pair, Gear& gear, int teeth, double shift, double side) {
    gear.teeth = teeth;
    gear.shift = shift;
    gear.pitchRadius = teeth / 2.0;
    gear.baseRadius = gear.pitchRadius * pair.cosAlpha;
    gear.centre = {0.0, -side * gear.pitchRadius};

    gear.interferencePoint = placed(side, gear.baseRadius * pair.sinAlpha,
                                    gear.baseRadius * pair.cosAlpha, gear.pitchRadius);
    gear.interferenceDist = lengthOf(gear.interferencePoint);

    gear.dedendum = 1.25 - shift;
    gear.addendum = 1.0 + shift;
    gear.tipRadius = gear.pitchRadius + gear.addendum;
    gear.rootRadius = gear.pitchRadius - gear.dedendum;
    gear.toothAngle = toothAngleOf(gear.pitchRadius, shift, pair.tanAlpha);

    // psi: angle at the centre from the line towards the pitch point to where
    // the tip circle meets the line of action (on the mate's side).
    const double psi =
        PI / 2 - pair.pressureAngle - std::asin(pair.cosAlpha * gear.pitchRadius / gear.tipRadius);
    gear.tipContactPoint = placed(side, -(gear.tipRadius * std::sin(psi)),
                                  gear.tipRadius * std::cos(psi), gear.pitchRadius);
    gear.tipContactDist = lengthOf(gear.tipContactPoint);

    gear.toothOutlineLast =
        buildToothOutline(toothCutOf(pair, gear), gear.toothOutline, gear.flankStartRadius);
    gear.flankStartPoint = flankStartPointOf(pair, gear, side);
    gear.flankStartDist = lengthOf(gear.flankStartPoint);
}

}  // namespace

ContactEnd contactEndOf(double flankStartDist, double tipContactDist, double interferenceDist) {
    if (flankStartDist <= interferenceDist && flankStartDist <= tipContactDist) {
        return ContactEnd::FLANK_START;
    }
    if (tipContactDist <= flankStartDist && tipContactDist <= interferenceDist) {
        return ContactEnd::TIP_CONTACT;
    }
    return ContactEnd::INTERFERENCE;
}

void findContactEnds(GearPair& pair) {
    for (int k = 0; k < GEAR_COUNT; ++k) {
        Gear& gear = pair.gears[k];
        // Each side is bounded by the mate's tip circle.
        const Gear& mate = pair.gears[GEAR_COUNT - 1 - k];
        gear.contactEnd =
            contactEndOf(gear.flankStartDist, mate.tipContactDist, gear.interferenceDist);
        gear.contactLimit = byContactEnd(gear.contactEnd, gear.flankStartDist, mate.tipContactDist,
                                         gear.interferenceDist);
        gear.contactEndPoint = byContactEnd(gear.contactEnd, gear.flankStartPoint,
                                            mate.tipContactPoint, gear.interferencePoint);
    }
}

void computeGearPair(GearPair& pair, int z1, int z2, double shift) {
    pair.gearRatio = static_cast<double>(z1) / static_cast<double>(z2);

    const double alpha = PI / 9;
    pair.pressureAngle = alpha;
    pair.tanAlpha = std::tan(alpha);
    pair.invAlpha = pair.tanAlpha - alpha;
    pair.cosAlpha = std::cos(alpha);
    pair.sinAlpha = std::sin(alpha);
    pair.pitchPoint = {0.0, 0.0};

    computeGear(pair, pair.gears[0], z1, shift, GEAR1_SIDE);
    computeGear(pair, pair.gears[1], z2, -shift, GEAR2_SIDE);

    pair.basePitch = PI * pair.cosAlpha;
    pair.basePitchAngle1 = pair.basePitch / pair.gears[0].baseRadius;

    findContactEnds(pair);
}

}  // namespace gearmesh
