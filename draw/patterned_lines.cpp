#include "draw/patterned_lines.h"

#include <cmath>

#include "draw/bounds.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/pattern_counts.h"
#include "draw/seam.h"

namespace gearmesh {

namespace {

// Lines shorter than this (view units) keep the literal drawing when bounded:
// their few dashes sit at one point, along no direction worth clipping.
constexpr double MIN_BOUNDED_LENGTH = 1e-9;

// Lighting off, a frame at a turned towards b, the colour; the caller pops.
void openLineFrame(DrawContext& dc, const Point2& a, double direction, const Color4& colour) {
    seamLighting(dc, false);
    seamPushMatrix(dc);
    seamTranslate(dc, toView(a.x), toView(a.y));
    seamRotate(dc, direction * RAD_TO_DEG);
    seamColor(dc, colour);
}

void closeLineFrame(DrawContext& dc) {
    seamPopMatrix(dc);
    seamLighting(dc, true);
}

// One period of a chain line: the long dash from i x unit, then the dot
// after a gap of one short dash.
void emitChainPeriod(DrawContext& dc, int i, double unit, double longDash, double shortDash) {
    const double x0 = i * unit;
    const double x1 = x0 + longDash;
    seamVertex(dc, x0, 0.0);
    seamVertex(dc, x1, 0.0);
    const double x2 = x1 + shortDash;
    const double x3 = x2 + shortDash;
    seamVertex(dc, x2, 0.0);
    seamVertex(dc, x3, 0.0);
}

// The final long dash of a chain line, ending on its second point.
void emitFinalLongDash(DrawContext& dc, int count, double unit, double longDash) {
    const double lastStart = count * unit;
    seamVertex(dc, lastStart, 0.0);
    seamVertex(dc, lastStart + longDash, 0.0);
}

// The whole periods first .. last (0 .. count - 1) of a pattern of the given
// period that may show in the current frame, whose x axis the line follows
// from 0 to length; one period of slack on each side covers rounding. False
// when no part of the line may show.
bool visiblePeriods(const DrawContext& dc, double length, double period, long long count,
                    long long* first, long long* last) {
    double from = 0.0;
    double to = 0.0;
    if (!visibleSpan(seamMatrix(dc), length, &from, &to) || !(period > 0.0)) {
        return false;
    }
    *first = static_cast<long long>(std::fmax(std::floor(from / period) - 1.0, 0.0));
    *last = static_cast<long long>(
        std::fmin(std::ceil(to / period) + 1.0, static_cast<double>(count - 1)));
    return true;
}

// The dashes of a dashed line that may show: dash i runs from x(i) to x(i) + dash.
void drawDashLineBounded(DrawContext& dc, double length, double unit, double dash,
                         long long count) {
    long long first = 0;
    long long last = 0;
    if (!visiblePeriods(dc, length, unit, count + 1, &first, &last)) {
        return;
    }
    seamBegin(dc, SEAM_LINES);
    for (long long i = first; i <= last; ++i) {
        const double x = unit * static_cast<double>(i);
        seamVertex(dc, x, 0.0);
        seamVertex(dc, x + dash, 0.0);
    }
    seamEnd(dc);
}

// The periods of a chain line that may show, and the final long dash if it may.
void drawChainLineBounded(DrawContext& dc, double length, double unit, double longDash,
                          double shortDash, int count) {
    long long first = 0;
    long long last = 0;
    if (!visiblePeriods(dc, length, unit, static_cast<long long>(count) + 1, &first, &last)) {
        return;
    }
    seamBegin(dc, SEAM_LINES);
    for (long long k = first; k <= last && k < count; ++k) {
        emitChainPeriod(dc, static_cast<int>(k), unit, longDash, shortDash);
    }
    if (last >= count) {
        emitFinalLongDash(dc, count, unit, longDash);
    }
    seamEnd(dc);
}

}  // namespace

void drawDashLine(DrawContext& dc, const Point2& a, const Point2& b, const Color4& colour) {
    const double length = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
    const double direction = std::atan2(b.y - a.y, b.x - a.x);
    const int count = dashLineCount(length);
    // The divisor in double: 10 x count + 8 can pass the largest int.
    const double unit = 10.0 * length / (10.0 * count + 8.0);
    const double dash = 0.8 * unit;

    openLineFrame(dc, a, direction, colour);
    if (boundedDrawing(dc) && !(length < MIN_BOUNDED_LENGTH)) {
        drawDashLineBounded(dc, toView(length), toView(unit), toView(dash), count);
        closeLineFrame(dc);
        return;
    }
    seamBegin(dc, SEAM_LINES);
    for (long long i = 0; i <= count; ++i) {
        const double x = toView(unit) * static_cast<double>(i);
        seamVertex(dc, x, 0.0);
        seamVertex(dc, x + toView(dash), 0.0);
    }
    seamEnd(dc);
    closeLineFrame(dc);
}

void drawChainLine(DrawContext& dc, const Point2& a, const Point2& b, const Color4& colour) {
    const double length = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
    const double direction = std::atan2(b.y - a.y, b.x - a.x);
    const int count = chainLineCount(length);
    const double unit = toView(15.0 * length / (15.0 * count + 9.0));
    const double longDash = 9.0 * unit / 15.0;
    const double shortDash = 2.0 * unit / 15.0;

    openLineFrame(dc, a, direction, colour);
    if (boundedDrawing(dc) && !(length < MIN_BOUNDED_LENGTH)) {
        drawChainLineBounded(dc, toView(length), unit, longDash, shortDash, count);
        closeLineFrame(dc);
        return;
    }
    seamBegin(dc, SEAM_LINES);
    for (int i = 0; i < count; ++i) {
        emitChainPeriod(dc, i, unit, longDash, shortDash);
    }
    emitFinalLongDash(dc, count, unit, longDash);
    seamEnd(dc);
    closeLineFrame(dc);
}

void drawScaledChainLine(DrawContext& dc, double scale, const Point2& a, const Point2& b,
                         const Color4& colour) {
    drawChainLine(dc, Point2{scale * a.x, scale * a.y}, Point2{scale * b.x, scale * b.y}, colour);
}

}  // namespace gearmesh
