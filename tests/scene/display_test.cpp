#include "scene/display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "draw/recorder.h"
#include "geometry/gear_pair.h"
#include "tests/scene/recorded_figure.h"
#include "tests/support/recording_context.h"

namespace gearmesh {

using namespace recorded;

namespace {

GearPair pair;
ViewState view;

// What the window does on every redraw: the view moves on a frame, then it
// is drawn; literal, so that every tooth segment is its own primitive.
void nextFrame(DrawContext& dc) {
    advanceView(view, pair);
    drawFrame(dc, pair, view, FrameDrawing::Literal);
}

// A fresh setup followed by the first frame of a view, drawn with dc as the
// program shows it (a fresh recorder starts from OpenGL's initial state).
void showFirstFrame(DrawContext& dc, int z1, int z2, DrawMode mode) {
    computeGearPair(pair, z1, z2);
    resetView(view, pair);
    view.drawMode = mode;
    // What a mode key leaves behind: the next mesh frame shows rotation zero.
    view.rollStep = view.angleStep;
    view.totalAngle1 = -view.rollStep;
    view.theta1 = view.totalAngle1;
    nextFrame(dc);
}

// Contact positions (signed distances along the line of action) that a
// drive-gear turn of `turned` radians from the pitch-point contact gives:
// one base pitch apart, strictly inside the path of contact.
std::vector<double> expectedContacts(double turned) {
    const GearPair& g = pair;
    const double s0 = std::remainder(g.gears[0].baseRadius * turned, g.basePitch);
    std::vector<double> found;
    for (int n = 2; n >= -2; --n) {
        const double s = s0 + n * g.basePitch;
        if (-g.gears[0].contactLimit < s && s < g.gears[1].contactLimit) {
            found.push_back(s);
        }
    }
    return found;
}

// Blue markers other than the pitch point's own, which is always drawn.
std::vector<Point2> contactMarkers(const Recorder& recorder) {
    std::vector<Point2> blue = markers(recorder, BLUE);
    for (size_t i = 0; i < blue.size(); ++i) {
        if (distance(blue[i], Point2{0.0, 0.0}) < 1e-12) {
            blue.erase(blue.begin() + static_cast<long>(i));
            break;
        }
    }
    return blue;
}

void expectContactMarkersAt(const Recorder& recorder, const std::vector<double>& distances,
                            const std::string& where) {
    const double s = view.viewScale;
    const std::vector<Point2> found = contactMarkers(recorder);
    ASSERT_EQ(found.size(), distances.size()) << where;
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_LT(distance(found[i], scaled(s, onLineOfAction(distances[i]))), 1e-9)
            << where << ", marker " << i;
    }
}

// True when the copies of one gear's teeth in b, starting at vertex `first`,
// cover the same places as in a, whichever copy is drawn first.
bool sameTeeth(const std::vector<Point2>& a, const std::vector<Point2>& b, int first, int copies,
               int perCopy) {
    for (int shift = 0; shift < copies; ++shift) {
        bool same = true;
        for (int i = 0; i < copies * perCopy && same; i += 3) {
            const int j = (i + shift * perCopy) % (copies * perCopy);
            same = distance(a[first + i], b[first + j]) < 1e-7;
        }
        if (same) {
            return true;
        }
    }
    return false;
}

// How far segments pq and uv cross: the smallest distance of an end point
// from the other segment's line when they cross, else 0 (view units).
double crossingDepth(const Point2& p, const Point2& q, const Point2& u, const Point2& v) {
    const auto side = [](const Point2& a, const Point2& b, const Point2& c) {
        return ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) / distance(a, b);
    };
    const double su = side(p, q, u);
    const double sv = side(p, q, v);
    const double sp = side(u, v, p);
    const double sq = side(u, v, q);
    if (su * sv < 0 && sp * sq < 0) {
        return std::fmin(std::fmin(std::fabs(su), std::fabs(sv)),
                         std::fmin(std::fabs(sp), std::fabs(sq)));
    }
    return 0.0;
}

