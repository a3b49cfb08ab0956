#include "scene/study_figure.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "draw/affine2.h"
#include "draw/bounds.h"
#include "draw/circles.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/shapes.h"
#include "scene/display.h"

namespace gearmesh {

namespace {

// Sizes in view units; 0.0025 is one pixel of the 800 by 800 window.
constexpr double PIXEL = 1.0 / VIEW_FACTOR;
constexpr double BAND_WIDTH = 8 * PIXEL;
constexpr double RING_RADIUS = 7 * PIXEL;
constexpr float RING_PIXELS = 3.0f;
constexpr double DIAMOND_HALF_DIAGONAL = 6 * PIXEL;
constexpr double CHART_DOT_RADIUS = 4 * PIXEL;
constexpr double CHART_CURVE_WIDTH = 3 * PIXEL;
constexpr double CHART_ZERO_WIDTH = 3 * PIXEL;
constexpr double CHART_CONTACT_WIDTH = 2 * PIXEL;
constexpr double CHART_AXIS_WIDTH = 1 * PIXEL;
constexpr double CHART_TICK_LENGTH = 3 * PIXEL;
// Chart labels: the curves' names above the plot box, each at its own
// place on the first legend line's baseline; the scale's numbers right
// aligned left of it, their baselines half a capital below the level
// they name.
constexpr double CHART_NAME_SPACING = 0.2;
constexpr double CHART_LABEL_GAP = 6 * PIXEL;
constexpr double HALF_CAPITAL = 6.5 * PIXEL;
// Segments of each chart curve.
constexpr int CHART_SAMPLES = 64;
// Room for a legend line or a chart label, whatever numbers it holds.
constexpr int TEXT_ROOM = 128;

// Legend lines of the study view, below the classic legend.
constexpr int MESH_STUDY_LINES = 3;
constexpr int GEAR_STUDY_LINES = 2;
constexpr const char* FORM_CIRCLE_LEGEND = "purple: true form circle";

// The text of one legend line.
struct LegendText {
    char text[TEXT_ROOM];
};

// Gear 1's shift in signed hundredths: counted as a whole number, so that
// zero is +0.00 for both gears and 0.25 stays 0.25.
LegendText shiftLine(double shift) {
    const long hundredths = std::lround(shift * 100.0);
    const long x1 = hundredths;
    const long x2 = -hundredths;
    LegendText line;
    std::snprintf(line.text, sizeof line.text, "profile shift: x1 = %c%ld.%02ld, x2 = %c%ld.%02ld",
                  x1 < 0 ? '-' : '+', std::labs(x1) / 100, std::labs(x1) % 100, x2 < 0 ? '-' : '+',
                  std::labs(x2) / 100, std::labs(x2) % 100);
    return line;
}

// Pixels the legend font's pen moves over text, in view units.
double textWidth(const char* text) {
    int pixels = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        pixels += legendAdvance(*c);
    }
    return pixels * PIXEL;
}

// Where the contact at u (modules along the line of action, positive towards
// gear 1's interference point) stands in the picture, view units.
Point2 onLineOfAction(const GearPair& pair, double scale, double u) {
    return Point2{scale * u * pair.cosAlpha, -scale * u * pair.sinAlpha};
}

// The colour of the path's stretch where n pairs touch: one, or more.
const Color4& zoneColour(int pairs) {
    return pairs == 1 ? MAGENTA : ORANGE;
}

// Calls part(from, to, colour) for the stretches of the exact path, along u:
// where two pairs share the load, the single-pair zone, and again two pairs.
template <typename Part>
void forEachZone(const PairStudy& study, Part part) {
    if (!study.hasSinglePairZone) {
        part(study.pathFrom, study.pathTo, ORANGE);
        return;
    }
    if (study.singleFrom > study.pathFrom) {
        part(study.pathFrom, study.singleFrom, ORANGE);
    }
    part(study.singleFrom, study.singleTo, MAGENTA);
    if (study.singleTo < study.pathTo) {
        part(study.singleTo, study.pathTo, ORANGE);
    }
}

// The band beside the line of action, one thick line per stretch.
void drawBand(DrawContext& dc, const GearPair& pair, double scale, const PairStudy& study) {
    // Towards the upper right of the line, which runs down to the right.
    const Point2 side{STUDY_BAND_OFFSET * pair.sinAlpha, STUDY_BAND_OFFSET * pair.cosAlpha};
    forEachZone(study, [&](double from, double to, const Color4& colour) {
        const Point2 a = onLineOfAction(pair, scale, from);
        const Point2 b = onLineOfAction(pair, scale, to);
        drawBoundedThickLine(dc, Point2{a.x + side.x, a.y + side.y},
                             Point2{b.x + side.x, b.y + side.y}, BAND_WIDTH, colour);
    });
}

// A ring about each contact on the exact path.
void drawContactRings(DrawContext& dc, const GearPair& pair, double scale, const double* contacts,
                      int count) {
    seamLineWidth(dc, RING_PIXELS);
    for (int i = 0; i < count; ++i) {
        drawCircle(dc, onLineOfAction(pair, scale, contacts[i]), RING_RADIUS, zoneColour(count));
    }
    seamLineWidth(dc, 2.0f);
}

// The chart's frame: where u and zeta stand in it.
struct ChartScale {
    double from, to;  // the path of contact, modules
};

double chartX(const ChartScale& c, double u) {
    return STUDY_CHART_LEFT +
           (u - c.from) / (c.to - c.from) * (STUDY_CHART_RIGHT - STUDY_CHART_LEFT);
}

double chartY(double zeta) {
    return STUDY_CHART_TOP - (STUDY_CHART_ZETA_TOP - zeta) /
                                 (STUDY_CHART_ZETA_TOP - STUDY_CHART_ZETA_FLOOR) *
                                 (STUDY_CHART_TOP - STUDY_CHART_BOTTOM);
}

// Labels: the curves' names in their colours, the scale's numbers in black.
void drawChartLabels(DrawContext& dc) {
    seamLighting(dc, false);
    const float nameY = LEGEND_Y[0];
    seamColor(dc, BROWN);
    drawString(dc, static_cast<float>(STUDY_CHART_LEFT), nameY, LEGEND_FONT, "zeta1");
    seamColor(dc, TEAL);
    drawString(dc, static_cast<float>(STUDY_CHART_LEFT + CHART_NAME_SPACING), nameY, LEGEND_FONT,
               "zeta2");
    seamColor(dc, BLACK);
    const double levels[3] = {STUDY_CHART_ZETA_TOP, 0.0, STUDY_CHART_ZETA_FLOOR};
    for (const double level : levels) {
        char number[TEXT_ROOM];
        std::snprintf(number, sizeof number, "%.0f", level);
        const double x = STUDY_CHART_LEFT - CHART_LABEL_GAP - textWidth(number);
        drawString(dc, static_cast<float>(x), static_cast<float>(chartY(level) - HALF_CAPITAL),
                   LEGEND_FONT, number);
    }
    seamLighting(dc, true);
}

// The zeta axis with ticks at the top and the floor.
void drawChartAxis(DrawContext& dc) {
    drawThickLine(dc, Point2{STUDY_CHART_LEFT, STUDY_CHART_TOP},
                  Point2{STUDY_CHART_LEFT, STUDY_CHART_BOTTOM}, CHART_AXIS_WIDTH, GREY);
    for (const double level : {STUDY_CHART_ZETA_TOP, STUDY_CHART_ZETA_FLOOR}) {
        drawThickLine(dc, Point2{STUDY_CHART_LEFT - CHART_TICK_LENGTH, chartY(level)},
                      Point2{STUDY_CHART_LEFT, chartY(level)}, CHART_AXIS_WIDTH, GREY);
    }
}

// Specific sliding of one gear: zeta(study, u).
using Sliding = double (*)(const PairStudy&, double);

// Where on the line of action a gear's specific sliding reaches the chart's
// floor: zeta1 = 1 - z1 rho2 / (z2 rho1) falls and zeta2 rises along u, each
// without bound at the interference point where its own flank's radius of
// curvature ends.
double floorCrossing1(const PairStudy& s) {
    const double k = 1.0 - STUDY_CHART_ZETA_FLOOR;
    return (k * s.z2 * s.pitchCurvature1 - s.z1 * s.pitchCurvature2) / (k * s.z2 + s.z1);
}

double floorCrossing2(const PairStudy& s) {
    const double k = 1.0 - STUDY_CHART_ZETA_FLOOR;
    return (s.z2 * s.pitchCurvature1 - k * s.z1 * s.pitchCurvature2) / (s.z2 + k * s.z1);
}

// One gear's curve over u from .. to (within the chart's range), sampled evenly.
void drawChartCurve(DrawContext& dc, const ChartScale& c, const PairStudy& study, Sliding zeta,
                    double from, double to, const Color4& colour) {
    if (!(from < to)) {
        return;
    }
    Point2 points[CHART_SAMPLES + 1];
    for (int i = 0; i <= CHART_SAMPLES; ++i) {
        // The last sample lands on to itself, where a curve meets the floor.
        const double u = i == CHART_SAMPLES ? to : from + (to - from) * i / CHART_SAMPLES;
        points[i] = Point2{chartX(c, u), chartY(zeta(study, u))};
    }
    drawScaledThickPolyline(dc, 1.0, points, CHART_SAMPLES, CHART_CURVE_WIDTH, colour);
}

// The chart of zeta1 and zeta2 along the exact path: the zero line in the
// band's colours, the curves, and a line across the chart at each contact
// with a dot where it meets each curve.
void drawChart(DrawContext& dc, const PairStudy& study, const double* contacts, int count) {
    drawChartAxis(dc);
    if (!study.hasPath) {
        drawThickLine(dc, Point2{STUDY_CHART_LEFT, chartY(0.0)},
                      Point2{STUDY_CHART_RIGHT, chartY(0.0)}, CHART_AXIS_WIDTH, GREY);
        return;
    }
    const ChartScale c{study.pathFrom, study.pathTo};
    forEachZone(study, [&](double from, double to, const Color4& colour) {
        drawThickLine(dc, Point2{chartX(c, from), chartY(0.0)}, Point2{chartX(c, to), chartY(0.0)},
                      CHART_ZERO_WIDTH, colour);
    });
    drawChartCurve(dc, c, study, specificSliding1, study.pathFrom,
                   std::fmin(study.pathTo, floorCrossing1(study)), BROWN);
    drawChartCurve(dc, c, study, specificSliding2, std::fmax(study.pathFrom, floorCrossing2(study)),
                   study.pathTo, TEAL);
    for (int i = 0; i < count; ++i) {
        const double x = chartX(c, contacts[i]);
        const Color4& colour = zoneColour(count);
        drawThickLine(dc, Point2{x, STUDY_CHART_TOP}, Point2{x, STUDY_CHART_BOTTOM},
                      CHART_CONTACT_WIDTH, colour);
        for (const Sliding zeta : {specificSliding1, specificSliding2}) {
            const double value = zeta(study, contacts[i]);
            if (value >= STUDY_CHART_ZETA_FLOOR) {
                drawDisc(dc, Point2{x, chartY(value)}, CHART_DOT_RADIUS, colour);
            }
        }
    }
}

void drawMeshStudy(DrawContext& dc, const GearPair& pair, const ViewState& view,
                   const ExactPair& exact, const PairStudy& study) {
    double contacts[STUDY_CONTACT_CAPACITY];
    const int count = contactsOnPath(study, pair, view.theta1, contacts);
    // Texts first, as the page and the SVG paint them: nothing the study
    // view draws passes over them.
    LegendText lines[MESH_STUDY_LINES];
    std::snprintf(lines[0].text, sizeof lines[0].text, "pairs in contact: %d", count);
    // Adding 0.0 keeps a sum of zero from printing as -0.000.
    const double asDrawn =
        (pair.gears[0].contactLimit + pair.gears[1].contactLimit) / pair.basePitch + 0.0;
    std::snprintf(lines[1].text, sizeof lines[1].text, "contact ratio: %.3f true, %.3f as drawn",
                  exact.contactRatio, asDrawn);
    lines[2] = shiftLine(pair.gears[0].shift);
    const char* texts[MESH_STUDY_LINES] = {lines[0].text, lines[1].text, lines[2].text};
    drawLegendLines(dc, CLASSIC_LEGEND_LINES, texts, MESH_STUDY_LINES);
    drawChartLabels(dc);

    if (study.hasPath) {
        drawBand(dc, pair, view.viewScale, study);
        drawContactRings(dc, pair, view.viewScale, contacts, count);
    }
    drawChart(dc, study, contacts, count);
}

// A filled square standing on a corner, its middle on c (view units).
void drawDiamond(DrawContext& dc, const Point2& c, const Color4& colour) {
    const double side = DIAMOND_HALF_DIAGONAL * std::sqrt(2.0);
    drawFilledRect(dc, Point2{c.x, c.y - DIAMOND_HALF_DIAGONAL}, side, side, FULL_PI / 4, colour);
}

// The true form circle of one gear and a diamond where it meets each flank of
// every tooth, the teeth placed as drawGearTeeth places them: about the
// gear's centre, turned by angle, copy i turned back by i pitches.
void drawFormCircle(DrawContext& dc, const Gear& gear, const ExactGear& exact, double scale,
                    double angle) {
    if (!exact.hasInvolute) {
        return;
    }
    drawScaledCircle(dc, scale, gear.centre, exact.junctionRadius, PURPLE);
    // Where the circle meets tooth 0's flank that faces space 0, and the
    // other flank, mirrored in the tooth's middle (gear frame: polar angle
    // from +y towards +x).
    const Point2 left = exactInvolutePoint(exact, exact.junctionRoll);
    const double radius = std::hypot(left.x, left.y);
    const double mirrored = exact.toothAngle - std::atan2(left.x, left.y);
    const Point2 right{radius * std::sin(mirrored), radius * std::cos(mirrored)};
    const Point2 flanks[2] = {Point2{toView(scale * left.x), toView(scale * left.y)},
                              Point2{toView(scale * right.x), toView(scale * right.y)}};

    const double pitchAngle = 2.0 * PI / gear.teeth;
    Affine2 m = affineRotated(affineTranslated(IDENTITY_AFFINE, toView(scale * gear.centre.x),
                                               toView(scale * gear.centre.y)),
                              angle * RAD_TO_DEG);
    const bool bounded = boundedDrawing(dc);
    for (int i = 0; i < gear.teeth; ++i) {
        m = affineRotated(m, -pitchAngle * RAD_TO_DEG);
        for (const Point2& flank : flanks) {
            const Point2 p = affineApply(m, flank.x, flank.y);
            const double h = DIAMOND_HALF_DIAGONAL;
            if (!bounded || viewBoxShows(p.x - h, p.y - h, p.x + h, p.y + h)) {
                drawDiamond(dc, p, PURPLE);
            }
        }
    }
}

void drawGearStudy(DrawContext& dc, const Gear& gear, const ExactGear& exact, double scale,
                   double shift) {
    const LegendText shiftText = shiftLine(shift);
    const char* texts[GEAR_STUDY_LINES] = {FORM_CIRCLE_LEGEND, shiftText.text};
    drawLegendLines(dc, CLASSIC_LEGEND_LINES, texts, GEAR_STUDY_LINES);
    // The single-gear views show each gear unturned.
    drawFormCircle(dc, gear, exact, scale, 0.0);
}

}  // namespace

void drawStudyFigure(DrawContext& dc, const GearPair& pair, const ViewState& view,
                     const ExactPair& exact, const PairStudy& study) {
    // The classic figure's turns, undone in degrees, leave a trace of a turn
    // behind: the study view starts from the identity, as the frame does.
    seamPushMatrix(dc);
    seamLoadIdentity(dc);
    switch (view.drawMode) {
    case DrawMode::Drive:
        drawGearStudy(dc, pair.gears[0], exact.gear1, view.viewScale, pair.gears[0].shift);
        break;
    case DrawMode::Driven:
        drawGearStudy(dc, pair.gears[1], exact.gear2, view.viewScale, pair.gears[0].shift);
        break;
    case DrawMode::Mesh:
        drawMeshStudy(dc, pair, view, exact, study);
        break;
    }
    seamPopMatrix(dc);
}

}  // namespace gearmesh
