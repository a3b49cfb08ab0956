// The study view as a student reads it, through the recorder: legend lines,
// the band's colours along the exact path, a ring at each contact, the
// chart in its corner and the true form circle.

#include "scene/study_figure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "draw/frame.h"
#include "draw/recorder.h"
#include "scene/display.h"
#include "scene/view_commands.h"
#include "tests/scene/recorded_figure.h"
#include "tests/support/recording_context.h"

namespace gearmesh {

using namespace recorded;

namespace {

const double ALPHA = FULL_PI / 9;

// One pair, its exact model and the view, as the session holds them.
struct Scene {
    GearPair pair;
    ExactPair exact;
    PairStudy study;
    ViewState view;
};

// Counts z1, z2 at shift after the mode's key at scale and steps presses of s.
Scene sceneOf(int z1, int z2, double shift, ViewCommand mode, double scale = 0.2, int steps = 0) {
    Scene s{};
    computeGearPair(s.pair, z1, z2, shift);
    s.exact = exactPair(z1, z2, shift);
    s.study = studyOf(s.exact);
    resetView(s.view, s.pair);
    s.view.viewScale = scale;
    applyViewCommand(s.view, mode);
    for (int k = 0; k <= steps; ++k) {
        advanceView(s.view, s.pair);
    }
    return s;
}

// The frame as the session draws it with the study view on.
void drawStudyFrame(RecordingContext& frame, const Scene& s) {
    beginFrame(frame.dc, FrameDrawing::Bounded);
    drawFigure(frame.dc, s.pair, s.view);
    drawStudyFigure(frame.dc, s.pair, s.view, s.exact, s.study);
    endFrame(frame.dc);
}

// Stored primitives of one look.
std::vector<int> primitives(const Recorder& r, SeamMode mode, const Color4& colour, float width) {
    std::vector<int> found;
    for (int i = 0; i < r.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive p = r.recordedPrimitive(i);
        if (p.mode == mode && sameColour(p.colour, colour) && p.lineWidth == width) {
            found.push_back(i);
        }
    }
    return found;
}

// The band's stretches: where along the line of action (modules, positive
// towards gear 1's interference point) each begins and ends, and whether it
// is magenta, in order along the line.
struct BandPart {
    double from, to;
    bool single;
};

std::vector<BandPart> bandParts(const Recorder& r, double scale) {
    std::vector<BandPart> parts;
    for (const bool single : {true, false}) {
        for (int i : primitives(r, SEAM_LINES, single ? MAGENTA : ORANGE, 8.0f)) {
            double u[2];
            for (int j = 0; j < 2; ++j) {
                const Point2 v = r.recordedPrimitiveVertex(i, j);
                u[j] = (v.x * std::cos(ALPHA) - v.y * std::sin(ALPHA)) / scale;
                // Beside the line, on its upper right, clear of its 4-pixel markers.
                EXPECT_NEAR(v.x * std::sin(ALPHA) + v.y * std::cos(ALPHA), 14 / 400.0, 1e-12);
            }
            parts.push_back(BandPart{std::fmin(u[0], u[1]), std::fmax(u[0], u[1]), single});
        }
    }
    std::sort(parts.begin(), parts.end(),
              [](const BandPart& a, const BandPart& b) { return a.from < b.from; });
    return parts;
}

}  // namespace

TEST(drawStudyFigure, MeshLegendLinesBelowTheClassicLegend) {
    // Contact ratios as the README quotes them; the shift in signed hundredths.
    const struct {
        int z1, z2;
        double shift;
        const char* lines[3];
    } cases[] = {
        {20,
         40,
         0.0,
         {"pairs in contact: 1", "contact ratio: 1.635 true, 1.635 as drawn",
          "profile shift: x1 = +0.00, x2 = +0.00"}},
        {20, 149, 0.0, {nullptr, "contact ratio: 1.724 true, 1.695 as drawn", nullptr}},
        {1, 1, 0.0, {"pairs in contact: 0", "contact ratio: 0.000 true, 0.000 as drawn", nullptr}},
        {20, 40, 0.25, {nullptr, nullptr, "profile shift: x1 = +0.25, x2 = -0.25"}},
        {20, 40, -0.3, {nullptr, nullptr, "profile shift: x1 = -0.30, x2 = +0.30"}},
    };
    const float baselines[3] = {0.65f, 0.6f, 0.55f};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.z1) + "/" + std::to_string(c.z2) + " shift " +
                     std::to_string(c.shift));
        RecordingContext frame;
        drawStudyFrame(frame, sceneOf(c.z1, c.z2, c.shift, ViewCommand::ShowMesh));
        for (int k = 0; k < 3; ++k) {
            const RecordedText& t = frame.recorder.recordedText(CLASSIC_LEGEND_LINES + k);
            if (c.lines[k] != nullptr) {
                EXPECT_STREQ(t.text, c.lines[k]);
            }
            EXPECT_EQ(t.position.x, static_cast<double>(-0.9f));
            EXPECT_EQ(t.position.y, static_cast<double>(baselines[k]));
        }
    }
}

