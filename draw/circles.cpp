#include "draw/circles.h"

#include <algorithm>
#include <cmath>

#include "draw/bounds.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/pattern_counts.h"
#include "draw/seam.h"

namespace gearmesh {

namespace {

// Turns in radians for the bounded drawing's own angle arithmetic (the
// pattern itself keeps TOOLKIT_PI).
constexpr double HALF_TURN = FULL_PI;
constexpr double FULL_TURN = 2.0 * HALF_TURN;

// Lighting off, a frame at the centre (view units), the colour; the caller closes.
void openCircleFrame(DrawContext& dc, double cx, double cy, const Color4& colour) {
    seamLighting(dc, false);
    seamPushMatrix(dc);
    seamTranslate(dc, cx, cy);
    seamColor(dc, colour);
}

void closeCircleFrame(DrawContext& dc) {
    seamPopMatrix(dc);
    seamLighting(dc, true);
}

// One arc of chords on radius R from angle firstAngle, chord by chord:
// chords j = 1 .. chordCount end at firstAngle + j x chordAngle.
void drawArcChords(DrawContext& dc, double radius, const Point2& start, double firstAngle,
                   long long chordCount, double chordAngle) {
    Point2 from = start;
    seamBegin(dc, SEAM_LINES);
    for (long long j = 1; j <= chordCount; ++j) {
        const double angle = static_cast<double>(j) * chordAngle + firstAngle;
        const Point2 to{std::cos(angle) * radius, std::sin(angle) * radius};
        seamVertex(dc, from.x, from.y);
        seamVertex(dc, to.x, to.y);
        from = to;
    }
    seamEnd(dc);
}

// One dash or dot of a period of a patterned circle, in the period's frame:
// vertex 0 is start, vertex j (1 .. chordCount) lies at firstAngle + j x chordAngle.
struct PatternArc {
    Point2 start;
    double firstAngle;
    long long chordCount;
};

// A patterned circle about the origin of the current frame: periods times,
// turn the frame one period further and draw the arcs of one period.
struct CirclePatternLayout {
    double radius;  // view units; negative draws every point opposite
    long long periods;
    double periodAngle;  // radians
    double chordAngle;   // radians
    PatternArc arcs[2];
    int arcCount;
};

Point2 arcVertex(const CirclePatternLayout& c, const PatternArc& arc, long long j) {
    if (j == 0) {
        return arc.start;
    }
    // The same expression as drawArcChords, so every vertex is one it would draw.
    const double angle = static_cast<double>(j) * c.chordAngle + arc.firstAngle;
    return Point2{std::cos(angle) * c.radius, std::sin(angle) * c.radius};
}

void drawPatternLiteral(DrawContext& dc, const CirclePatternLayout& c) {
    for (long long k = 0; k < c.periods; ++k) {
        // The turns add up, so each period starts one period further round.
        seamRotate(dc, c.periodAngle * RAD_TO_DEG);
        for (int a = 0; a < c.arcCount; ++a) {
            drawArcChords(dc, c.radius, c.arcs[a].start, c.arcs[a].firstAngle, c.arcs[a].chordCount,
                          c.chordAngle);
        }
    }
}

// Vertices first .. last of an arc as chords, every step-th vertex and always
// the last, so that the arc's end points stay exact.
void drawArcVertices(DrawContext& dc, const CirclePatternLayout& c, const PatternArc& arc,
                     long long first, long long last, long long step) {
    Point2 from = arcVertex(c, arc, first);
    seamBegin(dc, SEAM_LINES);
    for (long long i = first; i < last;) {
        const long long next = last - i > step ? i + step : last;
        const Point2 to = arcVertex(c, arc, next);
        seamVertex(dc, from.x, from.y);
        seamVertex(dc, to.x, to.y);
        from = to;
        i = next;
    }
    seamEnd(dc);
}

// How many chords of the pattern one handed-over chord spans: 1 unless a
// chord is under a pixel, else enough for MERGED_CHORD_PIXELS while the
// merged chord stays within MERGED_CHORD_SAGITTA_PIXELS of the arc.
long long chordMerge(const CirclePatternLayout& c, double scale) {
    const double radiusPixels = std::fabs(c.radius) * scale * VIEW_FACTOR;
    const double chordPixels = radiusPixels * c.chordAngle;
    if (!(chordPixels < 1.0) || !(chordPixels > 0.0)) {
        return 1;
    }
    double merge = std::ceil(MERGED_CHORD_PIXELS / chordPixels);
    const double sagittaShare = MERGED_CHORD_SAGITTA_PIXELS / radiusPixels;
    if (sagittaShare < 1.0) {
        const double widest = 2.0 * std::acos(1.0 - sagittaShare);
        merge = std::fmin(merge, std::floor(widest / c.chordAngle));
    }
    // Far beyond any chord count, and safe to convert.
    merge = std::fmin(merge, 4.0e18);
    return merge >= 1.0 ? static_cast<long long>(merge) : 1;
}

// Period ranges first .. last (ascending, disjoint) that may show.
struct PeriodRange {
    long long first;
    long long last;
};
constexpr int PERIOD_RANGE_CAPACITY = 3;

// The periods whose turned frames reach the visible arc window w (polar
// angles of the pattern's parameter, radians). Period k starts at
// (k + 1) x turn; one period of slack on each side covers rounding.
int visiblePeriods(const ArcWindow& w, long long periods, double turn, PeriodRange* ranges) {
    if (w.whole || w.halfWidth >= HALF_TURN - 2.0 * turn) {
        ranges[0] = PeriodRange{0, periods - 1};
        return 1;
    }
    const double start = w.middle - w.halfWidth;
    const double low = start - std::floor(start / FULL_TURN) * FULL_TURN;
    const double high = low + 2.0 * w.halfWidth;
    int count = 0;
    for (int shift = -1; shift <= 1; ++shift) {
        const double a = low + shift * FULL_TURN;
        const double b = high + shift * FULL_TURN;
        const double first = std::fmax(std::ceil(a / turn) - 3.0, 0.0);
        const double last = std::fmin(std::floor(b / turn), static_cast<double>(periods - 1));
        if (!(first <= last)) {
            continue;
        }
        PeriodRange range{static_cast<long long>(first), static_cast<long long>(last)};
        if (count > 0 && range.first <= ranges[count - 1].last + 1) {
            ranges[count - 1].last = std::max(ranges[count - 1].last, range.last);
        } else if (count < PERIOD_RANGE_CAPACITY) {
            ranges[count] = range;
            ++count;
        }
    }
    return count;
}

// The arcs of period k that may show, chords merged. frameAngle is where the
// period's frame stands (radians, the parameter's polar angle offset).
void drawPeriodBounded(DrawContext& dc, const CirclePatternLayout& c, const ArcWindow& w,
                       double frameAngle, long long merge) {
    for (int a = 0; a < c.arcCount; ++a) {
        const PatternArc& arc = c.arcs[a];
        if (arc.chordCount <= 0) {
            continue;
        }
        long long first = 0;
        long long last = arc.chordCount;
        if (!w.whole) {
            // Chords j whose span [j - 1, j] x chordAngle + firstAngle meets the
            // window, tried at the three turns the window can stand at.
            bool any = false;
            double low = 0.0;
            double high = 0.0;
            for (int shift = -1; shift <= 1; ++shift) {
                const double from = w.middle - w.halfWidth + shift * FULL_TURN - frameAngle;
                const double to = w.middle + w.halfWidth + shift * FULL_TURN - frameAngle;
                const double jFrom = std::floor((from - arc.firstAngle) / c.chordAngle) - 1.0;
                const double jTo = std::ceil((to - arc.firstAngle) / c.chordAngle) + 1.0;
                if (jTo < 0.0 || jFrom > static_cast<double>(arc.chordCount)) {
                    continue;
                }
                low = any ? std::fmin(low, jFrom) : jFrom;
                high = any ? std::fmax(high, jTo) : jTo;
                any = true;
            }
            if (!any) {
                continue;
            }
            first = static_cast<long long>(std::fmax(low, 0.0));
            last = static_cast<long long>(std::fmin(high, static_cast<double>(arc.chordCount)));
            if (first >= last) {
                continue;
            }
        }
        drawArcVertices(dc, c, arc, first, last, merge);
    }
}

// The periods and chords of the pattern that may show; the frame is turned
// to the first of them in one step, and on by one period as the literal
// drawing turns it. Falls back to the literal drawing where the matrix or
// the radius gives no window to test against.
void drawPatternBounded(DrawContext& dc, const CirclePatternLayout& c) {
    const Affine2 m = seamMatrix(dc);
    const double scale = similarityScale(m);
    if (!std::isfinite(c.radius) || !std::isfinite(c.chordAngle) || !(c.periods > 0)) {
        return;  // nothing of it could be on the screen
    }
    if (!(scale > 0.0)) {
        drawPatternLiteral(dc, c);
        return;
    }
    ArcWindow w = visibleArc(m, c.radius);
    if (!w.any) {
        return;
    }
    // Parameter angle to polar angle: a negative radius puts each point opposite.
    if (c.radius < 0.0) {
        w.middle -= HALF_TURN;
    }
    // Each frame turn is handed to OpenGL in degrees of RAD_TO_DEG, which is
    // not exactly 180 / pi; the window is tested at the angle it really turns.
    const double turn = c.periodAngle * RAD_TO_DEG * (HALF_TURN / 180.0);
    const double periodDegrees = c.periodAngle * RAD_TO_DEG;
    const long long merge = chordMerge(c, scale);
    PeriodRange ranges[PERIOD_RANGE_CAPACITY];
    const int rangeCount = visiblePeriods(w, c.periods, turn, ranges);
    long long turned = 0;  // period turns applied so far
    for (int r = 0; r < rangeCount; ++r) {
        for (long long k = ranges[r].first; k <= ranges[r].last; ++k) {
            const long long turns = k + 1 - turned;
            seamRotate(dc, turns == 1 ? periodDegrees : static_cast<double>(turns) * periodDegrees);
            turned = k + 1;
            drawPeriodBounded(dc, c, w, static_cast<double>(k + 1) * turn, merge);
        }
    }
}

void drawPattern(DrawContext& dc, const CirclePatternLayout& c) {
    if (boundedDrawing(dc)) {
        drawPatternBounded(dc, c);
    } else {
        drawPatternLiteral(dc, c);
    }
}

}  // namespace

void drawDisc(DrawContext& dc, const Point2& c, double r, const Color4& colour) {
    const double radius = toView(r);
    const double step = 2.0 * TOOLKIT_PI / CIRCLE_SEGMENTS;
    openCircleFrame(dc, toView(c.x), toView(c.y), colour);
    seamBegin(dc, SEAM_POLYGON);
    for (int i = 0; i < CIRCLE_SEGMENTS; ++i) {
        seamVertex(dc, radius * std::cos(i * step), radius * std::sin(i * step));
    }
    seamEnd(dc);
    closeCircleFrame(dc);
}

void drawCircle(DrawContext& dc, const Point2& c, double r, const Color4& colour) {
    const double radius = toView(r);
    const double step = 2.0 * TOOLKIT_PI / CIRCLE_SEGMENTS;
    openCircleFrame(dc, toView(c.x), toView(c.y), colour);
    seamBegin(dc, SEAM_LINE_LOOP);
    Point2 from{radius, 0.0};
    for (int i = 1; i < CIRCLE_SEGMENTS; ++i) {
        const Point2 to{std::cos(i * step) * radius, std::sin(i * step) * radius};
        seamVertex(dc, from.x, from.y);
        seamVertex(dc, to.x, to.y);
        from = to;
    }
    seamEnd(dc);
    closeCircleFrame(dc);
}

void drawDashCircle(DrawContext& dc, const Point2& c, double r, const Color4& colour) {
    const double radius = toView(r);
    const CirclePattern pattern = dashCirclePattern(r);
    const double periodAngle = 2.0 * TOOLKIT_PI / pattern.periods;
    // The product in double: in int it would pass the largest int from a radius of about 1170.
    const double chordAngle =
        2.0 * TOOLKIT_PI /
        ((static_cast<double>(pattern.dashChords) + pattern.gapChords) * pattern.periods);
    const CirclePatternLayout layout{
        radius,
        pattern.periods,
        periodAngle,
        chordAngle,
        {PatternArc{Point2{radius, 0.0}, 0.0, pattern.dashChords}, PatternArc{}},
        1};

    openCircleFrame(dc, toView(c.x), toView(c.y), colour);
    drawPattern(dc, layout);
    closeCircleFrame(dc);
}

void drawChainCircle(DrawContext& dc, const Point2& c, double r, const Color4& colour) {
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
    const CirclePatternLayout layout{radius,
                                     pattern.periods,
                                     periodAngle,
                                     chordAngle,
                                     {PatternArc{Point2{radius, 0.0}, 0.0, pattern.dashChords},
                                      PatternArc{dotPoint, dotStart, pattern.gapChords}},
                                     2};

    openCircleFrame(dc, toView(c.x), toView(c.y), colour);
    drawPattern(dc, layout);
    closeCircleFrame(dc);
}

void drawScaledDisc(DrawContext& dc, double scale, const Point2& c, double r,
                    const Color4& colour) {
    drawDisc(dc, Point2{scale * c.x, scale * c.y}, scale * r, colour);
}

void drawScaledCircle(DrawContext& dc, double scale, const Point2& c, double r,
                      const Color4& colour) {
    drawCircle(dc, Point2{scale * c.x, scale * c.y}, scale * r, colour);
}

void drawScaledChainCircle(DrawContext& dc, double scale, const Point2& c, double r,
                           const Color4& colour) {
    drawChainCircle(dc, Point2{scale * c.x, scale * c.y}, scale * r, colour);
}

}  // namespace gearmesh
