#include "export/gear_outline.h"

#include <cmath>

#include "geometry/gear_pair.h"

namespace gearmesh {

namespace {

// Copies meet where the rounding of two different rotations leaves their end
// points some 1e-14 apart; anything this close is the same vertex.
constexpr double SAME_POINT = 1e-9;

bool samePoint(const Point2& a, const Point2& b) {
    return std::hypot(a.x - b.x, a.y - b.y) <= SAME_POINT;
}

}  // namespace

double meshFrameAngle(const GearPair& pair, int gear) {
    const double theta1 = pair.basePitchAngle1;
    if (gear == 2) {
        return PI - pair.gearRatio * theta1;
    }
    return theta1;
}

GearPath placedGearPath(const GearPair& pair, int gear, double module) {
    const int number = gear == 2 ? 2 : 1;
    const Gear& g = pair.gears[number - 1];
    int last = g.toothOutlineLast;
    if (last >= CURVE_CAPACITY) {
        last = CURVE_CAPACITY - 1;
    }
    GearPath path;
    path.gear = number;
    path.teeth = g.teeth;
    const Point2 centre = g.centre;
    path.centre = {centre.x * module, centre.y * module};

    const double angle = meshFrameAngle(pair, number);
    const double pitchAngle = 2 * PI / path.teeth;
    std::vector<Point2> model;  // the path in model units, gear frame turned, centre added
    model.reserve(static_cast<std::size_t>(path.teeth) * (last + 1));
    for (int k = 1; k <= path.teeth; ++k) {
        const double turn = angle - k * pitchAngle;
        const double c = std::cos(turn);
        const double s = std::sin(turn);
        for (int i = 0; i <= last; ++i) {
            const Point2& p = g.toothOutline[i];
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

}  // namespace gearmesh
