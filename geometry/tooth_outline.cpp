#include "geometry/tooth_outline.h"

#include <cmath>

#include "geometry/curves.h"
#include "geometry/junction.h"

namespace gearmesh {

namespace {

// Longest profile whose outline (2n + 21 points) still fits the outline's room.
constexpr int MAX_PROFILE_LAST = (CURVE_CAPACITY - 1 - 2 * ARC_SEGMENTS) / 2;

}  // namespace

int buildToothOutline(const ToothCut& cut, Point2* outline, double& flankStartRadius) {
    // The working curves of this one tooth, so that outlines can be built
    // side by side from several threads.
    Point2 flankCurve[CURVE_CAPACITY];
    Point2 filletCurve[CURVE_CAPACITY];
    Point2 toothProfile[CURVE_CAPACITY];
    Point2 mirroredProfile[CURVE_CAPACITY];

    const double R = cut.pitchRadius;
    const double ra = cut.tipRadius;
    const double rf = cut.rootRadius;
    const double toothAngle = cut.toothAngle;
    const double spaceAngle = PI / R - toothAngle;

    const int nF = involuteCurve(cut.baseRadius, ra, cut.pressureAngle, cut.invAlpha, flankCurve);
    const int nT = trochoidCurve(R, rf, cut.pressureAngle, filletCurve);
    double junctionRadius = 0.0;
    int n = joinFlankAndFillet(nT, filletCurve, nF, flankCurve, toothProfile, junctionRadius);
    flankStartRadius = junctionRadius;
    // Standard gears stay far below this (a 2-tooth gear has n = 143); the
    // cut only keeps a degenerate profile inside the outline's room.
    if (n > MAX_PROFILE_LAST) {
        n = MAX_PROFILE_LAST;
    }
    const Point2* P = toothProfile;

    // The other flank of the same tooth: reflection about the centre line
    // at toothAngle / 2, a point at polar angle th going to toothAngle - th.
    const double psi = toothAngle;
    for (int i = 0; i <= n; ++i) {
        mirroredProfile[i] = {-P[i].x * std::cos(psi) + P[i].y * std::sin(psi),
                              P[i].x * std::sin(psi) + P[i].y * std::cos(psi)};
    }

    // Root arc across the tooth space, from the neighbouring tooth's mirrored
    // fillet foot up to one step short of P[0].
    const double filletStartAngle = std::atan2(-P[0].x, P[0].y);
    const double rootStep = (spaceAngle - 2 * filletStartAngle) / ARC_SEGMENTS;
    for (int i = 0; i < ARC_SEGMENTS; ++i) {
        const double phi = (spaceAngle - filletStartAngle) - i * rootStep;
        outline[i] = {-rf * std::sin(phi), rf * std::cos(phi)};
    }

    for (int i = 0; i <= n; ++i) {
        outline[ARC_SEGMENTS + i] = P[i];
    }

    // Tip arc from the flank's tip point (overwriting P[n] with the same
    // point) to one step short of the mirrored tip point. On a pointed tooth
    // the step is negative and the arc runs backwards.
    const double flankTipAngle = std::atan2(P[n].x, P[n].y);
    const double tipStep = (toothAngle - 2 * flankTipAngle) / ARC_SEGMENTS;
    for (int i = 0; i < ARC_SEGMENTS; ++i) {
        const double phi = flankTipAngle + i * tipStep;
        outline[ARC_SEGMENTS + n + i] = {ra * std::sin(phi), ra * std::cos(phi)};
    }

    for (int i = 0; i <= n; ++i) {
        outline[n + 2 * ARC_SEGMENTS + i] = mirroredProfile[n - i];
    }
    return 2 * n + 2 * ARC_SEGMENTS;
}

}  // namespace gearmesh
