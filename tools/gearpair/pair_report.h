#pragma once

#include <string>

#include "geometry/gear_pair.h"
#include "scene/view_state.h"

namespace gearmesh {

// Figures of the pair that its record does not hold.
struct PairSummary {
    // The sampled flank starts above the base circle (published as
    // "undercut1" and "undercut2", though the gear need not be undercut).
    bool flankAboveBase1, flankAboveBase2;
    // The two flanks of a tooth meet below the tip circle.
    bool pointed1, pointed2;
    // contactLimit1 + contactLimit2, in modules.
    double pathOfContact;
    // Usable: the path of contact over the base pitch.
    double contactRatio;
    // Of the tip circles alone, ignoring interference and the flank starts.
    double contactRatioTheoretical;
};

// Whether gear has pointed teeth: twice the polar angle of the flank's tip
// point (outline point n + 10) exceeds the tooth angle; false for an outline
// too short to hold a flank.
bool toothIsPointed(const Gear& gear);

// Summarises pair.
PairSummary summarizeGearPair(const GearPair& pair);

// The readable report: an aligned table of both gears, the points on the line
// of action and the path of contact, lengths in modules.
std::string plainReport(const GearPair& pair, const PairSummary& summary);

// One JSON object: the published fields of pair in the first release's
// order and names (README, "gearpair"), gear 1's field before gear 2's
// ("addendum1", "addendum2"; flankStartRadius as "undercutRadius1", centre
// as "center1"; points as [x, y], outlines as arrays of points 0 to their
// last index), then contactRatio, contactRatioTheoretical, undercut1,
// undercut2 (the sampled flank above the base circle), and view's viewScale
// and angleStep. Fields added to the record after the first release (root
// radius, tooth angle, contact ends) are not published. Doubles are written
// so that they read back to the same bits.
std::string jsonReport(const GearPair& pair, const ViewState& view, const PairSummary& summary);

}  // namespace gearmesh