TEST(drawStudyFigure, BandChangesColourAtTheSinglePairZoneEnds) {
    const struct {
        int z1, z2;
        double shift;
    } pairs[] = {{20, 40, 0.0},   {40, 20, 0.0},  {12, 30, 0.0}, {12, 30, 0.3},
                 {149, 149, 0.0}, {20, 149, 0.0}, {12, 12, 0.0}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(std::to_string(p.z1) + "/" + std::to_string(p.z2) + " shift " +
                     std::to_string(p.shift));
        const Scene s = sceneOf(p.z1, p.z2, p.shift, ViewCommand::ShowMesh);
        RecordingContext frame;
        drawStudyFrame(frame, s);
        // One pair alone touches within one base pitch of both ends of the path.
        const double from = -s.exact.pathEnd2, to = s.exact.pathEnd1;
        const double pitch = FULL_PI * std::cos(ALPHA);
        const double singleFrom = std::fmax(from, to - pitch);
        const double singleTo = std::fmin(to, from + pitch);
        std::vector<BandPart> expected;
        if (singleFrom > from) {
            expected.push_back({from, singleFrom, false});
        }
        expected.push_back({singleFrom, singleTo, true});
        if (singleTo < to) {
            expected.push_back({singleTo, to, false});
        }
        const std::vector<BandPart> found = bandParts(frame.recorder, s.view.viewScale);
        ASSERT_EQ(found.size(), expected.size());
        for (size_t i = 0; i < found.size(); ++i) {
            EXPECT_NEAR(found[i].from, expected[i].from, 1e-12) << "part " << i;
            EXPECT_NEAR(found[i].to, expected[i].to, 1e-12) << "part " << i;
            EXPECT_EQ(found[i].single, expected[i].single) << "part " << i;
        }
    }
    // Zoomed in on the pitch point, the band is cut to the window.
    RecordingContext deep;
    drawStudyFrame(deep, sceneOf(20, 40, 0.0, ViewCommand::ShowMesh, MAX_VIEW_SCALE));
    const std::vector<int> magenta = primitives(deep.recorder, SEAM_LINES, MAGENTA, 8.0f);
    ASSERT_EQ(magenta.size(), 1u);
    for (int j = 0; j < 2; ++j) {
        const Point2 v = deep.recorder.recordedPrimitiveVertex(magenta[0], j);
        EXPECT_LE(std::fmax(std::fabs(v.x), std::fabs(v.y)), 1.05 + 1e-12);
    }
}

TEST(drawStudyFigure, OneRingAtEachContactOnTheExactPath) {
    const struct {
        int z1, z2;
        size_t fewest, most;
    } pairs[] = {{20, 40, 1, 2}, {12, 12, 0, 1}, {20, 149, 1, 2}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(std::to_string(p.z1) + "/" + std::to_string(p.z2));
        size_t fewest = 4, most = 0;
        int withoutBlueDot = 0;
        for (int k = 0; k < 40; ++k) {
            const Scene s = sceneOf(p.z1, p.z2, 0.0, ViewCommand::ShowMesh, 0.2, k);
            RecordingContext frame;
            drawStudyFrame(frame, s);
            // Gear 1 turned from the pitch-point contact: the contacts one base
            // pitch apart, those on the exact path, ends included.
            std::vector<double> expected;
            for (int n = -3; n <= 3; ++n) {
                const double u =
                    -s.pair.gears[0].baseRadius * s.view.totalAngle1 + n * s.pair.basePitch;
                if (u >= -s.exact.pathEnd2 - 1e-9 && u <= s.exact.pathEnd1 + 1e-9) {
                    expected.push_back(u);
                }
            }
            std::vector<Circle> rings;
            for (const Circle& c : outlineCircles(frame.recorder)) {
                if (sameColour(c.colour, MAGENTA) || sameColour(c.colour, ORANGE)) {
                    rings.push_back(c);
                }
            }
            ASSERT_EQ(rings.size(), expected.size()) << "step " << k;
            for (size_t i = 0; i < rings.size(); ++i) {
                const Point2 at{0.2 * expected[i] * std::cos(ALPHA),
                                -0.2 * expected[i] * std::sin(ALPHA)};
                EXPECT_LT(distance(rings[i].centre, at), 1e-9) << "step " << k;
                EXPECT_TRUE(sameColour(rings[i].colour, rings.size() == 1 ? MAGENTA : ORANGE));
            }
            EXPECT_EQ(std::string(frame.recorder.recordedText(CLASSIC_LEGEND_LINES).text),
                      "pairs in contact: " + std::to_string(rings.size()));
            fewest = std::min(fewest, rings.size());
            most = std::max(most, rings.size());
            withoutBlueDot += static_cast<int>(rings.size()) > s.view.contactCount;
        }
        EXPECT_EQ(fewest, p.fewest);
        EXPECT_EQ(most, p.most);
        // The sampled path of 20/149 ends short of the exact one.
        EXPECT_EQ(withoutBlueDot > 0, p.z2 == 149);
    }
}

