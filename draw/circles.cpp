#include "draw/circles.h"

#include <cmath>

#include "draw/lines.h"
#include "draw/pattern_counts.h"
#include "draw/seam.h"

namespace {

// Lighting off, a frame at the centre (view units), the colour; the caller closes.
void openCircleFrame(double cx, double cy, const Color4& colour) {
    seamLighting(false);
    seamPushMatrix();
    seamTranslate(cx, cy);
    seamColor(colour);
}

void closeCircleFrame() {
    seamPopMatrix();
    seamLighting(true);
}

// One arc of chords on radius R from angle firstAngle, chord by chord:
// chords j = 1 .. chordCount end at firstAngle + j x chordAngle.
void drawArcChords(double radius, const Point2& start, double firstAngle, long long chordCount,
                   double chordAngle) {
    Point2 from = start;
    seamBegin(SEAM_LINES);
    for (long long j = 1; j <= chordCount; ++j) {
        const double angle = static_cast<double>(j) * chordAngle + firstAngle;
        const Point2 to{std::cos(angle) * radius, std::sin(angle) * radius};
        seamVertex(from.x, from.y);
        seamVertex(to.x, to.y);
        from = to;
    }
    seamEnd();
}

}  // namespace

void drawDisc(const Point2& c, double r, const Color4& colour) {
    const double radius = toView(r);
    const double step = 2.0 * TOOLKIT_PI / CIRCLE_SEGMENTS;
    openCircleFrame(toView(c.x), toView(c.y), colour);
    seamBegin(SEAM_POLYGON);
    for (int i = 0; i < CIRCLE_SEGMENTS; ++i) {
        seamVertex(radius * std::cos(i * step), radius * std::sin(i * step));
    }
    seamEnd();
    closeCircleFrame();
}

void drawCircle(const Point2& c, double r, const Color4& colour) {
    const double radius = toView(r);
    const double step = 2.0 * TOOLKIT_PI / CIRCLE_SEGMENTS;
    openCircleFrame(toView(c.x), toView(c.y), colour);
    seamBegin(SEAM_LINE_LOOP);
    Point2 from{radius, 0.0};
    for (int i = 1; i < CIRCLE_SEGMENTS; ++i) {
        const Point2 to{std::cos(i * step) * radius, std::sin(i * step) * radius};
        seamVertex(from.x, from.y);
        seamVertex(to.x, to.y);
        from = to;
    }
    seamEnd();
    closeCircleFrame();
}

void drawDashCircle(const Point2& c, double r, const Color4& colour) {
    const double radius = toView(r);
    const CirclePattern pattern = dashCirclePattern(r);
    const double periodAngle = 2.0 * TOOLKIT_PI / pattern.periods;
    // The product in double: in int it would pass the largest int from a radius of about 1170.
    const double chordAngle =
        2.0 * TOOLKIT_PI /
        ((static_cast<double>(pattern.dashChords) + pattern.gapChords) * pattern.periods);

    openCircleFrame(toView(c.x), toView(c.y), colour);
    for (int k = 0; k < pattern.periods; ++k) {
        // The turns add up, so each period starts one period further round.
        seamRotate(periodAngle * RAD_TO_DEG);
        drawArcChords(radius, Point2{radius, 0.0}, 0.0, pattern.dashChords, chordAngle);
    }
    closeCircleFrame();
}

void drawChainCircle(const Point2& c, double r, const Color4& colour) {
    const double radius = toView(r);
    const CirclePattern pattern = chainCirclePattern(r);
    const double longChords = pattern.dashChords;
    const double shortChords = pattern.gapChords;
    const double periodAngle = 2.0 * TOOLKIT_PI / pattern.periods;
    const double dotStart =
        periodAngle / (longChords + 3.0 * shortChords) * (longChords + shortChords);
    const Point2 dotPoint{std::cos(dotStart) * radius, std::sin(dotStart) * radius};
    // Sums and product in double, as in drawDashCircle (in int the product
    // would pass the largest int from a radius of about 950).
    const double chordAngle =
        2.0 * TOOLKIT_PI / ((longChords + 3.0 * shortChords) * pattern.periods);

    openCircleFrame(toView(c.x), toView(c.y), colour);
    for (int k = 0; k < pattern.periods; ++k) {
        seamRotate(periodAngle * RAD_TO_DEG);
        drawArcChords(radius, Point2{radius, 0.0}, 0.0, pattern.dashChords, chordAngle);
        drawArcChords(radius, dotPoint, dotStart, pattern.gapChords, chordAngle);
    }
    closeCircleFrame();
}

void drawScaledDisc(double scale, const Point2& c, double r, const Color4& colour) {
    drawDisc(Point2{scale * c.x, scale * c.y}, scale * r, colour);
}

void drawScaledCircle(double scale, const Point2& c, double r, const Color4& colour) {
    drawCircle(Point2{scale * c.x, scale * c.y}, scale * r, colour);
}

void drawScaledChainCircle(double scale, const Point2& c, double r, const Color4& colour) {
    drawChainCircle(Point2{scale * c.x, scale * c.y}, scale * r, colour);
}
