#include "geometry/contact.h"

#include <cmath>

#include "geometry/gear_pair.h"

int contactPoints(double angle, Point2* points) {
    // Successive tooth pairs touch one base pitch apart; turning gear 1 by
    // angle moves every contact by baseRadius1 * angle along the line of action.
    int n = 0;
    double s = gearPair.baseRadius1 * angle + gearPair.basePitch;
    for (int k = 0; k < 4; ++k) {
        if (-gearPair.contactLimit1 < s && s < gearPair.contactLimit2) {
            points[n] = {-s * std::cos(gearPair.pressureAngle),
                         s * std::sin(gearPair.pressureAngle)};
            n = n + 1;
        }
        s = s - gearPair.basePitch;
    }
    return n;
}
