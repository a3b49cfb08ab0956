#pragma once

#include <string>
#include <vector>

#include "geometry/study.h"

namespace gearmesh {

// Frames of the mesh view the report counts pairs in: one tooth pitch.
constexpr int STUDY_STEPS = 40;

// Pairs in contact on the exact path in the frames that gearpair view
// --mode 3 --steps k draws, k = 0 to STUDY_STEPS - 1, for counts z1, z2
// (1 to 149) at shift, replayed through the simulator's core.
std::vector<int> pairsInContactOverOnePitch(int z1, int z2, double shift);

// The study part of the readable report: the exact path of contact, the
// single-pair zone, the pairs in contact step by step (when pairs is not
// null), the specific sliding of both gears at the ends of the path and the
// exact contact ratio. Lengths in modules.
std::string studyReportText(const PairStudy& study, const std::vector<int>* pairs);

// The report's JSON object (one line, ending in "}\n") with the member
// "study" added at its end; every existing member keeps its bytes. Where
// the path has no length every value is null; "pairsInContact" is left out
// when pairs is null.
std::string withStudyMember(const std::string& json, const PairStudy& study,
                            const std::vector<int>* pairs);

}  // namespace gearmesh
