#include "tools/gearpair/gear_outline.h"

#include <cmath>

#include "geometry/gear_pair.h"

namespace {

// Copies meet where the rounding of two different rotations leaves their end
// points some 1e-14 apart; anything this close is the same vertex.
constexpr double SAME_POINT = 1e-9;

bool samePoint(const Point2& a, const Point2& b) {
    return std::hypot(a.x - b.x, a.y - b.y) <= SAME_POINT;
}

}  // namespace

double meshFrameAngle(int gear) {
    const double theta1 = gearPair.basePitchAngle1;
    if (gear == 1) {
        return theta1;
    }
    return PI - gearPair.gearRatio * theta1;
}

GearPath placedGearPath(int gear, double module) {
    const bool first = gear == 1;
    const Point2* outline = first ? gearPair.toothOutline1 : gearPair.toothOutline2;
    int last = first ? gearPair.toothOutlineLast1 : gearPair.toothOutlineLast2;
    if (last >= CURVE_CAPACITY) {
        last = CURVE_CAPACITY - 1;
    }
    GearPath path;
    path.gear = gear;
    path.teeth = first ? gearPair.z1 : gearPair.z2;
    const Point2 centre = first ? gearPair.center1 : gearPair.center2;
    path.centre = {centre.x * module, centre.y * module};

    const double angle = meshFrameAngle(gear);
    const double pitchAngle = 2 * PI / path.teeth;
    std::vector<Point2> model;  // the path in model units, gear frame turned, centre added
    model.reserve(static_cast<std::size_t>(path.teeth) * (last + 1));
    for (int k = 1; k <= path.teeth; ++k) {
        const double turn = angle - k * pitchAngle;
        const double c = std::cos(turn);
        const double s = std::sin(turn);
        for (int i = 0; i <= last; ++i) {
            const Point2& p = outline[i];
            const Point2 q{centre.x + p.x * c - p.y * s, centre.y + p.x * s + p.y * c};
            if (model.empty() || !samePoint(model.back(), q)) {
                model.push_back(q);
            }
        }
    }
    path.closedBySegment = !(model.size() > 1 && samePoint(model.back(), model.front()));
    if (!path.closedBySegment) {
        model.pop_back();
    }
    path.points.reserve(model.size());
    for (const Point2& p : model) {
        path.points.push_back({p.x * module, p.y * module});
    }
    return path;
}
