#pragma once

#include <vector>

#include "geometry/exact_gear.h"
#include "geometry/point2.h"

namespace gearmesh {

// Whether the rack leaves a gear standing.
enum class OutlineStatus {
    Whole,    // one piece holding every tooth
    Nothing,  // the rack cuts the whole blank away
    Pieces,   // what is left falls apart into pieces around a cut-away centre
    Severed,  // the cuts of neighbouring spaces meet below the tips: the teeth fall away
};

// The exact outline of one whole gear: the blank (tip circle) minus every
// position of the rack, each tooth space cut by the same swept region.
struct ExactOutline {
    OutlineStatus status;
    // One simple closed polygon, counter-clockwise in the gear frame (y up),
    // centre at the origin, tooth 0 placed as in exact_gear.h, in modules.
    // The path closes from the last vertex to the first; no vertex repeats.
    // Empty unless status is Whole.
    std::vector<Point2> points;
    // Pieces of teeth that the cuts of neighbouring spaces part from the
    // body (status Severed).
    int severedPieces;
};

// Lower and upper bound of the chord tolerance, in modules.
constexpr double EXACT_MIN_TOLERANCE = 1e-7;
constexpr double EXACT_MAX_TOLERANCE = 0.1;

// The exact outline of the gear, every curve followed within tolerance
// (EXACT_MIN_TOLERANCE..EXACT_MAX_TOLERANCE modules): the flanks and fillets
// by chords of the exact curves, the tip and root circles by inscribed
// chords. Pointed teeth end at the crossing of their flanks; where the cuts
// of neighbouring spaces overlap the outline follows what is left standing.
ExactOutline exactOutline(const ExactGear& gear, double tolerance);

}  // namespace gearmesh
