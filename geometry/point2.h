#pragma once

namespace gearmesh {

// A point or vector in the plane. Model units (one unit is one module)
// unless the function that hands it over says view units.
struct Point2 {
    double x;
    double y;
};

// Pi as the gear geometry and the animation step use it: rounded to 15
// digits, and kept so because every picture and number the simulator has
// ever shown was computed with this value.
constexpr double PI = 3.14159265358979;

// Pi to the full precision of a double: the exact model's and the drawing's
// own angle arithmetic. The one full-precision pi of the program.
constexpr double FULL_PI = 3.14159265358979323846;

// Room of every tooth-outline point array (indices 0 to 600).
constexpr int CURVE_CAPACITY = 601;

}  // namespace gearmesh
