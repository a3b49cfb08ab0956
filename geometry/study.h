#pragma once

// What the study view and the report show of how a pair shares its load:
// where on the exact path of contact one pair or two carry it, how many
// pairs touch in a frame, and how fast the flanks slide. Positions on the
// line of action are signed distances u from the pitch point in modules,
// positive towards gear 1's interference point, so the exact path of
// contact runs from -pathEnd2 to +pathEnd1.

#include "geometry/exact_gear.h"
#include "geometry/gear_pair.h"

namespace gearmesh {

// A contact this close to an end of the path (modules) counts as on it.
constexpr double PATH_END_SLACK = 1e-9;
// The most contacts one frame can have on a path shorter than two base
// pitches (every pair of standard addendum), ends included.
constexpr int STUDY_CONTACT_CAPACITY = 4;

// The exact path of contact and what the study view needs to read it.
struct PairStudy {
    // False where the exact path has no length (a gear the rack cuts bare,
    // or pointed teeth that never meet): every other field is then 0.
    bool hasPath;
    double pathFrom;      // -pathEnd2
    double pathTo;        // +pathEnd1
    double contactRatio;  // exact: path length over the base pitch
    // The part of the path where no other pair touches; none (false) when
    // the contact ratio is 2 or more.
    bool hasSinglePairZone;
    double singleFrom, singleTo;
    // Radii of curvature of the flanks at the pitch point (r sin alpha) and
    // the tooth counts, which give the specific sliding.
    double pitchCurvature1, pitchCurvature2;
    int z1, z2;
};

// The study of the exact pair.
PairStudy studyOf(const ExactPair& exact);

// Specific sliding of gear 1 and of gear 2 at position u on the line of
// action: zeta1 = 1 - (z1 rho2) / (z2 rho1), zeta2 = 1 - (z2 rho1) / (z1 rho2)
// with the flanks' radii of curvature rho1 = pitchCurvature1 - u and rho2 =
// pitchCurvature2 + u. Zero at the pitch point, unbounded towards an
// interference point (infinite or NaN there).
double specificSliding1(const PairStudy& study, double u);
double specificSliding2(const PairStudy& study, double u);

// Positions u of the contacts of the mesh frame in which gear 1 of the
// sampled pair stands at theta1 (the view's wrapped angle), one base pitch
// apart, that lie on the exact path (PATH_END_SLACK included), in rising
// order, into positions (room for STUDY_CONTACT_CAPACITY); returns how many.
int contactsOnPath(const PairStudy& study, const GearPair& pair, double theta1, double* positions);

}  // namespace gearmesh
