#pragma once

#include "geometry/point2.h"

namespace gearmesh {

// The exact geometry of a gear cut by the generating rack (pressure angle 20
// degrees, addendum 1 + x, dedendum 1.25 - x, straight flanks, a sharp tip
// corner, rolling on the pitch circle), next to the simulator's sampled one.
// Gear frame as the sampled tooth outline uses it: a point at radius r and
// polar angle th (from +y towards +x) is (r sin th, r cos th); the tooth of
// index 0 spans th = 0 .. toothAngle on the pitch circle and the tooth space
// below it is centred on th = -spaceAngle / 2. Lengths in modules, angles in
// radians.

// The exact model's pressure angle, 20 degrees, in radians.
constexpr double EXACT_PRESSURE_ANGLE = FULL_PI / 9;

// Tooth counts and shifts the exact model accepts.
constexpr int EXACT_MIN_TEETH = 1;
constexpr int EXACT_MAX_TEETH = 1000;
constexpr double EXACT_MAX_SHIFT = 1.0;

// The precision to which every junction and crossing radius is solved.
constexpr double EXACT_ROOT_PRECISION = 1e-12;

// One gear of the pair, computed once by exactGear.
struct ExactGear {
    int teeth;
    double shift;
    double pitchRadius;
    double baseRadius;
    double tipRadius;
    // Radius reached by the rack's tip line: pitch radius - (1.25 - shift).
    // Negative when the rack's tip passes beyond the centre (tiny gears).
    double rootRadius;
    double toothAngle;   // tooth thickness on the pitch circle, as an angle
    double spaceCentre;  // polar angle of the middle of tooth space 0: -spaceAngle / 2
    // Half the rack tooth's thickness on the pitch circle, and the distance of
    // its tip corner from the tooth's centre line (same on every count).
    double rackHalfThickness;
    double cornerOffset;
    // The rack's tip corner cuts into the involute (true undercut): the rack
    // reaches deeper than the interference point, dedendum > r sin^2(alpha).
    bool undercut;
    // Where the fillet (the corner's path) meets the involute: the crossing
    // of the two curves when undercut, else the form circle, where the corner
    // generates the involute's first point and the two curves touch.
    double junctionRadius;
    double junctionRoll;    // involute roll parameter at the junction
    double junctionCorner;  // corner path parameter (rack roll, radians) at the junction
    // Top of the involute that the corner removes (from the base circle up):
    // junctionRadius when undercut, else baseRadius (nothing removed).
    double removedUpTo;
    // The two involute flanks of a tooth cross below the tip circle.
    bool pointed;
    double pointRadius;     // radius of that crossing (tipRadius when not pointed)
    double flankTopRadius;  // where the involute ends: min(tip, point radius)
    // Some involute survives between the junction and the flank top.
    bool hasInvolute;
};

// The exact gear for teeth (EXACT_MIN_TEETH..EXACT_MAX_TEETH) and shift
// (-1..1). Radii are solved to EXACT_ROOT_PRECISION; a junction that lies
// above the tip circle is still reported (hasInvolute false).
ExactGear exactGear(int teeth, double shift);

// The smallest tooth count that the rack cuts without undercut at this
// shift: the least z with z / 2 sin^2(alpha) >= 1.25 - shift.
int smallestCountWithoutUndercut(double shift);

// Point of the flank of tooth 0 facing tooth space 0 (its left flank in the
// gear frame) at involute roll parameter roll >= 0: radius baseRadius *
// sqrt(1 + roll^2). Gear frame, modules.
Point2 exactInvolutePoint(const ExactGear& gear, double roll);

// Polar angle of that flank at radius r >= baseRadius (gear frame).
double exactInvoluteAngle(const ExactGear& gear, double r);

// Where the rack's tip corner on tooth 0's side of space 0 stands when the
// rack has rolled by turn (radians of gear turn); turn = cornerOffset /
// pitchRadius puts it at the bottom of the space, smaller turns carry it
// outwards past the junction. Gear frame, modules.
Point2 exactCornerPoint(const ExactGear& gear, double turn);

// Radius and unwrapped polar angle of the corner path at radius r >=
// |rootRadius|, on the branch that leads from the bottom of the space to
// the junction (gear frame).
double exactCornerAngle(const ExactGear& gear, double r);

// What ends one side of the usable path of contact.
enum class ExactContactEnd {
    MateTip,        // the mating gear's tip circle
    MatePoint,      // the mating gear's pointed tooth tip
    OwnFormCircle,  // the start of this gear's involute, where the corner generated it
    OwnUndercut,    // the start of this gear's involute, where the corner cut it away
};

// A short English name for a contact end ("mate's tip circle", ...).
const char* contactEndName(ExactContactEnd end);

// The exact pair: gear 1 gets +shift, gear 2 -shift, standard centre
// distance. Pitch point at the origin, gear 1 below, as in GearPair.
struct ExactPair {
    ExactGear gear1, gear2;
    double basePitch;
    // Where each gear's involute starts on the line of action (N1's side for
    // gear 1, N2's for gear 2), and its signed distance from the pitch point
    // towards that side (negative beyond the pitch point).
    Point2 undercutPoint1, undercutPoint2;
    double undercutDist1, undercutDist2;
    // Where each gear's flank top meets the line of action (gear 2's on
    // N1's side, gear 1's on N2's side), signed distance likewise.
    double tipContactDist1, tipContactDist2;
    // The usable path of contact: signed distances of its ends from the
    // pitch point towards N1 and towards N2, what ends each, and its length
    // (zero when the two flanks never meet).
    double pathEnd1, pathEnd2;
    ExactContactEnd end1, end2;
    double pathOfContact;
    // Usable contact ratio: pathOfContact / basePitch.
    double contactRatio;
};

// The exact pair for counts z1, z2 (each EXACT_MIN_TEETH..EXACT_MAX_TEETH)
// and shift (-1..1).
ExactPair exactPair(int z1, int z2, double shift);

}  // namespace gearmesh