TEST(drawStudyFigure, ChartKeepsItsPlaceAndItsLinesOffItsLabels) {
    // The chart is drawn last, from its grey axis on: every vertex of it.
    const auto chart = [](const Recorder& r) {
        std::vector<double> found;
        bool started = false;
        for (int i = 0; i < r.storedPrimitiveCount(); ++i) {
            started = started || sameColour(r.recordedPrimitive(i).colour, GREY);
            for (int j = 0; started && j < r.recordedPrimitive(i).vertexCount; ++j) {
                found.push_back(r.recordedPrimitiveVertex(i, j).x);
                found.push_back(r.recordedPrimitiveVertex(i, j).y);
            }
        }
        return found;
    };
    RecordingContext first;
    drawStudyFrame(first, sceneOf(20, 40, 0.0, ViewCommand::ShowMesh, 0.2, 10));
    const std::vector<double> reference = chart(first.recorder);
    ASSERT_GT(reference.size(), 200u);
    for (const double scale : {MIN_VIEW_SCALE, 0.2 / std::pow(0.9, 7), MAX_VIEW_SCALE}) {
        RecordingContext frame;
        drawStudyFrame(frame, sceneOf(20, 40, 0.0, ViewCommand::ShowMesh, scale, 10));
        EXPECT_EQ(chart(frame.recorder), reference) << "scale " << scale;
    }
    // Within its box but for the ticks and the dots' radius; its labels
    // outside that, so that no line of the chart crosses them.
    const double slack = 0.011;
    for (size_t k = 0; k + 1 < reference.size(); k += 2) {
        EXPECT_TRUE(reference[k] >= STUDY_CHART_LEFT - slack &&
                    reference[k] <= STUDY_CHART_RIGHT + slack &&
                    reference[k + 1] >= STUDY_CHART_BOTTOM - slack &&
                    reference[k + 1] <= STUDY_CHART_TOP + slack);
    }
    const Recorder& r = first.recorder;
    ASSERT_EQ(r.recordedTextCount(), CLASSIC_LEGEND_LINES + 3 + 5);
    EXPECT_STREQ(r.recordedText(CLASSIC_LEGEND_LINES + 3).text, "zeta1");
    EXPECT_STREQ(r.recordedText(CLASSIC_LEGEND_LINES + 4).text, "zeta2");
    for (int i = CLASSIC_LEGEND_LINES + 3; i < r.recordedTextCount(); ++i) {
        const RecordedText& t = r.recordedText(i);
        double right = t.position.x;
        for (int k = 0; k < t.length; ++k) {
            right += legendAdvance(t.text[k]) / 400.0;
        }
        // Glyphs reach 4 pixels below the baseline.
        EXPECT_TRUE(right < STUDY_CHART_LEFT - slack ||
                    t.position.y - 0.01 > STUDY_CHART_TOP + slack)
            << t.text;
    }
    // Gear 1's sliding falls to -7.4 at the end of 12/30 at +0.3: its curve
    // stops on the chart's floor.
    RecordingContext steep;
    drawStudyFrame(steep, sceneOf(12, 30, 0.3, ViewCommand::ShowMesh));
    const std::vector<int> brown = primitives(steep.recorder, SEAM_LINES, BROWN, 3.0f);
    ASSERT_EQ(brown.size(), 1u);
    double lowest = 1.0;
    for (int j = 0; j < steep.recorder.recordedPrimitive(brown[0]).vertexCount; ++j) {
        lowest = std::fmin(lowest, steep.recorder.recordedPrimitiveVertex(brown[0], j).y);
    }
    EXPECT_NEAR(lowest, STUDY_CHART_BOTTOM, 1e-12);
}

