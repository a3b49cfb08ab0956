#pragma once

// The 2-D part of an OpenGL model-view matrix, in double precision: what the
// recorder keeps as its matrix and what the seam mirrors of the window's.

#include <cmath>

#include "geometry/point2.h"

namespace gearmesh {

// A 2-D affine map: x' = xx * x + yx * y + tx, y' = xy * x + yy * y + ty.
struct Affine2 {
    double xx, xy, yx, yy, tx, ty;
};

constexpr Affine2 IDENTITY_AFFINE{1.0, 0.0, 0.0, 1.0, 0.0, 0.0};

// The image of (x, y) under m.
inline Point2 affineApply(const Affine2& m, double x, double y) {
    return Point2{m.xx * x + m.yx * y + m.tx, m.xy * x + m.yy * y + m.ty};
}

// m followed by a shift of (x, y) in m's own frame, as glTranslated composes.
inline Affine2 affineTranslated(const Affine2& m, double x, double y) {
    Affine2 result = m;
    result.tx = m.xx * x + m.yx * y + m.tx;
    result.ty = m.xy * x + m.yy * y + m.ty;
    return result;
}

// m followed by a counter-clockwise turn of degrees in m's own frame, as glRotated composes.
inline Affine2 affineRotated(const Affine2& m, double degrees) {
    constexpr double DEGREES_TO_RADIANS = FULL_PI / 180.0;
    const double radians = degrees * DEGREES_TO_RADIANS;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    Affine2 result = m;
    result.xx = m.xx * c + m.yx * s;
    result.xy = m.xy * c + m.yy * s;
    result.yx = m.yx * c - m.xx * s;
    result.yy = m.yy * c - m.xy * s;
    return result;
}

}  // namespace gearmesh
