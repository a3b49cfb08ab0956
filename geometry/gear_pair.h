#pragma once

#include "geometry/point2.h"

namespace gearmesh {

// Which of the three candidates ends one side of the path of contact, in the
// order of the window's marker table: on a tie the earliest one ends it.
enum class ContactEnd {
    UNDERCUT,      // the gear's own undercut point
    TIP_CONTACT,   // the mating gear's tip circle
    INTERFERENCE,  // the gear's own interference point
};

// The record of a gear pair. Pitch point at the origin, x to the right, y
// upwards; gear 1 (drive) below, gear 2 (driven) above. Lengths in modules,
// angles in radians. Side 1 of the path of contact is N1's side, which gear
// 1's undercut and interference points and gear 2's tip circle bound; side 2
// the other. What one gear reads of it comes through gearOf.
struct GearPair {
    int z1;
    int z2;
    double gearRatio;
    double pressureAngle;
    double tanAlpha;
    double invAlpha;
    double cosAlpha;
    double sinAlpha;
    double shift1, shift2;
    double addendum1, addendum2;
    double dedendum1, dedendum2;
    double pitchRadius1, pitchRadius2;
    double baseRadius1, baseRadius2;
    double tipRadius1, tipRadius2;
    double basePitch;
    double basePitchAngle1;
    Point2 pitchPoint;
    Point2 center1;
    Point2 center2;
    Point2 interferencePoint1, interferencePoint2;
    double interferenceDist1, interferenceDist2;
    Point2 tipContactPoint1, tipContactPoint2;
    double tipContactDist1, tipContactDist2;
    Point2 toothOutline1[CURVE_CAPACITY];
    Point2 toothOutline2[CURVE_CAPACITY];
    int toothOutlineLast1, toothOutlineLast2;
    double undercutRadius1, undercutRadius2;
    Point2 undercutPoint1, undercutPoint2;
    double undercutDist1, undercutDist2;
    double contactLimit1;
    double contactLimit2;
    // Not published by the report's JSON.
    double rootRadius1, rootRadius2;
    double toothAngle1, toothAngle2;  // tooth thickness at the pitch circle, radians of turn
    ContactEnd contactEnd1, contactEnd2;
};

// One gear of a pair, as everything that draws or reports one gear reads it.
// The outline points into the pair it was taken from.
struct GearView {
    int gear;  // 1 or 2
    int teeth;
    double shift;
    double pitchRadius;
    double baseRadius;
    double tipRadius;
    double rootRadius;
    double toothAngle;
    Point2 centre;
    const Point2* toothOutline;  // one angular pitch in the gear frame
    int toothOutlineLast;
    double undercutRadius;
    Point2 undercutPoint;
    double undercutDist;
    Point2 interferencePoint;
    double interferenceDist;
    // Where this gear's tip circle meets the line of action (the mate's side).
    Point2 tipContactPoint;
    double tipContactDist;
    // This gear's side of the path of contact: its length, what ends it and where.
    double contactLimit;
    ContactEnd contactEnd;
    Point2 contactEndPoint;
};

// Gear 2 of pair for gear == 2, gear 1 for any other value. The one place
// that tells the two gears' fields apart.
GearView gearOf(const GearPair& pair, int gear);

// Lowest and highest tooth count the program accepts. Above 149 the sampled
// flank-fillet junction drifts far from the true one and cuts the path of
// contact short.
constexpr int MIN_TEETH = 1;
constexpr int MAX_TEETH = 149;

// The candidate that ends one side of the path of contact: the nearest to
// the pitch point of the side's undercut point, the mating tip-contact point
// and the interference point (distances in modules); on a tie the earlier
// of the three in that order.
ContactEnd contactEndOf(double undercutDist, double tipContactDist, double interferenceDist);

// Whichever of the three candidates of one side end names (points, distances, words).
template <typename T>
const T& byContactEnd(ContactEnd end, const T& undercut, const T& tipContact,
                      const T& interference) {
    switch (end) {
    case ContactEnd::UNDERCUT:
        return undercut;
    case ContactEnd::TIP_CONTACT:
        return tipContact;
    case ContactEnd::INTERFERENCE:
        break;
    }
    return interference;
}

// Fills every field of pair for tooth counts z1, z2 (each within
// MIN_TEETH..MAX_TEETH) with shift1 = shift and shift2 = -shift; builds both
// tooth outlines, the undercut points, the ends of the path of contact and
// what ends them.
void computeGearPair(GearPair& pair, int z1, int z2, double shift = 0.0);

}  // namespace gearmesh
