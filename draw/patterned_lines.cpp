#include "draw/patterned_lines.h"

#include <cmath>

#include "draw/lines.h"
#include "draw/pattern_counts.h"
#include "draw/seam.h"

namespace {

// Lighting off, a frame at a turned towards b, the colour; the caller pops.
void openLineFrame(const Point2& a, double direction, const Color4& colour) {
    seamLighting(false);
    seamPushMatrix();
    seamTranslate(toView(a.x), toView(a.y));
    seamRotate(direction * RAD_TO_DEG);
    seamColor(colour);
}

void closeLineFrame() {
    seamPopMatrix();
    seamLighting(true);
}

}  // namespace

void drawDashLine(const Point2& a, const Point2& b, const Color4& colour) {
    const double length = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
    const double direction = std::atan2(b.y - a.y, b.x - a.x);
    const int count = dashLineCount(length);
    // The divisor in double: 10 x count + 8 can pass the largest int.
    const double unit = 10.0 * length / (10.0 * count + 8.0);
    const double dash = 0.8 * unit;

    openLineFrame(a, direction, colour);
    seamBegin(SEAM_LINES);
    for (long long i = 0; i <= count; ++i) {
        const double x = toView(unit) * static_cast<double>(i);
        seamVertex(x, 0.0);
        seamVertex(x + toView(dash), 0.0);
    }
    seamEnd();
    closeLineFrame();
}

void drawChainLine(const Point2& a, const Point2& b, const Color4& colour) {
    const double length = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
    const double direction = std::atan2(b.y - a.y, b.x - a.x);
    const int count = chainLineCount(length);
    const double unit = toView(15.0 * length / (15.0 * count + 9.0));
    const double longDash = 9.0 * unit / 15.0;
    const double shortDash = 2.0 * unit / 15.0;

    openLineFrame(a, direction, colour);
    seamBegin(SEAM_LINES);
    for (int i = 0; i < count; ++i) {
        const double x0 = i * unit;
        const double x1 = x0 + longDash;
        seamVertex(x0, 0.0);
        seamVertex(x1, 0.0);
        const double x2 = x1 + shortDash;
        const double x3 = x2 + shortDash;
        seamVertex(x2, 0.0);
        seamVertex(x3, 0.0);
    }
    const double lastStart = count * unit;
    seamVertex(lastStart, 0.0);
    seamVertex(lastStart + longDash, 0.0);
    seamEnd();
    closeLineFrame();
}

void drawScaledChainLine(double scale, const Point2& a, const Point2& b, const Color4& colour) {
    drawChainLine(Point2{scale * a.x, scale * a.y}, Point2{scale * b.x, scale * b.y}, colour);
}
