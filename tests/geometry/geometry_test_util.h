#pragma once

// Small independent helpers for the geometry tests: closed forms computed
// here rather than taken from the code under test.

#include <cmath>

#include "geometry/point2.h"

namespace gearmesh {

namespace testutil {

// Twenty degrees, and its involute function tan a - a.
inline double alpha() {
    return PI / 9;
}
inline double invAlpha() {
    return std::tan(alpha()) - alpha();
}

inline double radiusOf(const Point2& p) {
    return std::sqrt(p.x * p.x + p.y * p.y);
}

// Polar angle in the gear frame: from +y towards +x.
inline double polarAngleOf(const Point2& p) {
    return std::atan2(p.x, p.y);
}

// Turns p about the origin by delta towards increasing polar angle
// (clockwise on the screen).
inline Point2 turned(const Point2& p, double delta) {
    return {p.x * std::cos(delta) + p.y * std::sin(delta),
            -p.x * std::sin(delta) + p.y * std::cos(delta)};
}

inline double distance(const Point2& a, const Point2& b) {
    return radiusOf({a.x - b.x, a.y - b.y});
}

}  // namespace testutil

}  // namespace gearmesh
