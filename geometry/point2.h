#pragma once

namespace gearmesh {

// A point or vector in the plane. Model units (one unit is one module)
// unless the function that hands it over says view units.
struct Point2 {
    double x;
    double y;
};

// Pi as the gear geometry and the animation step use it.
constexpr double PI = 3.14159265358979;

// Room of every tooth-outline point array (indices 0 to 600).
constexpr int CURVE_CAPACITY = 601;

}  // namespace gearmesh
