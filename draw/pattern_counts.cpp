#include "draw/pattern_counts.h"

#include <cmath>

#include "draw/lines.h"

namespace gearmesh {

int truncatedCount(double value) {
    // 2^31 and -2^31 - 1 are exact doubles; between them the conversion is defined.
    if (!(value < 2147483648.0)) {
        return PATTERN_COUNT_LIMIT;
    }
    if (!(value > -2147483649.0)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

int dashLineCount(double length) {
    if (!(length >= 0.4)) {
        return 3;
    }
    return truncatedCount(10.0 * length - 1.0);
}

int chainLineCount(double length) {
    if (!(length >= 0.5)) {
        return 2;
    }
    return truncatedCount(6.0 * length - 1.0);
}

CirclePattern dashCirclePattern(double r) {
    const double size = std::fabs(r);
    if (!(size >= 0.2)) {
        return CirclePattern{6, 8, 2};
    }
    return CirclePattern{truncatedCount(size * (10.0 * TOOLKIT_PI)), truncatedCount(size * 40.0),
                         truncatedCount(size * 10.0)};
}

CirclePattern chainCirclePattern(double r) {
    const double size = std::fabs(r);
    if (!(size >= 0.2)) {
        return CirclePattern{6, 9, 2};
    }
    return CirclePattern{truncatedCount(size * (10.0 * TOOLKIT_PI)), truncatedCount(size * 45.0),
                         truncatedCount(size * 10.0)};
}

}  // namespace gearmesh
