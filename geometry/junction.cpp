#include "geometry/junction.h"

#include <cmath>
#include <limits>

namespace gearmesh {

namespace {

double cross(const Point2& u, const Point2& v) {
    return u.x * v.y - u.y * v.x;
}

Point2 minus(const Point2& a, const Point2& b) {
    return {a.x - b.x, a.y - b.y};
}

// Copies src[first..last] into P from index at on and returns the next free
// index; stops at the end of P's room.
int copyPoints(const Point2* src, int first, int last, Point2* P, int at) {
    for (int k = first; k <= last && at < CURVE_CAPACITY; ++k) {
        P[at++] = src[k];
    }
    return at;
}

// Finds the first fillet segment j, and within it the first flank segment i,
// that cross; false when none do.
bool findCrossing(int nA, const Point2* A, int nB, const Point2* B, int& jFound, int& iFound) {
    for (int j = 0; j < nA; ++j) {
        const Point2 dA = minus(A[j + 1], A[j]);
        for (int i = 0; i < nB; ++i) {
            const double c1 = cross(dA, minus(B[i], A[j]));
            const double c2 = cross(dA, minus(B[i + 1], A[j]));
            // A flank end point exactly on the fillet segment's line still counts...
            if (c1 * c2 > 0) {
                continue;
            }
            const Point2 dB = minus(B[i + 1], B[i]);
            const double d1 = cross(dB, minus(A[j], B[i]));
            const double d2 = cross(dB, minus(A[j + 1], B[i]));
            // ...but a fillet end point exactly on the flank segment's line does not.
            if (d1 * d2 < 0) {
                jFound = j;
                iFound = i;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int joinFlankAndFillet(int nA, const Point2* A, int nB, const Point2* B, Point2* P,
                       double& junctionRadius) {
    int j = 0;
    int i = 0;
    if (findCrossing(nA, A, nB, B, j, i)) {
        // Crossing of the two lines in parametric form, so that vertical
        // segments need no special case: A[j] + t (A[j+1] - A[j]).
        const Point2 dA = minus(A[j + 1], A[j]);
        const Point2 dB = minus(B[i + 1], B[i]);
        const double t = cross(minus(B[i], A[j]), dB) / cross(dA, dB);
        const Point2 junction = {A[j].x + t * dA.x, A[j].y + t * dA.y};

        int at = copyPoints(A, 0, j, P, 0);
        at = copyPoints(&junction, 0, 0, P, at);
        at = copyPoints(B, i + 1, nB, P, at);
        junctionRadius = std::sqrt(junction.x * junction.x + junction.y * junction.y);
        return at - 1;
    }

    // The sampled curves only touch: join them at their closest pair of
    // samples. Starting from infinity with the pair (0, 0) keeps the result
    // defined whatever the distances; strictly smaller only, so the earliest
    // pair in loop order wins a tie.
    double best = std::numeric_limits<double>::infinity();
    int kA = 0;
    int lB = 0;
    for (int k = 0; k <= nA; ++k) {
        for (int l = 0; l <= nB; ++l) {
            const double dx = A[k].x - B[l].x;
            const double dy = A[k].y - B[l].y;
            const double d = dx * dx + dy * dy;
            if (d < best) {
                best = d;
                kA = k;
                lB = l;
            }
        }
    }
    int at = copyPoints(A, 0, kA, P, 0);
    at = copyPoints(B, lB, nB, P, at);
    junctionRadius = std::sqrt(A[kA].x * A[kA].x + A[kA].y * A[kA].y);
    return at - 1;
}

}  // namespace gearmesh
