#include "geometry/contact.h"

#include <cmath>

namespace gearmesh {

int contactPoints(const GearPair& pair, double angle, Point2* points) {
    // Successive tooth pairs touch one base pitch apart; turning gear 1 by
    // angle moves every contact by baseRadius1 * angle along the line of action.
    const Gear& drive = pair.gears[0];
    const Gear& driven = pair.gears[1];
    int n = 0;
    double s = drive.baseRadius * angle + pair.basePitch;
    for (int k = 0; k < 4; ++k) {
        if (-drive.contactLimit < s && s < driven.contactLimit) {
            points[n] = {-s * std::cos(pair.pressureAngle), s * std::sin(pair.pressureAngle)};
            n = n + 1;
        }
        s = s - pair.basePitch;
    }
    return n;
}

}  // namespace gearmesh
