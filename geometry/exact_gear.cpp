#include "geometry/exact_gear.h"

#include <cmath>

namespace gearmesh {

namespace {

// Steps of the scan that brackets the undercut crossing before bisection.
constexpr int JUNCTION_SCAN_STEPS = 256;

double involuteFunction(double angle) {
    return std::tan(angle) - angle;
}

// Bisection of an increasing-through-zero bracket [lo, hi] of f (f(lo) and
// f(hi) of opposite signs) down to EXACT_ROOT_PRECISION, or until the
// doubles run out.
template <typename F>
double bisect(F f, double lo, double hi) {
    const double signLo = f(lo) > 0 ? 1.0 : -1.0;
    while (hi - lo > EXACT_ROOT_PRECISION * 0.01) {
        const double mid = 0.5 * (lo + hi);
        if (mid <= lo || mid >= hi) {
            break;
        }
        if ((f(mid) > 0 ? 1.0 : -1.0) == signLo) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

// Corner path angle minus involute angle at radius r: positive where the
// corner reaches further into the tooth than the involute.
double cornerAhead(const ExactGear& g, double r) {
    return exactCornerAngle(g, r) - exactInvoluteAngle(g, r);
}

// The crossing of the corner path and the involute of an undercut gear: the
// outermost sign change of cornerAhead, scanned from the base circle (or the
// bottom of the corner path) and refined by bisection. Past the tip circle
// without a crossing, the whole involute is cut away: returns the scan's end.
double undercutCrossing(const ExactGear& g) {
    const double start = std::fmax(g.baseRadius, std::fabs(g.rootRadius));
    const double end = 2.0 * g.tipRadius + 2.0;
    const double step = (end - start) / JUNCTION_SCAN_STEPS;
    double crossing = end;
    double previous = cornerAhead(g, start);
    for (int i = 1; i <= JUNCTION_SCAN_STEPS; ++i) {
        const double r = start + i * step;
        const double value = cornerAhead(g, r);
        if (previous > 0 && !(value > 0)) {
            crossing = bisect([&g](double x) { return cornerAhead(g, x); }, r - step, r);
        }
        previous = value;
    }
    return crossing;
}

// Roll parameter at which the involute reaches polar angle angle (gear frame).
double involuteRollAtAngle(double angle) {
    const double offset = involuteFunction(EXACT_PRESSURE_ANGLE);
    const auto f = [offset, angle](double roll) { return roll - std::atan(roll) - offset - angle; };
    double hi = 1.0;
    while (f(hi) < 0) {
        hi *= 2;
    }
    return bisect(f, 0.0, hi);
}

double signedLineDistance(double radius, double baseRadius, double pitchRadius) {
    return std::sqrt(std::fmax(0.0, radius * radius - baseRadius * baseRadius)) -
           pitchRadius * std::sin(EXACT_PRESSURE_ANGLE);
}

}  // namespace

int smallestCountWithoutUndercut(double shift) {
    const double sinAlpha = std::sin(EXACT_PRESSURE_ANGLE);
    return static_cast<int>(std::ceil(2.0 * (1.25 - shift) / (sinAlpha * sinAlpha) - 1e-12));
}

Point2 exactInvolutePoint(const ExactGear& gear, double roll) {
    const double r = gear.baseRadius * std::sqrt(1.0 + roll * roll);
    const double th = roll - std::atan(roll) - involuteFunction(EXACT_PRESSURE_ANGLE);
    return {r * std::sin(th), r * std::cos(th)};
}

double exactInvoluteAngle(const ExactGear& gear, double r) {
    const double ratio = r / gear.baseRadius;
    const double roll = std::sqrt(std::fmax(0.0, ratio * ratio - 1.0));
    return roll - std::atan(roll) - involuteFunction(EXACT_PRESSURE_ANGLE);
}

Point2 exactCornerPoint(const ExactGear& gear, double turn) {
    // The rack's pitch line touches the pitch circle at polar angle beta; the
    // corner stands rootRadius out along the radius there and cornerOffset -
    // R turn along the tangent (towards larger th).
    const double beta = gear.spaceCentre + turn;
    const double along = gear.cornerOffset - gear.pitchRadius * turn;
    const double s = std::sin(beta);
    const double c = std::cos(beta);
    return {gear.rootRadius * s + along * c, gear.rootRadius * c - along * s};
}

double exactCornerAngle(const ExactGear& gear, double r) {
    const double along = std::sqrt(std::fmax(0.0, r * r - gear.rootRadius * gear.rootRadius));
    const double turn = (gear.cornerOffset - along) / gear.pitchRadius;
    return gear.spaceCentre + turn + std::atan2(along, gear.rootRadius);
}

ExactGear exactGear(int teeth, double shift) {
    ExactGear g{};
    const double sinAlpha = std::sin(EXACT_PRESSURE_ANGLE);
    const double cosAlpha = std::cos(EXACT_PRESSURE_ANGLE);
    const double tanAlpha = std::tan(EXACT_PRESSURE_ANGLE);
    const double dedendum = 1.25 - shift;

    g.teeth = teeth;
    g.shift = shift;
    g.pitchRadius = teeth / 2.0;
    g.baseRadius = g.pitchRadius * cosAlpha;
    g.tipRadius = g.pitchRadius + 1.0 + shift;
    g.rootRadius = g.pitchRadius - dedendum;
    g.toothAngle = (FULL_PI / 2 + 2 * shift * tanAlpha) / g.pitchRadius;
    g.spaceCentre = -(FULL_PI / g.pitchRadius - g.toothAngle) / 2;
    g.rackHalfThickness = FULL_PI / 4 - shift * tanAlpha;
    g.cornerOffset = g.rackHalfThickness - dedendum * tanAlpha;

    g.undercut = dedendum > g.pitchRadius * sinAlpha * sinAlpha;
    if (g.undercut) {
        g.junctionRadius = undercutCrossing(g);
        g.removedUpTo = g.junctionRadius;
        const double along = std::sqrt(
            std::fmax(0.0, g.junctionRadius * g.junctionRadius - g.rootRadius * g.rootRadius));
        g.junctionCorner = (g.cornerOffset - along) / g.pitchRadius;
    } else {
        // The corner stands on the line of action, dedendum / sin(alpha) from
        // the pitch point: it is the contact point there.
        const double along = dedendum * cosAlpha / sinAlpha;
        g.junctionRadius = std::sqrt(g.rootRadius * g.rootRadius + along * along);
        g.junctionCorner = (g.cornerOffset - along) / g.pitchRadius;
        g.removedUpTo = g.baseRadius;
    }
    const double ratio = g.junctionRadius / g.baseRadius;
    g.junctionRoll = std::sqrt(std::fmax(0.0, ratio * ratio - 1.0));

    const double pointRoll = involuteRollAtAngle(g.toothAngle / 2);
    const double pointRadius = g.baseRadius * std::sqrt(1.0 + pointRoll * pointRoll);
    g.pointed = pointRadius < g.tipRadius;
    g.pointRadius = g.pointed ? pointRadius : g.tipRadius;
    g.flankTopRadius = g.pointRadius;
    g.hasInvolute = g.junctionRadius < g.flankTopRadius;
    return g;
}

const char* contactEndName(ExactContactEnd end) {
    switch (end) {
    case ExactContactEnd::MateTip:
        return "mate's tip circle";
    case ExactContactEnd::MatePoint:
        return "mate's pointed tip";
    case ExactContactEnd::OwnFormCircle:
        return "own form circle";
    case ExactContactEnd::OwnUndercut:
        return "own undercut";
    }
    return "";
}

ExactPair exactPair(int z1, int z2, double shift) {
    ExactPair p{};
    p.gear1 = exactGear(z1, shift);
    p.gear2 = exactGear(z2, -shift);
    const ExactGear& g1 = p.gear1;
    const ExactGear& g2 = p.gear2;
    p.basePitch = FULL_PI * std::cos(EXACT_PRESSURE_ANGLE);

    // On the line of action a radius r of gear k lies sqrt(r^2 - rb^2) from
    // its interference point, so R sin(alpha) minus that from the pitch point.
    p.undercutDist1 = -signedLineDistance(g1.junctionRadius, g1.baseRadius, g1.pitchRadius);
    p.undercutDist2 = -signedLineDistance(g2.junctionRadius, g2.baseRadius, g2.pitchRadius);
    const double cosAlpha = std::cos(EXACT_PRESSURE_ANGLE);
    const double sinAlpha = std::sin(EXACT_PRESSURE_ANGLE);
    p.undercutPoint1 = {p.undercutDist1 * cosAlpha, -p.undercutDist1 * sinAlpha};
    p.undercutPoint2 = {-p.undercutDist2 * cosAlpha, p.undercutDist2 * sinAlpha};
    p.tipContactDist2 = signedLineDistance(g2.flankTopRadius, g2.baseRadius, g2.pitchRadius);
    p.tipContactDist1 = signedLineDistance(g1.flankTopRadius, g1.baseRadius, g1.pitchRadius);

    const ExactContactEnd own1 =
        g1.undercut ? ExactContactEnd::OwnUndercut : ExactContactEnd::OwnFormCircle;
    const ExactContactEnd own2 =
        g2.undercut ? ExactContactEnd::OwnUndercut : ExactContactEnd::OwnFormCircle;
    const ExactContactEnd mate2 =
        g2.pointed ? ExactContactEnd::MatePoint : ExactContactEnd::MateTip;
    const ExactContactEnd mate1 =
        g1.pointed ? ExactContactEnd::MatePoint : ExactContactEnd::MateTip;

    // Gear 1's involute covers the line from its flank top (N2's side) to its
    // junction (N1's side), gear 2's the other way round; the path is where
    // both are.
    p.pathEnd1 = std::fmin(p.undercutDist1, p.tipContactDist2);
    p.end1 = p.undercutDist1 < p.tipContactDist2 ? own1 : mate2;
    p.pathEnd2 = std::fmin(p.undercutDist2, p.tipContactDist1);
    p.end2 = p.undercutDist2 < p.tipContactDist1 ? own2 : mate1;
    const bool bothFlanks = g1.hasInvolute && g2.hasInvolute;
    p.pathOfContact = bothFlanks ? std::fmax(0.0, p.pathEnd1 + p.pathEnd2) : 0.0;
    p.contactRatio = p.pathOfContact / p.basePitch;
    return p;
}

}  // namespace gearmesh
