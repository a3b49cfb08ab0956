#include "draw/bounds.h"

#include <cmath>
#include <limits>

#include "draw/circles.h"
#include "recording_checks.h"

namespace gearmesh {

namespace {

// The disc about the window's centre that holds the widened visible square.
const double REACH = std::sqrt(2.0) * (VIEW_EDGE + BOUNDS_MARGIN);

Affine2 placed(double degrees, double x, double y) {
    return affineRotated(affineTranslated(IDENTITY_AFFINE, x, y), degrees);
}

// The view position of the point at polar angle a on the circle of radius r
// about the origin of m's frame.
Point2 onCircle(const Affine2& m, double r, double a) {
    return affineApply(m, r * std::cos(a), r * std::sin(a));
}

}  // namespace

TEST(visibleArc, WholeNoneOrTheArcWithinReachOfTheWindow) {
    // Small and centred: all of it; far off, or around the window without touching it: none.
    EXPECT_TRUE(visibleArc(placed(0, 0.2, 0.1), 0.5).whole);
    EXPECT_FALSE(visibleArc(placed(0, 5.0, 0.0), 1.0).any);
    EXPECT_FALSE(visibleArc(placed(0, 0.0, 0.0), 3.0).any);

    // Large circles through the window, in turned frames: the arc's ends lie
    // on the reach disc, its middle points towards the window's centre.
    const struct {
        double degrees, x, y, r;
    } cases[] = {{0, 0, -33, 33}, {37, 0.4, 270, -270.2}, {-120, -60, 2, 61}, {10, 0, -1e6, 1e6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r);
        const Affine2 m = placed(c.degrees, c.x, c.y);
        const ArcWindow w = visibleArc(m, c.r);
        ASSERT_TRUE(w.any);
        ASSERT_FALSE(w.whole);
        const double r = std::fabs(c.r);
        for (double end : {w.middle - w.halfWidth, w.middle + w.halfWidth}) {
            const Point2 p = onCircle(m, r, end);
            EXPECT_NEAR(std::hypot(p.x, p.y), REACH, 1e-6);
        }
        const Point2 middle = onCircle(m, r, w.middle);
        EXPECT_LT(std::hypot(middle.x, middle.y), REACH);
        // Just outside the window the circle is outside the reach.
        const Point2 beyond = onCircle(m, r, w.middle + 1.01 * w.halfWidth);
        EXPECT_GT(std::hypot(beyond.x, beyond.y), REACH);
    }
}

TEST(visibleSpan, ClipsTheLineToTheWidenedSquare) {
    // From (-3, 0.5) along +x for 10 units: in view from x = -1.05 to 1.05.
    double from = 0.0;
    double to = 0.0;
    ASSERT_TRUE(visibleSpan(placed(0, -3.0, 0.5), 10.0, &from, &to));
    EXPECT_NEAR(from, 3.0 - (VIEW_EDGE + BOUNDS_MARGIN), 1e-12);
    EXPECT_NEAR(to, 3.0 + VIEW_EDGE + BOUNDS_MARGIN, 1e-12);

    // Turned by 90 degrees from (0.2, -50): up the y axis, the span of |y| <= 1.05.
    ASSERT_TRUE(visibleSpan(placed(90, 0.2, -50.0), 100.0, &from, &to));
    EXPECT_NEAR(from, 50.0 - (VIEW_EDGE + BOUNDS_MARGIN), 1e-9);
    EXPECT_NEAR(to, 50.0 + VIEW_EDGE + BOUNDS_MARGIN, 1e-9);

    // A line that stops short of the window, one beside it, and one of NaN length.
    EXPECT_FALSE(visibleSpan(placed(0, -3.0, 0.5), 1.5, &from, &to));
    EXPECT_FALSE(visibleSpan(placed(0, -3.0, 1.2), 10.0, &from, &to));
    EXPECT_FALSE(
        visibleSpan(placed(0, -3.0, 0.5), std::numeric_limits<double>::quiet_NaN(), &from, &to));
}

TEST(similarityScale, OnlyMapsThatKeepAngles) {
    EXPECT_NEAR(similarityScale(placed(33, 4, -5)), 1.0, 1e-15);
    EXPECT_EQ(similarityScale(Affine2{2, 0, 0, 1, 0, 0}), 0.0);             // stretched
    EXPECT_EQ(similarityScale(Affine2{1, 0, 0.5, 1, 0, 0}), 0.0);           // sheared
    EXPECT_NEAR(similarityScale(Affine2{0, -2, -2, 0, 0, 0}), 2.0, 1e-15);  // mirrored
    EXPECT_EQ(similarityScale(Affine2{1, 0, 0, 1, std::numeric_limits<double>::infinity(), 0}),
              0.0);
}

TEST(beginFrame, TheFrameChoosesTheDrawingNotTheTarget) {
    // A chain circle far larger than the window: bounded, only the periods by it.
    const auto drawBigCircle = [](DrawContext& dc) {
        drawChainCircle(dc, Point2{0.0, -50.0}, 50.0, BLUE);
    };
    RecordedFrame frame(FrameDrawing::Literal);
    drawBigCircle(frame.dc);
    const long long literal = frame.recorder.recordedVertexCount();
    // Emptying the recording opens no frame and keeps the frame's choice.
    frame.recorder.clearRecording();
    drawBigCircle(frame.dc);
    EXPECT_EQ(frame.recorder.recordedVertexCount(), literal);
    // The choice is the context's: another one on the same recorder draws
    // bounded until a frame of its own says otherwise.
    DrawContext other{frame.recorder};
    frame.recorder.clearRecording();
    drawBigCircle(other);
    EXPECT_GT(frame.recorder.recordedVertexCount(), 0);
    EXPECT_LT(frame.recorder.recordedVertexCount() * 10, literal);
    beginFrame(frame.dc);  // bounded unless told otherwise
    drawBigCircle(frame.dc);
    EXPECT_GT(frame.recorder.recordedVertexCount(), 0);
    EXPECT_LT(frame.recorder.recordedVertexCount() * 10, literal);
}

}  // namespace gearmesh
