#include "geometry/contact.h"

#include <cmath>

namespace gearmesh {

int contactPoints(const GearPair& pair, double angle, Point2* points) {
    // Successive tooth pairs touch one base pitch apart; turning gear 1 by
    // angle moves every contact by baseRadius1 * angle along the line of action.
    int n = 0;
    double s = pair.baseRadius1 * angle + pair.basePitch;
    for (int k = 0; k < 4; ++k) {
        if (-pair.contactLimit1 < s && s < pair.contactLimit2) {
            points[n] = {-s * std::cos(pair.pressureAngle), s * std::sin(pair.pressureAngle)};
            n = n + 1;
        }
        s = s - pair.basePitch;
    }
    return n;
}

}  // namespace gearmesh