// How deep the tooth segments of gear 1 and of gear 2 within `reach` view
// units of the pitch point cut into each other (view units).
double crossingTeeth(const Recorder& recorder, int segments1, double reach) {
    const std::vector<int> teeth = toothSegments(recorder);
    std::vector<int> near1;
    std::vector<int> near2;
    for (size_t k = 0; k < teeth.size(); ++k) {
        const Point2 a = recorder.recordedPrimitiveVertex(teeth[k], 0);
        if (std::hypot(a.x, a.y) < reach) {
            (static_cast<int>(k) < segments1 ? near1 : near2).push_back(teeth[k]);
        }
    }
    double deepest = 0.0;
    for (int i : near1) {
        for (int j : near2) {
            deepest = std::fmax(deepest, crossingDepth(recorder.recordedPrimitiveVertex(i, 0),
                                                       recorder.recordedPrimitiveVertex(i, 1),
                                                       recorder.recordedPrimitiveVertex(j, 0),
                                                       recorder.recordedPrimitiveVertex(j, 1)));
        }
    }
    return deepest;
}

void expectLegend(const Recorder& recorder, const char* const (&lines)[5]) {
    ASSERT_EQ(recorder.recordedTextCount(), 5);
    const float y[] = {0.9f, 0.85f, 0.8f, 0.75f, 0.7f};
    for (int i = 0; i < 5; ++i) {
        const RecordedText& t = recorder.recordedText(i);
        EXPECT_STREQ(t.text, lines[i]);
        EXPECT_EQ(t.position.x, static_cast<double>(-0.9f));
        EXPECT_EQ(t.position.y, static_cast<double>(y[i]));
        EXPECT_EQ(t.font, LEGEND_FONT);
        // Unlit black, readable on the white background from the first frame.
        EXPECT_TRUE(sameColour(t.colour, BLACK)) << lines[i];
        EXPECT_FALSE(t.lighting) << lines[i];
    }
}

