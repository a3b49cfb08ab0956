#pragma once

#include "geometry/point2.h"

namespace gearmesh {

// Which of the three candidates ends one side of the path of contact, in the
// order of the window's marker table: on a tie the earliest one ends it.
enum class ContactEnd {
    FLANK_START,   // the gear's own sampled flank start
    TIP_CONTACT,   // the mating gear's tip circle
    INTERFERENCE,  // the gear's own interference point
};

// One gear of a pair, as computeGearPair fills it. Lengths in modules, angles
// in radians; points in the pair's frame (pitch point at the origin, x to the
// right, y upwards) but for the tooth outline, which is in the gear frame.
struct Gear {
    int teeth;
    double shift;  // profile shift, in modules
    double addendum;
    double dedendum;
    double pitchRadius;
    double baseRadius;
    double tipRadius;
    double rootRadius;
    double toothAngle;  // tooth thickness at the pitch circle, radians of turn
    Point2 centre;
    // Where the line of action touches this gear's base circle (N1 or N2).
    Point2 interferencePoint;
    double interferenceDist;
    // Where this gear's tip circle meets the line of action, on the mate's side.
    Point2 tipContactPoint;
    double tipContactDist;
    // One angular pitch of the outline in the gear frame (a point at radius
    // r and polar angle th from +y towards +x is (r sin th, r cos th)),
    // points 0 to toothOutlineLast.
    Point2 toothOutline[CURVE_CAPACITY];
    int toothOutlineLast;
    // Where the sampled flank meets the sampled fillet: its radius, and where
    // that circle meets the line of action on this gear's side, with its
    // distance from the pitch point. Above the base circle this says only
    // that the sampled flank starts there, not that the gear is undercut.
    double flankStartRadius;
    Point2 flankStartPoint;
    double flankStartDist;
    // This gear's side of the path of contact: its length, what ends it and where.
    double contactLimit;
    ContactEnd contactEnd;
    Point2 contactEndPoint;
};

// Number of gears in a pair: gears[0] is gear 1, the drive gear; gears[1]
// is gear 2, the driven one.
constexpr int GEAR_COUNT = 2;

// The record of a gear pair. Pitch point at the origin, x to the right, y
// upwards; gear 1 (drive) below, gear 2 (driven) above. Lengths in modules,
// angles in radians. Side 1 of the path of contact is N1's side, which gear
// 1's flank start and interference points and gear 2's tip circle bound;
// side 2 the other.
struct GearPair {
    Gear gears[GEAR_COUNT];
    double gearRatio;  // z1 / z2
    double pressureAngle;
    double tanAlpha;
    double invAlpha;
    double cosAlpha;
    double sinAlpha;
    double basePitch;
    double basePitchAngle1;  // the base pitch as a turn of gear 1
    Point2 pitchPoint;
};

// Lowest and highest tooth count the program accepts. Above 149 the sampled
// flank-fillet junction drifts far from the true one and cuts the path of
// contact short.
constexpr int MIN_TEETH = 1;
constexpr int MAX_TEETH = 149;

// The candidate that ends one side of the path of contact: the nearest to
// the pitch point of the side's flank start point, the mating tip-contact
// point and the interference point (distances in modules); on a tie the
// earlier of the three in that order.
ContactEnd contactEndOf(double flankStartDist, double tipContactDist, double interferenceDist);

// Whichever of the three candidates of one side end names (points, distances, words).
template <typename T>
const T& byContactEnd(ContactEnd end, const T& flankStart, const T& tipContact,
                      const T& interference) {
    switch (end) {
    case ContactEnd::FLANK_START:
        return flankStart;
    case ContactEnd::TIP_CONTACT:
        return tipContact;
    case ContactEnd::INTERFERENCE:
        break;
    }
    return interference;
}

// Fills each gear's contactEnd, contactLimit (modules) and contactEndPoint
// from its own flank start and interference points and its mate's tip
// contact, as pair already holds them; the last step of computeGearPair.
void findContactEnds(GearPair& pair);

// Fills every field of pair for tooth counts z1, z2 (each within
// MIN_TEETH..MAX_TEETH) with gear 1's shift = shift and gear 2's = -shift;
// builds both tooth outlines, the flank start points, the ends of the path
// of contact and what ends them.
void computeGearPair(GearPair& pair, int z1, int z2, double shift = 0.0);

}  // namespace gearmesh
