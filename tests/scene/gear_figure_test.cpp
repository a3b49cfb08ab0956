#include "scene/gear_figure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draw/frame.h"
#include "draw/recorder.h"
#include "scene/view_state.h"
#include "tests/scene/recorded_figure.h"
#include "tests/support/recording_context.h"

namespace gearmesh {

using namespace recorded;

namespace {

GearPair pair;
ViewState view;

void setUpPair(DrawContext& dc, int z1, int z2) {
    computeGearPair(pair, z1, z2);
    resetView(view, pair);
    beginFrame(dc, FrameDrawing::Literal);
}

Point2 rotated(const Point2& p, const Point2& about, double angle) {
    const double dx = p.x - about.x;
    const double dy = p.y - about.y;
    return Point2{about.x + dx * std::cos(angle) - dy * std::sin(angle),
                  about.y + dx * std::sin(angle) + dy * std::cos(angle)};
}

}  // namespace

TEST(drawGearCircles, FlagsChooseTheReferenceCircles) {
    RecordingContext frame;
    setUpPair(frame.dc, 20, 40);
    const double s = view.viewScale;
    const Point2 centre = scaled(s, pair.gears[0].centre);
    const struct {
        unsigned circles;
        int green;
        int yellow;
    } choices[] = {{NO_CIRCLES, 0, 0},
                   {PITCH_CIRCLE, 0, 0},
                   {PITCH_CIRCLE | BASE_CIRCLE, 1, 0},
                   {MESH_GEAR_CIRCLES, 1, 1},
                   {SINGLE_GEAR_CIRCLES, 1, 2},
                   {ROOT_CIRCLE, 0, 1},
                   {BASE_CIRCLE | ROOT_CIRCLE, 1, 1}};
    for (const auto& l : choices) {
        frame.recorder.clearRecording();
        drawGearCircles(frame.dc, pair.gears[0], s, 0.0, l.circles);
        const std::vector<Circle> circles = outlineCircles(frame.recorder);
        EXPECT_EQ(countCircles(circles, GREEN), l.green) << "circles " << l.circles;
        EXPECT_EQ(countCircles(circles, YELLOW), l.yellow) << "circles " << l.circles;
        // The centre dot, 0.1 modules, is there whatever the circles.
        ASSERT_EQ(discs(frame.recorder).size(), 1u) << "circles " << l.circles;
        EXPECT_LT(distance(discs(frame.recorder)[0].centre, centre), 1e-12);
        EXPECT_NEAR(discs(frame.recorder)[0].radius, 0.1 * s, 1e-12);
    }

    frame.recorder.clearRecording();
    drawGearCircles(frame.dc, pair.gears[0], s, 0.0, SINGLE_GEAR_CIRCLES);
    const std::vector<Circle> circles = outlineCircles(frame.recorder);
    EXPECT_TRUE(hasCircle(circles, GREEN, centre, s * 20 * std::cos(PI / 9) / 2));
    EXPECT_TRUE(hasCircle(circles, YELLOW, centre, s * 11.0));  // tip
    EXPECT_TRUE(hasCircle(circles, YELLOW, centre, s * 8.75));  // root
}

TEST(drawGearCircles, CentreLinesAndPitchChainCircleOfGear2) {
    RecordingContext frame;
    setUpPair(frame.dc, 20, 40);
    const double s = view.viewScale;
    const Point2 centre = scaled(s, pair.gears[1].centre);
    const double pitch = s * 20.0;
    frame.recorder.clearRecording();
    drawGearCircles(frame.dc, pair.gears[1], s, 0.0, PITCH_CIRCLE);

    // Blue vertices lie either on the pitch circle or on one of the two
    // centre lines; the vertical line runs from the pitch point up to the
    // top of the pitch circle.
    double lowestOnAxis = 1e9;
    double highestOnAxis = -1e9;
    int onCircle = 0;
    for (int i = 0; i < frame.recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive p = frame.recorder.recordedPrimitive(i);
        if (!sameColour(p.colour, BLUE)) {
            continue;
        }
        for (int j = 0; j < p.vertexCount; ++j) {
            const Point2 v = frame.recorder.recordedPrimitiveVertex(i, j);
            // Chain lines are laid out in a frame turned through the
            // toolkit's degree constant, so they stray by up to 1e-8.
            if (std::fabs(v.x) < 1e-7) {
                lowestOnAxis = std::fmin(lowestOnAxis, v.y);
                highestOnAxis = std::fmax(highestOnAxis, v.y);
            } else if (std::fabs(distance(v, centre) - pitch) < 1e-9) {
                ++onCircle;
            } else {
                EXPECT_NEAR(v.y, centre.y, 1e-7) << "blue vertex off both centre lines";
                EXPECT_LE(std::fabs(v.x), pitch + 1e-7);
            }
        }
    }
    EXPECT_GT(onCircle, 100);
    EXPECT_NEAR(lowestOnAxis, 0.0, 1e-7);
    EXPECT_NEAR(highestOnAxis, 2 * pitch, 1e-7);
    EXPECT_EQ(frame.recorder.matrixDepth(), 0);
    const Affine2 m = frame.recorder.matrix();
    EXPECT_NEAR(m.tx, 0.0, 1e-12);
    EXPECT_NEAR(m.ty, 0.0, 1e-12);
}

TEST(drawGearCircles, TurnedCentreLinesFollowTheAngle) {
    RecordingContext frame;
    setUpPair(frame.dc, 20, 40);
    const double s = view.viewScale;
    const double angle = 0.3;
    frame.recorder.clearRecording();
    drawGearCircles(frame.dc, pair.gears[0], s, angle, NO_CIRCLES);
    // First chain dash of the first centre line starts at centre + r (cos, sin).
    const Point2 centre = scaled(s, pair.gears[0].centre);
    bool found = false;
    for (int i = 0; i < frame.recorder.storedPrimitiveCount() && !found; ++i) {
        const RecordedPrimitive p = frame.recorder.recordedPrimitive(i);
        if (sameColour(p.colour, BLUE) && p.mode == SEAM_LINES) {
            const Point2 start = frame.recorder.recordedPrimitiveVertex(i, 0);
            EXPECT_NEAR(start.x, centre.x + s * 10 * std::cos(angle), 1e-12);
            EXPECT_NEAR(start.y, centre.y + s * 10 * std::sin(angle), 1e-12);
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(drawGearTeeth, CopiesStandOneAngularPitchApart) {
    RecordingContext frame;
    setUpPair(frame.dc, 20, 40);
    const double s = view.viewScale;
    const int last = pair.gears[0].toothOutlineLast;
    frame.recorder.clearRecording();
    drawGearTeeth(frame.dc, pair.gears[0], s, 0.0, RED);

    const std::vector<Point2> v = toothVertices(frame.recorder);
    const int perCopy = 2 * last;
    ASSERT_EQ(static_cast<int>(v.size()), 20 * perCopy);

    // Every vertex lies between the root and the tip circle.
    const Point2 centre = scaled(s, pair.gears[0].centre);
    for (const Point2& p : v) {
        const double r = distance(p, centre) / s;
        EXPECT_GE(r, 8.75 - 1e-9);
        EXPECT_LE(r, 11.0 + 1e-9);
    }
    // The last copy is the outline itself (to within the toolkit's degree
    // constant); each copy is the next one turned by one pitch, counter-clockwise.
    for (int j = 0; j < last; ++j) {
        const Point2 expected = scaled(s, pair.gears[0].toothOutline[j]);
        EXPECT_NEAR(v[19 * perCopy + 2 * j].x, expected.x + centre.x, 1e-8);
        EXPECT_NEAR(v[19 * perCopy + 2 * j].y, expected.y + centre.y, 1e-8);
    }
    const double pitchAngle = 2 * PI / 20;
    for (int k = 0; k + 1 < 20; ++k) {
        for (int j = 0; j < perCopy; j += 7) {
            const Point2 turned = rotated(v[(k + 1) * perCopy + j], centre, pitchAngle);
            EXPECT_LT(distance(turned, v[k * perCopy + j]), 1e-9) << "copy " << k;
        }
    }
    EXPECT_EQ(frame.recorder.matrixDepth(), 0);
}

TEST(drawGearTeeth, TurningByOnePitchLeavesTheTeethInPlace) {
    RecordingContext frame;
    setUpPair(frame.dc, 20, 40);
    const double s = view.viewScale;
    const int last = pair.gears[1].toothOutlineLast;
    frame.recorder.clearRecording();
    drawGearTeeth(frame.dc, pair.gears[1], s, 0.4, RED);
    const std::vector<Point2> before = toothVertices(frame.recorder);
    frame.recorder.clearRecording();
    drawGearTeeth(frame.dc, pair.gears[1], s, 0.4 + 2 * PI / 40, RED);
    const std::vector<Point2> after = toothVertices(frame.recorder);
    ASSERT_EQ(before.size(), after.size());

    // The picture is the same; only which copy is drawn first moves on by one.
    const size_t perCopy = 2 * last;
    for (size_t i = 0; i < after.size(); i += 3) {
        const size_t j = (i + after.size() - perCopy) % after.size();
        EXPECT_LT(distance(after[i], before[j]), 1e-7);
    }
    // And the matrix is back where it was, to within the toolkit's degree
    // constant (a full turn of copies is 1e-7 degrees short of 360).
    const Affine2 m = frame.recorder.matrix();
    EXPECT_NEAR(m.xx, 1.0, 1e-7);
    EXPECT_NEAR(m.xy, 0.0, 1e-7);
    EXPECT_NEAR(m.tx, 0.0, 1e-7);
    EXPECT_NEAR(m.ty, 0.0, 1e-7);
}

TEST(drawPolyline, ScalesByViewScaleAndDrawsOpen) {
    RecordingContext frame;
    setUpPair(frame.dc, 20, 40);
    const Point2 square[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    frame.recorder.clearRecording();
    drawPolyline(frame.dc, 0.5, square, 3, BLUE);
    ASSERT_EQ(frame.recorder.storedPrimitiveCount(), 3);  // no closing segment
    EXPECT_EQ(frame.recorder.recordedPrimitive(2).lineWidth, 4.0f);
    EXPECT_LT(distance(frame.recorder.recordedPrimitiveVertex(2, 1), Point2{0.0, 0.5}), 1e-15);
    EXPECT_EQ(frame.recorder.lineWidth(), 2.0f);

    frame.recorder.clearRecording();
    drawPolyline(frame.dc, 0.5, square, 0, BLUE);
    EXPECT_EQ(frame.recorder.storedPrimitiveCount(), 0);
}

}  // namespace gearmesh
