#pragma once

#include <string>

#include "geometry/exact_gear.h"
#include "geometry/gear_pair.h"

namespace gearmesh {

// The "exact geometry" part of the readable report: per gear the junction,
// form or undercut radius, true undercut and the smallest count without it,
// pointed teeth; for the pair the exact path of contact and contact ratio.
// With sampled (the simulator's pair, counts up to 149) one short line
// follows wherever the simulator's junction or path end differs from the
// exact one by more than 0.001 module. Lengths in modules.
std::string exactReportText(const ExactPair& exact, const GearPair* sampled);

// The report for counts above 149: a heading, a line saying that the
// simulator's sampled geometry stops at 149 teeth, then the exact part.
std::string exactOnlyReportText(const ExactPair& exact);

// The report's JSON object (one line, ending in "}\n") with the member
// "exact" added at its end; every existing member keeps its bytes.
std::string withExactMember(const std::string& json, const ExactPair& exact);

// The JSON object for counts above 149: z1, z2, shift1, shift2, module and
// "exact" only.
std::string exactOnlyReportJson(const ExactPair& exact);

}  // namespace gearmesh
