#pragma once

#include <string>

// Figures of the pair that the records do not hold, derived from gearPair.
struct PairSummary {
    double rootRadius1, rootRadius2;
    // The flank meets the fillet above the base circle.
    bool undercut1, undercut2;
    // The two flanks of a tooth meet below the tip circle.
    bool pointed1, pointed2;
    // contactLimit1 + contactLimit2, in modules.
    double pathOfContact;
    // Usable: the path of contact over the base pitch.
    double contactRatio;
    // Of the tip circles alone, ignoring interference and undercut.
    double contactRatioTheoretical;
};

// Whether gear 1 or 2 has pointed teeth: twice the polar angle of the flank's
// tip point (outline point n + 10) exceeds the tooth angle. Reads gearPair;
// false for an outline too short to hold a flank.
bool toothIsPointed(int gear);

// Summarises the pair that computeGearPair last built. Reads gearPair.
PairSummary summarizeGearPair();

// The readable report: an aligned table of both gears, the points on the line
// of action and the path of contact, lengths in modules. Reads gearPair.
std::string plainReport(const PairSummary& summary);

// One JSON object: every GearPair field under its own name (points as [x, y],
// outlines as arrays of points 0 to their last index), then contactRatio,
// contactRatioTheoretical, undercut1, undercut2, viewScale and angleStep.
// Doubles are written so that they read back to the same bits. Reads
// gearPair and viewState.
std::string jsonReport(const PairSummary& summary);
