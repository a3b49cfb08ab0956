#include "geometry/gear_pair.h"

#include <cmath>

#include "geometry/tooth_outline.h"

namespace gearmesh {

namespace {

double lengthOf(const Point2& p) {
    return std::sqrt(p.x * p.x + p.y * p.y);
}

// Where the circle of radius undercutRadius about gear 1's centre meets the
// line of action on N1's side. At or below the base radius the flank is whole
// and the interference point stands in; at or above the pitch radius the
// circle would meet the line beyond the pitch point, so the pitch point
// itself stands in (the two formulas agree at both limits).
Point2 undercutPointOfGear1(const GearPair& g, double undercutRadius) {
    if (!(undercutRadius > g.baseRadius1)) {
        return g.interferencePoint1;
    }
    if (undercutRadius >= g.pitchRadius1) {
        return g.pitchPoint;
    }
    const double phi = g.pressureAngle - std::acos(g.cosAlpha * g.pitchRadius1 / undercutRadius);
    return {undercutRadius * std::sin(phi), undercutRadius * std::cos(phi) - g.pitchRadius1};
}

// The same for gear 2, on N2's side.
Point2 undercutPointOfGear2(const GearPair& g, double undercutRadius) {
    if (!(undercutRadius > g.baseRadius2)) {
        return g.interferencePoint2;
    }
    if (undercutRadius >= g.pitchRadius2) {
        return g.pitchPoint;
    }
    const double phi = g.pressureAngle - std::acos(g.cosAlpha * g.pitchRadius2 / undercutRadius);
    return {-undercutRadius * std::sin(phi), g.pitchRadius2 - undercutRadius * std::cos(phi)};
}

// The width of a tooth at the pitch circle, as an angle of turn: half the
// angular pitch, widened by a positive profile shift.
double toothAngleOf(double pitchRadius, double shift, double tanAlpha) {
    return (PI / 2 + 2 * shift * tanAlpha) / pitchRadius;
}

ToothCut toothCutOf(const GearPair& g, double pitchRadius, double baseRadius, double tipRadius,
                    double rootRadius, double toothAngle) {
    return ToothCut{pitchRadius, baseRadius,      tipRadius, rootRadius,
                    toothAngle,  g.pressureAngle, g.invAlpha};
}

// Both tooth outlines, the undercut points and the ends of the path of contact.
void computeOutlinesAndContactLimits(GearPair& g) {
    g.toothOutlineLast1 = buildToothOutline(
        toothCutOf(g, g.pitchRadius1, g.baseRadius1, g.tipRadius1, g.rootRadius1, g.toothAngle1),
        g.toothOutline1, g.undercutRadius1);
    g.toothOutlineLast2 = buildToothOutline(
        toothCutOf(g, g.pitchRadius2, g.baseRadius2, g.tipRadius2, g.rootRadius2, g.toothAngle2),
        g.toothOutline2, g.undercutRadius2);

    g.undercutPoint1 = undercutPointOfGear1(g, g.undercutRadius1);
    g.undercutDist1 = lengthOf(g.undercutPoint1);
    g.undercutPoint2 = undercutPointOfGear2(g, g.undercutRadius2);
    g.undercutDist2 = lengthOf(g.undercutPoint2);

    // N1's side is bounded by gear 2's tip circle, N2's side by gear 1's.
    g.contactEnd1 = contactEndOf(g.undercutDist1, g.tipContactDist2, g.interferenceDist1);
    g.contactLimit1 =
        byContactEnd(g.contactEnd1, g.undercutDist1, g.tipContactDist2, g.interferenceDist1);
    g.contactEnd2 = contactEndOf(g.undercutDist2, g.tipContactDist1, g.interferenceDist2);
    g.contactLimit2 =
        byContactEnd(g.contactEnd2, g.undercutDist2, g.tipContactDist1, g.interferenceDist2);
}

}  // namespace

ContactEnd contactEndOf(double undercutDist, double tipContactDist, double interferenceDist) {
    if (undercutDist <= interferenceDist && undercutDist <= tipContactDist) {
        return ContactEnd::UNDERCUT;
    }
    if (tipContactDist <= undercutDist && tipContactDist <= interferenceDist) {
        return ContactEnd::TIP_CONTACT;
    }
    return ContactEnd::INTERFERENCE;
}

void computeGearPair(GearPair& g, int z1, int z2, double shift) {
    g.z1 = z1;
    g.z2 = z2;
    g.gearRatio = static_cast<double>(z1) / static_cast<double>(z2);

    const double alpha = PI / 9;
    g.pressureAngle = alpha;
    g.tanAlpha = std::tan(alpha);
    g.invAlpha = g.tanAlpha - alpha;
    g.cosAlpha = std::cos(alpha);
    g.sinAlpha = std::sin(alpha);

    g.pitchRadius1 = z1 / 2.0;
    g.baseRadius1 = g.pitchRadius1 * g.cosAlpha;
    g.pitchRadius2 = z2 / 2.0;
    g.baseRadius2 = g.pitchRadius2 * g.cosAlpha;

    g.basePitch = PI * g.cosAlpha;
    g.basePitchAngle1 = g.basePitch / g.baseRadius1;

    g.center1 = {0.0, -g.pitchRadius1};
    g.center2 = {0.0, g.pitchRadius2};

    g.interferencePoint1 = {g.baseRadius1 * g.sinAlpha,
                            g.baseRadius1 * g.cosAlpha - g.pitchRadius1};
    g.interferenceDist1 = lengthOf(g.interferencePoint1);
    g.interferencePoint2 = {-g.baseRadius2 * g.sinAlpha,
                            g.pitchRadius2 - g.baseRadius2 * g.cosAlpha};
    g.interferenceDist2 = lengthOf(g.interferencePoint2);

    g.pitchPoint = {0.0, 0.0};

    g.shift1 = shift;
    g.shift2 = -shift;

    g.dedendum1 = 1.25 - g.shift1;
    g.addendum1 = 1.0 + g.shift1;
    g.dedendum2 = 1.25 - g.shift2;
    g.addendum2 = 1.0 + g.shift2;
    g.tipRadius1 = g.pitchRadius1 + g.addendum1;
    g.tipRadius2 = g.pitchRadius2 + g.addendum2;
    g.rootRadius1 = g.pitchRadius1 - g.dedendum1;
    g.rootRadius2 = g.pitchRadius2 - g.dedendum2;
    g.toothAngle1 = toothAngleOf(g.pitchRadius1, g.shift1, g.tanAlpha);
    g.toothAngle2 = toothAngleOf(g.pitchRadius2, g.shift2, g.tanAlpha);

    // psi2: angle at gear 2's centre from the downward vertical to where its
    // tip circle meets the line of action (N1's side).
    const double psi2 = PI / 2 - alpha - std::asin(g.cosAlpha * g.pitchRadius2 / g.tipRadius2);
    g.tipContactPoint2 = {g.tipRadius2 * std::sin(psi2),
                          g.pitchRadius2 - g.tipRadius2 * std::cos(psi2)};
    g.tipContactDist2 = lengthOf(g.tipContactPoint2);

    const double psi1 = PI / 2 - alpha - std::asin(g.cosAlpha * g.pitchRadius1 / g.tipRadius1);
    g.tipContactPoint1 = {-g.tipRadius1 * std::sin(psi1),
                          g.tipRadius1 * std::cos(psi1) - g.pitchRadius1};
    g.tipContactDist1 = lengthOf(g.tipContactPoint1);

    computeOutlinesAndContactLimits(g);
}

GearView gearOf(const GearPair& g, int gear) {
    if (gear == 2) {
        return GearView{2,
                        g.z2,
                        g.shift2,
                        g.pitchRadius2,
                        g.baseRadius2,
                        g.tipRadius2,
                        g.rootRadius2,
                        g.toothAngle2,
                        g.center2,
                        g.toothOutline2,
                        g.toothOutlineLast2,
                        g.undercutRadius2,
                        g.undercutPoint2,
                        g.undercutDist2,
                        g.interferencePoint2,
                        g.interferenceDist2,
                        g.tipContactPoint2,
                        g.tipContactDist2,
                        g.contactLimit2,
                        g.contactEnd2,
                        byContactEnd(g.contactEnd2, g.undercutPoint2, g.tipContactPoint1,
                                     g.interferencePoint2)};
    }
    return GearView{
        1,
        g.z1,
        g.shift1,
        g.pitchRadius1,
        g.baseRadius1,
        g.tipRadius1,
        g.rootRadius1,
        g.toothAngle1,
        g.center1,
        g.toothOutline1,
        g.toothOutlineLast1,
        g.undercutRadius1,
        g.undercutPoint1,
        g.undercutDist1,
        g.interferencePoint1,
        g.interferenceDist1,
        g.tipContactPoint1,
        g.tipContactDist1,
        g.contactLimit1,
        g.contactEnd1,
        byContactEnd(g.contactEnd1, g.undercutPoint1, g.tipContactPoint2, g.interferencePoint1)};
}

}  // namespace gearmesh
