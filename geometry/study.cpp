#include "geometry/study.h"

#include <cmath>

namespace gearmesh {

PairStudy studyOf(const ExactPair& exact) {
    PairStudy s{};
    if (!(exact.pathOfContact > 0.0)) {
        return s;
    }
    s.hasPath = true;
    s.pathFrom = -exact.pathEnd2;
    s.pathTo = exact.pathEnd1;
    s.contactRatio = exact.contactRatio;
    // A contact at u has a neighbour at u + pb or u - pb on the path unless
    // it stands within one base pitch of both ends.
    const double from = std::fmax(s.pathFrom, s.pathTo - exact.basePitch);
    const double to = std::fmin(s.pathTo, s.pathFrom + exact.basePitch);
    s.hasSinglePairZone = from < to;
    s.singleFrom = s.hasSinglePairZone ? from : 0.0;
    s.singleTo = s.hasSinglePairZone ? to : 0.0;
    // The interference points stand r sin(alpha) from the pitch point.
    const double sinAlpha = std::sin(EXACT_PRESSURE_ANGLE);
    s.pitchCurvature1 = exact.gear1.pitchRadius * sinAlpha;
    s.pitchCurvature2 = exact.gear2.pitchRadius * sinAlpha;
    s.z1 = exact.gear1.teeth;
    s.z2 = exact.gear2.teeth;
    return s;
}

double specificSliding1(const PairStudy& s, double u) {
    const double rho1 = s.pitchCurvature1 - u;
    const double rho2 = s.pitchCurvature2 + u;
    return 1.0 - (s.z1 * rho2) / (s.z2 * rho1);
}

double specificSliding2(const PairStudy& s, double u) {
    const double rho1 = s.pitchCurvature1 - u;
    const double rho2 = s.pitchCurvature2 + u;
    return 1.0 - (s.z2 * rho1) / (s.z1 * rho2);
}

int contactsOnPath(const PairStudy& study, const GearPair& pair, double theta1, double* positions) {
    if (!study.hasPath) {
        return 0;
    }
    // The frame's contacts stand baseRadius1 * theta1 from the pitch point
    // towards gear 2's side, and whole base pitches on from there.
    const double pitch = pair.basePitch;
    const double u0 = -(pair.gears[0].baseRadius * theta1);
    const double low = study.pathFrom - PATH_END_SLACK;
    const double high = study.pathTo + PATH_END_SLACK;
    const double first = std::ceil((low - u0) / pitch);
    int n = 0;
    for (double k = first; n < STUDY_CONTACT_CAPACITY; k += 1.0) {
        const double u = u0 + k * pitch;
        if (u > high) {
            break;
        }
        if (u >= low) {
            positions[n] = u;
            ++n;
        }
    }
    return n;
}

}  // namespace gearmesh