TEST(drawStudyFigure, FormCircleWhereTheInvoluteStarts) {
    const auto formCircle = [](const Recorder& r) {
        const std::vector<int> loops = primitives(r, SEAM_LINE_LOOP, PURPLE, 2.0f);
        EXPECT_EQ(loops.size(), 1u);
        return loops.empty() ? Circle{} : fitCircle(r, loops[0]);
    };
    // 30 teeth are not undercut: the rack's tip corner starts the involute
    // (1.25 - x) / sin(alpha) short of the interference point.
    for (const double shift : {0.0, 0.3}) {
        const Scene s = sceneOf(12, 30, shift, ViewCommand::ShowDriven);
        RecordingContext frame;
        drawStudyFrame(frame, s);
        const double reach = 15.0 * std::sin(ALPHA) - (1.25 + shift) / std::sin(ALPHA);
        const Circle c = formCircle(frame.recorder);
        EXPECT_NEAR(c.radius, 0.2 * std::hypot(15.0 * std::cos(ALPHA), reach), 1e-6);
        EXPECT_LT(distance(c.centre, scaled(0.2, s.pair.gears[1].centre)), 1e-9);
        EXPECT_STREQ(frame.recorder.recordedText(5).text, "purple: true form circle");
        EXPECT_EQ(frame.recorder.recordedTextCount(), CLASSIC_LEGEND_LINES + 2);
    }
    // 12 teeth are undercut: the circle stands where the fillet cuts the
    // involute, above the base circle, and comes down as the shift grows.
    // Seen whole, every tooth has a diamond on each flank, where the drawn
    // tooth's flank crosses the circle.
    double radiusAtZero = 0.0;
    for (const double shift : {0.0, 0.3}) {
        const double scale = 0.04;
        const Scene s = sceneOf(12, 30, shift, ViewCommand::ShowDrive, scale);
        RecordingContext frame;
        drawStudyFrame(frame, s);
        const Circle c = formCircle(frame.recorder);
        EXPECT_GT(c.radius, scale * s.pair.gears[0].baseRadius);
        EXPECT_TRUE(shift == 0.0 || c.radius < radiusAtZero);
        radiusAtZero = c.radius;
        std::vector<Point2> flank;
        for (int i = 0; i < frame.recorder.storedPrimitiveCount(); ++i) {
            if (frame.recorder.recordedPrimitive(i).lineWidth == 4.0f) {
                forEachRecordedSegment(frame.recorder, i, [&](const Point2& a, const Point2& b) {
                    for (double f = 0.0; f < 1.0; f += 0.05) {
                        flank.push_back(Point2{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)});
                    }
                });
            }
        }
        const std::vector<int> diamonds = primitives(frame.recorder, SEAM_POLYGON, PURPLE, 2.0f);
        ASSERT_EQ(diamonds.size(), 24u);
        for (int i : diamonds) {
            // Opposite corners of the diamond: its middle.
            const Point2 a = frame.recorder.recordedPrimitiveVertex(i, 0);
            const Point2 b = frame.recorder.recordedPrimitiveVertex(i, 2);
            const Point2 middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
            EXPECT_NEAR(distance(middle, c.centre), c.radius, 1e-9);
            double nearest = 1.0;
            for (const Point2& q : flank) {
                nearest = std::fmin(nearest, distance(middle, q));
            }
            EXPECT_LT(nearest / scale, 0.005) << "diamond " << i;
        }
    }
}

TEST(drawStudyFigure, EveryFrameStaysBoundedAndLeavesTheStateAsItFoundIt) {
    for (const int z : {1, 149}) {
        for (const ViewCommand mode :
             {ViewCommand::ShowDrive, ViewCommand::ShowDriven, ViewCommand::ShowMesh}) {
            for (const double scale : {MIN_VIEW_SCALE, 0.2, MAX_VIEW_SCALE}) {
                SCOPED_TRACE(std::to_string(z) + " teeth, scale " + std::to_string(scale));
                RecordingContext frame;
                drawStudyFrame(frame, sceneOf(z, z, 0.0, mode, scale));
                EXPECT_LE(frame.recorder.recordedVertexCount(), 100000);
                EXPECT_EQ(frame.recorder.matrixDepth(), 0);
                EXPECT_EQ(frame.recorder.lineWidth(), 2.0f);
                EXPECT_TRUE(frame.recorder.lighting());
                // One tooth has no path of contact: no band, ring or curve.
                for (int i = 0; z == 1 && i < frame.recorder.storedPrimitiveCount(); ++i) {
                    const Color4 colour = frame.recorder.recordedPrimitive(i).colour;
                    EXPECT_FALSE(sameColour(colour, MAGENTA) || sameColour(colour, ORANGE) ||
                                 sameColour(colour, BROWN) || sameColour(colour, TEAL));
                }
            }
        }
    }
}

}  // namespace gearmesh
