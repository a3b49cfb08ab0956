#pragma once

#include "geometry/point2.h"

namespace gearmesh {

// Joins fillet A[0..nA] and flank B[0..nB] into profile P at their first
// crossing, or else at their closest pair of samples; writes the junction's
// distance from the origin to junctionRadius and returns the last index of P
// (at most nA + nB + 1). P starts with A[0] and ends with B[nB]; a profile
// longer than CURVE_CAPACITY points is cut at P[CURVE_CAPACITY - 1].
int joinFlankAndFillet(int nA, const Point2* A, int nB, const Point2* B, Point2* P,
                       double& junctionRadius);

}  // namespace gearmesh