// The window-wide black cross hair through p (view units).
bool hasCrossMarkAt(const Recorder& recorder, const Point2& p) {
    for (int i = 0; i < recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive prim = recorder.recordedPrimitive(i);
        if (prim.mode != SEAM_LINES || prim.vertexCount != 4 || !sameColour(prim.colour, BLACK)) {
            continue;
        }
        const Point2 left = recorder.recordedPrimitiveVertex(i, 0);
        const Point2 bottom = recorder.recordedPrimitiveVertex(i, 2);
        if (left.x <= -1.0 && std::fabs(left.y - p.y) < 1e-12 && bottom.y <= -1.0 &&
            std::fabs(bottom.x - p.x) < 1e-12) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(display, DriveGearViewShowsGear1WithAllItsCircles) {
    RecordingContext frame;
    showFirstFrame(frame.dc, 20, 40, DrawMode::Drive);
    expectLegend(frame.recorder,
                 {"(1) draw drive gear", "     blue  : pitch circle", "     green : base circle",
                  "     black : undercut circle", "     yellow: bottom and tip circle"});
    const double s = view.viewScale;
    const Point2 centre = scaled(s, pair.gears[0].centre);
    EXPECT_NEAR(centre.y, -2.0, 1e-15);  // below the window centre, not re-centred
    EXPECT_TRUE(hasCrossMarkAt(frame.recorder, centre));

    const std::vector<Circle> circles = outlineCircles(frame.recorder);
    EXPECT_TRUE(hasCircle(circles, GREEN, centre, s * pair.gears[0].baseRadius));
    EXPECT_TRUE(hasCircle(circles, YELLOW, centre, s * 11.0));
    EXPECT_TRUE(hasCircle(circles, YELLOW, centre, s * 8.75));
    EXPECT_TRUE(hasCircle(circles, BLACK, centre, s * pair.gears[0].flankStartRadius));
    EXPECT_EQ(circles.size(), 4u);

    // z1 copies of the outline, every point between root and tip circle.
    const std::vector<int> teeth = toothSegments(frame.recorder);
    EXPECT_EQ(static_cast<int>(teeth.size()), 20 * pair.gears[0].toothOutlineLast);
    for (const Point2& v : toothVertices(frame.recorder)) {
        const double r = distance(v, centre) / s;
        EXPECT_GE(r, 8.75 - 1e-9);
        EXPECT_LE(r, 11.0 + 1e-9);
    }
    EXPECT_TRUE(sameColour(frame.recorder.recordedPrimitive(teeth.front()).colour, RED));
    EXPECT_TRUE(markers(frame.recorder, BLUE).empty());
    EXPECT_EQ(frame.recorder.matrixDepth(), 0);
}

TEST(display, DrivenGearViewShowsGear2AboveTheCentre) {
    RecordingContext frame;
    showFirstFrame(frame.dc, 10, 40, DrawMode::Driven);
    expectLegend(frame.recorder,
                 {"(2) draw driven gear", "     blue  : pitch circle", "     green : base circle",
                  "     black : undercut circle", "     yellow: bottom and tip circle"});
    const double s = view.viewScale;
    const Point2 centre = scaled(s, pair.gears[1].centre);
    EXPECT_NEAR(centre.y, 4.0, 1e-15);
    EXPECT_TRUE(hasCrossMarkAt(frame.recorder, centre));
    const std::vector<Circle> circles = outlineCircles(frame.recorder);
    EXPECT_TRUE(hasCircle(circles, GREEN, centre, s * pair.gears[1].baseRadius));
    EXPECT_TRUE(hasCircle(circles, YELLOW, centre, s * 21.0));
    EXPECT_TRUE(hasCircle(circles, YELLOW, centre, s * 18.75));
    EXPECT_EQ(toothSegments(frame.recorder).size(),
              static_cast<size_t>(40 * pair.gears[1].toothOutlineLast));
}

TEST(display, FlankStartCircleOnlyAboveTheBaseCircle) {
    // Ten teeth are deeply undercut: the black circle shows.
    RecordingContext frame;
    showFirstFrame(frame.dc, 10, 40, DrawMode::Drive);
    const double s = view.viewScale;
    ASSERT_GT(pair.gears[0].flankStartRadius, pair.gears[0].baseRadius);
    EXPECT_TRUE(hasCircle(outlineCircles(frame.recorder), BLACK, scaled(s, pair.gears[0].centre),
                          s * pair.gears[0].flankStartRadius));

    // A junction exactly on the base circle is no undercut.
    pair.gears[0].flankStartRadius = pair.gears[0].baseRadius;
    pair.gears[1].flankStartRadius = pair.gears[1].baseRadius;
    nextFrame(frame.dc);
    EXPECT_EQ(countCircles(outlineCircles(frame.recorder), BLACK), 0);
    view.drawMode = DrawMode::Mesh;
    nextFrame(frame.dc);
    EXPECT_EQ(countCircles(outlineCircles(frame.recorder), BLACK), 0);
}

TEST(display, FirstMeshFrameTouchesAtThePitchPoint) {
    RecordingContext frame;
    showFirstFrame(frame.dc, 20, 40, DrawMode::Mesh);
    expectLegend(
        frame.recorder,
        {"(3) draw gear mesh", "     circle : blue :pitch cl,  green:base cl,  black:undercut cl",
         "     point  : blue :pitch pnt, black:mesh start and finish pnt",
         "                 green:interference pnt, red:contact pnt",
         "     green line : path of contact"});
    EXPECT_EQ(view.totalAngle1, 0.0);
    EXPECT_EQ(view.totalAngle2, 0.0);
    EXPECT_NEAR(view.theta1, pair.basePitchAngle1, 1e-15);
    EXPECT_NEAR(view.theta2, 2 * PI / 40, 1e-15);

    // Exactly one contact marker, over the pitch point's own.
    ASSERT_EQ(view.contactCount, 1);
    const std::vector<Point2> blue = markers(frame.recorder, BLUE);
    ASSERT_EQ(blue.size(), 2u);
    for (const Point2& p : blue) {
        EXPECT_LT(distance(p, Point2{0.0, 0.0}), 1e-12);
    }
    EXPECT_TRUE(hasCrossMarkAt(frame.recorder, Point2{0.0, 0.0}));

    // Both gears' teeth, and no root circle in the mesh view.
    EXPECT_EQ(toothSegments(frame.recorder).size(),
              static_cast<size_t>(20 * pair.gears[0].toothOutlineLast +
                                  40 * pair.gears[1].toothOutlineLast));
    const double s = view.viewScale;
    const std::vector<Circle> circles = outlineCircles(frame.recorder);
    EXPECT_EQ(countCircles(circles, YELLOW), 2);
    EXPECT_TRUE(hasCircle(circles, YELLOW, scaled(s, pair.gears[0].centre), s * 11.0));
    EXPECT_TRUE(hasCircle(circles, YELLOW, scaled(s, pair.gears[1].centre), s * 21.0));
    EXPECT_EQ(countCircles(circles, GREEN), 2);
    EXPECT_EQ(countCircles(circles, BLACK), 2);
}

TEST(display, MeshMarkersSitOnTheLineOfAction) {
    const struct {
        int z1, z2;
    } pairs[] = {{20, 40}, {10, 40}, {12, 30}, {25, 40}, {1, 1}, {149, 149}, {40, 13}};
    for (const auto& counts : pairs) {
        RecordingContext frame;
        showFirstFrame(frame.dc, counts.z1, counts.z2, DrawMode::Mesh);
        const GearPair& g = pair;
        const double s = view.viewScale;
        const std::string where = std::to_string(counts.z1) + "/" + std::to_string(counts.z2);

        // Green interference markers at both tangency points.
        const std::vector<Point2> green = markers(frame.recorder, GREEN);
        ASSERT_EQ(green.size(), 2u) << where;
        EXPECT_LT(distance(green[0], scaled(s, g.gears[0].interferencePoint)), 1e-12) << where;
        EXPECT_LT(distance(green[1], scaled(s, g.gears[1].interferencePoint)), 1e-12) << where;

        // One black marker on each side, at the ends of the path of contact.
        const std::vector<Point2> black = markers(frame.recorder, BLACK);
        ASSERT_EQ(black.size(), 2u) << where;
        EXPECT_LT(distance(black[0], scaled(s, onLineOfAction(-g.gears[0].contactLimit))), 1e-9)
            << where;
        EXPECT_LT(distance(black[1], scaled(s, onLineOfAction(g.gears[1].contactLimit))), 1e-9)
            << where;

        // The green path of contact runs between the interference points.
        bool pathFound = false;
        for (int i = 0; i < frame.recorder.storedPrimitiveCount(); ++i) {
            const RecordedPrimitive p = frame.recorder.recordedPrimitive(i);
            if (p.mode == SEAM_LINES && p.vertexCount == 2 && sameColour(p.colour, GREEN) &&
                distance(frame.recorder.recordedPrimitiveVertex(i, 0),
                         scaled(s, g.gears[0].interferencePoint)) < 1e-12 &&
                distance(frame.recorder.recordedPrimitiveVertex(i, 1),
                         scaled(s, g.gears[1].interferencePoint)) < 1e-12) {
                pathFound = true;
            }
        }
        EXPECT_TRUE(pathFound) << where;
        EXPECT_LE(view.contactCount, 2) << where;
    }
}

TEST(display, TiedLimitStillGetsItsMarker) {
    // The flank starting on the base circle and the mating tip beyond the
    // interference point: the flank start and interference points coincide
    // and tie for nearest.
    RecordingContext frame;
    showFirstFrame(frame.dc, 20, 40, DrawMode::Mesh);
    Gear& g1 = pair.gears[0];
    g1.flankStartPoint = g1.interferencePoint;
    g1.flankStartDist = g1.interferenceDist;
    pair.gears[1].tipContactDist = g1.interferenceDist + 1.0;
    findContactEnds(pair);
    nextFrame(frame.dc);
    const std::vector<Point2> black = markers(frame.recorder, BLACK);
    ASSERT_EQ(black.size(), 2u);
    EXPECT_LT(distance(black[0], scaled(view.viewScale, pair.gears[0].interferencePoint)), 1e-12);
}

TEST(display, EachStepMovesTheContactAlongTheLineOfAction) {
    RecordingContext frame;
    showFirstFrame(frame.dc, 20, 40, DrawMode::Mesh);
    const double step = view.angleStep;
    for (int k = 1; k <= 45; ++k) {
        nextFrame(frame.dc);
        expectContactMarkersAt(frame.recorder, expectedContacts(k * step),
                               "step " + std::to_string(k));
        EXPECT_GE(view.theta1, pair.basePitchAngle1);
        EXPECT_LT(view.theta1, 2 * pair.basePitchAngle1);
        EXPECT_NEAR(view.totalAngle1, k * step, 1e-12);
    }

    // Reversed, the contact runs back past the pitch point.
    view.rollStep = -view.angleStep;
    for (int k = 44; k >= -45; --k) {
        nextFrame(frame.dc);
        expectContactMarkersAt(frame.recorder, expectedContacts(k * step),
                               "back to step " + std::to_string(k));
        EXPECT_GE(view.theta1, pair.basePitchAngle1);
        EXPECT_LT(view.theta1, 2 * pair.basePitchAngle1);
    }
}

TEST(display, OneToothPitchLaterTheTeethStandAsAtTheStart) {
    RecordingContext frame;
    showFirstFrame(frame.dc, 20, 40, DrawMode::Mesh);
    const std::vector<Point2> first = toothVertices(frame.recorder);
    for (int k = 1; k <= 40; ++k) {
        nextFrame(frame.dc);
    }
    const std::vector<Point2> later = toothVertices(frame.recorder);
    ASSERT_EQ(first.size(), later.size());
    // Gear 1's copies come first, then gear 2's.
    const int perCopy1 = 2 * pair.gears[0].toothOutlineLast;
    const int perCopy2 = 2 * pair.gears[1].toothOutlineLast;
    EXPECT_TRUE(sameTeeth(first, later, 0, 20, perCopy1));
    EXPECT_TRUE(sameTeeth(first, later, 20 * perCopy1, 40, perCopy2));
    // The centre lines and pitch chain circles turn on with the unwrapped angle.
    EXPECT_NEAR(view.totalAngle1, 2 * PI / 20, 1e-12);
    EXPECT_NEAR(view.totalAngle2, 2 * PI / 40, 1e-12);
}

TEST(display, MeshingTeethNeverCutIntoEachOther) {
    // The outlines are sampled curves; where a concave fillet meets the mate
    // its chords may overlap by about 0.001 modules, well under a pixel.
    const double tolerance = 0.005;  // modules
    const struct { int z1, z2; } pairs[] = {{20, 40}, {10, 40}, {40, 13}};
    for (const auto& counts : pairs) {
        RecordingContext frame;
        showFirstFrame(frame.dc, counts.z1, counts.z2, DrawMode::Mesh);
        const int segments1 = counts.z1 * pair.gears[0].toothOutlineLast;
        const double s = view.viewScale;
        for (int k = 0; k <= 40; ++k) {
            EXPECT_LT(crossingTeeth(frame.recorder, segments1, 4.0 * s) / s, tolerance)
                << counts.z1 << "/" << counts.z2 << " step " << k;
            nextFrame(frame.dc);
        }
    }
}

TEST(display, ZoomScalesTheFigureButNotTheMarkers) {
    RecordingContext frame;
    showFirstFrame(frame.dc, 20, 40, DrawMode::Mesh);
    for (double scale : {0.02, 0.2, 1.0}) {
        view.viewScale = scale;
        nextFrame(frame.dc);
        const std::vector<Circle> circles = outlineCircles(frame.recorder);
        EXPECT_TRUE(hasCircle(circles, GREEN, scaled(scale, pair.gears[0].centre),
                              scale * pair.gears[0].baseRadius));
        int markerCount = 0;
        for (const Circle& d : discs(frame.recorder)) {
            if (sameColour(d.colour, BLACK) && std::fabs(d.radius - 0.1 * scale) < 1e-12) {
                continue;  // centre dots are 0.1 modules and scale with the figure
            }
            EXPECT_NEAR(d.radius, MARKER_RADIUS, 1e-12);
            ++markerCount;
        }
        EXPECT_GE(markerCount, 6);
    }
}

TEST(display, SingleGearViewsDoNotTurn) {
    RecordingContext frame;
    showFirstFrame(frame.dc, 20, 40, DrawMode::Drive);
    const std::vector<Point2> first = toothVertices(frame.recorder);
    const ViewState before = view;
    for (int k = 0; k < 3; ++k) {
        nextFrame(frame.dc);
    }
    EXPECT_EQ(view.theta1, before.theta1);
    EXPECT_EQ(view.totalAngle1, before.totalAngle1);
    const std::vector<Point2> later = toothVertices(frame.recorder);
    ASSERT_EQ(first.size(), later.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].x, later[i].x);
        EXPECT_EQ(first[i].y, later[i].y);
    }
}

}  // namespace gearmesh
