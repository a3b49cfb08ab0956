#include "draw/bounds.h"

#include <algorithm>
#include <cmath>

namespace gearmesh {

namespace {

constexpr double SHOWN_EDGE = VIEW_EDGE + BOUNDS_MARGIN;

}  // namespace

bool viewBoxShows(double left, double bottom, double right, double top) {
    // Written so that a NaN side fails every comparison and counts as not showing.
    return left <= SHOWN_EDGE && right >= -SHOWN_EDGE && bottom <= SHOWN_EDGE && top >= -SHOWN_EDGE;
}

bool viewSegmentShows(const Point2& a, const Point2& b) {
    return viewBoxShows(std::fmin(a.x, b.x), std::fmin(a.y, b.y), std::fmax(a.x, b.x),
                        std::fmax(a.y, b.y));
}

double similarityScale(const Affine2& m) {
    const double column1 = std::hypot(m.xx, m.xy);
    const double column2 = std::hypot(m.yx, m.yy);
    const double dot = m.xx * m.yx + m.xy * m.yy;
    if (!std::isfinite(column1) || !std::isfinite(column2) || !std::isfinite(m.tx) ||
        !std::isfinite(m.ty) || !(column1 > 0.0)) {
        return 0.0;
    }
    // Turns composed in double keep the columns equal and square to 1e-15 or so.
    constexpr double TOLERANCE = 1e-9;
    if (std::fabs(column1 - column2) > TOLERANCE * column1 ||
        std::fabs(dot) > TOLERANCE * column1 * column2) {
        return 0.0;
    }
    return column1;
}

ArcWindow visibleArc(const Affine2& m, double radius) {
    const double scale = similarityScale(m);
    const double r = std::fabs(radius) * scale;        // view units
    const double d = std::hypot(m.tx, m.ty);           // centre to window centre
    const double reach = std::sqrt(2.0) * SHOWN_EDGE;  // disc holding the widened square
    if (d + r <= reach) {
        return ArcWindow{true, true, 0.0, 0.0};
    }
    const double gap = d - r;
    if (!(std::fabs(gap) < reach)) {
        return ArcWindow{false, false, 0.0, 0.0};
    }
    // Points at angle psi from the direction towards the window centre lie
    // within the disc when 2 sin(psi / 2) ^ 2 d r <= reach^2 - gap^2; this
    // form keeps its digits when d and r are both large and nearly equal.
    const double s = std::sqrt((reach * reach - gap * gap) / (4.0 * d * r));
    const double halfWidth = 2.0 * std::asin(std::fmin(s, 1.0));
    // The direction from the centre towards the window centre, in m's frame.
    const double det = m.xx * m.yy - m.xy * m.yx;
    const double ux = (m.yy * -m.tx - m.yx * -m.ty) / det;
    const double uy = (m.xx * -m.ty - m.xy * -m.tx) / det;
    const double middle = std::atan2(uy, ux);
    if (halfWidth >= FULL_PI) {
        return ArcWindow{true, true, 0.0, 0.0};
    }
    return ArcWindow{true, false, middle, halfWidth};
}

bool visibleSpan(const Affine2& m, double length, double* from, double* to) {
    // Liang-Barsky: p(x) = (m.tx + m.xx x, m.ty + m.xy x) for x in [0, length].
    double low = 0.0;
    double high = length;
    const double origin[2] = {m.tx, m.ty};
    const double slope[2] = {m.xx, m.xy};
    for (int axis = 0; axis < 2; ++axis) {
        const double o = origin[axis];
        const double k = slope[axis];
        if (!std::isfinite(o) || !std::isfinite(k)) {
            return false;
        }
        if (k == 0.0) {
            if (std::fabs(o) > SHOWN_EDGE) {
                return false;
            }
            continue;
        }
        const double a = (-SHOWN_EDGE - o) / k;
        const double b = (SHOWN_EDGE - o) / k;
        low = std::max(low, std::min(a, b));
        high = std::min(high, std::max(a, b));
    }
    if (!(low <= high)) {
        return false;
    }
    *from = low;
    *to = high;
    return true;
}

}  // namespace gearmesh
