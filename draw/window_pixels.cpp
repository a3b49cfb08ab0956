#include "draw/window_pixels.h"

#include <algorithm>

namespace gearmesh {

Point2 windowPixel(const Point2& p) {
    const double half = WINDOW_PIXELS / 2.0;
    return {(p.x + 1.0) * half, (1.0 - p.y) * half};
}

namespace {

bool insideClip(const Point2& p) {
    return p.x >= WINDOW_CLIP_LOW && p.x <= WINDOW_CLIP_HIGH && p.y >= WINDOW_CLIP_LOW &&
           p.y <= WINDOW_CLIP_HIGH;
}

}  // namespace

bool clipToWindow(Point2& a, Point2& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    // Most segments lie wholly inside: the clipping below would keep a and
    // move b to a + (b - a), which is done here without its divisions.
    if (insideClip(a) && insideClip(b)) {
        b = Point2{a.x + dx, a.y + dy};
        return true;
    }
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - WINDOW_CLIP_LOW, WINDOW_CLIP_HIGH - a.x, a.y - WINDOW_CLIP_LOW,
                         WINDOW_CLIP_HIGH - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const Point2 start{a.x + t0 * dx, a.y + t0 * dy};
    const Point2 end{a.x + t1 * dx, a.y + t1 * dy};
    a = start;
    b = end;
    return true;
}

}  // namespace gearmesh
