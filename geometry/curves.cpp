#include "geometry/curves.h"

#include <cmath>

namespace gearmesh {

int involuteCurve(double rb, double ra, double pressureAngle, double invAlpha, Point2* out) {
    const double step = pressureAngle / static_cast<double>(INVOLUTE_SEGMENTS);

    // The loop stops one short of the last slot so that the tip point that
    // follows it still fits, even when the radius test never ends the loop
    // (a base radius of zero).
    int i = 0;
    for (; i < CURVE_CAPACITY - 1; ++i) {
        const double g = i * step;
        const double r = rb / std::cos(g);
        if (r >= ra) {
            break;
        }
        const double t = std::tan(g) - g;
        out[i] = {r * std::sin(t - invAlpha), r * std::cos(t - invAlpha)};
    }

    // The last point lies exactly on the tip circle.
    const double g = std::acos(rb / ra);
    const double t = std::tan(g) - g;
    out[i] = {ra * std::sin(t - invAlpha), ra * std::cos(t - invAlpha)};
    return i;
}

int trochoidCurve(double R, double rf, double pressureAngle, Point2* out) {
    const double h = R - rf;
    const double k = std::tan(pressureAngle) * h;
    const double u0 = k / R;

    for (int i = 0; i <= TROCHOID_STEPS; ++i) {
        const double u = i * TROCHOID_STEP + u0;
        const double a = std::atan(u);
        const double b = u - a;
        const double rr = R / std::cos(a);
        out[i] = {-rr * std::sin(b) - k * std::cos(u) + h * std::sin(u),
                  rr * std::cos(b) - k * std::sin(u) - h * std::cos(u)};
    }
    return TROCHOID_STEPS;
}

}  // namespace gearmesh
