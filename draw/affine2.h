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

// OpenGL's model-view matrix and its stack, in double precision, as both
// drawing targets keep them: a push beyond AFFINE_STACK_DEPTH or a pop of
// an empty stack is ignored, as OpenGL ignores it.
constexpr int AFFINE_STACK_DEPTH = 32;  // what OpenGL guarantees

class AffineStack {
   public:
    const Affine2& matrix() const {
        return matrix_;
    }
    int depth() const {
        return depth_;
    }
    void push() {
        if (depth_ < AFFINE_STACK_DEPTH) {
            stack_[depth_] = matrix_;
            ++depth_;
        }
    }
    void pop() {
        if (depth_ > 0) {
            --depth_;
            matrix_ = stack_[depth_];
        }
    }
    void translate(double x, double y) {
        matrix_ = affineTranslated(matrix_, x, y);
    }
    void rotate(double degrees) {
        matrix_ = affineRotated(matrix_, degrees);
    }
    void loadIdentity() {
        matrix_ = IDENTITY_AFFINE;
    }

   private:
    Affine2 matrix_ = IDENTITY_AFFINE;
    Affine2 stack_[AFFINE_STACK_DEPTH];
    int depth_ = 0;
};

}  // namespace gearmesh
