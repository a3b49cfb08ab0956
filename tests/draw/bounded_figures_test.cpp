// The bounded drawing of the patterned circles and lines and of the thick
// polyline, checked against the literal drawing through the recorder.

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "draw/bounds.h"
#include "draw/circles.h"
#include "draw/lines.h"
#include "draw/patterned_lines.h"
#include "draw/seam.h"
#include "recording_checks.h"

namespace gearmesh {

namespace {

constexpr double PIXEL = 1.0 / VIEW_FACTOR;  // view units
constexpr double SHOWN_EDGE = VIEW_EDGE + BOUNDS_MARGIN;

struct Segment {
    Point2 a, b;
    int primitive;
    float lineWidth;  // the primitive's, pixels
};

std::vector<Segment> recordedSegments(const RecordedFrame& frame) {
    std::vector<Segment> segments;
    for (int i = 0; i < frame.recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive primitive = frame.recorder.recordedPrimitive(i);
        for (int j = 0; j + 1 < primitive.vertexCount; j += 2) {
            segments.push_back(
                Segment{frame.vertex(i, j), frame.vertex(i, j + 1), i, primitive.lineWidth});
        }
    }
    return segments;
}

bool inWindow(const Point2& p) {
    return std::fabs(p.x) <= VIEW_EDGE && std::fabs(p.y) <= VIEW_EDGE;
}

// Draws the figure with draw(dc) literally and bounded, each as the only
// thing recorded.
template <typename Draw>
std::pair<std::vector<Segment>, std::vector<Segment>> literalAndBounded(Draw draw) {
    RecordedFrame literalFrame(FrameDrawing::Literal);
    draw(literalFrame.dc);
    EXPECT_FALSE(literalFrame.recorder.overflowed());
    const std::vector<Segment> literal = recordedSegments(literalFrame);
    RecordedFrame boundedFrame(FrameDrawing::Bounded);
    draw(boundedFrame.dc);
    const std::vector<Segment> bounded = recordedSegments(boundedFrame);
    expectStateLeftAsFound(boundedFrame.recorder);
    return {literal, bounded};
}

struct CircleCase {
    const char* name;
    bool chain;
    Point2 centre;  // view units
    double radius;
    double degrees;  // the caller's frame turned by this much first
};

void drawCase(DrawContext& dc, const CircleCase& c) {
    seamPushMatrix(dc);
    seamRotate(dc, c.degrees);
    if (c.chain) {
        drawChainCircle(dc, c.centre, c.radius, BLUE);
    } else {
        drawDashCircle(dc, c.centre, c.radius, BLUE);
    }
    seamPopMatrix(dc);
}

}  // namespace

TEST(DrawChainCircle, BoundedDrawsTheLiteralPatternWhereTheWindowShowsIt) {
    const CircleCase cases[] = {
        {"chain through the window", true, Point2{0.3, -8.2}, 8.0, 0.0},
        {"negative radius, turned frame", true, Point2{-7.5, 0.6}, -7.9, 37.0},
        {"dashed, across a corner", false, Point2{6.9, 6.9}, 8.5, 0.0},
    };
    for (const CircleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [literal, bounded] =
            literalAndBounded([&](DrawContext& dc) { drawCase(dc, c); });
        // The centre in view units, through the caller's turn, and polar angles about it.
        const double t = c.degrees * FULL_PI / 180.0;
        const Point2 centre{c.centre.x * std::cos(t) - c.centre.y * std::sin(t),
                            c.centre.x * std::sin(t) + c.centre.y * std::cos(t)};
        const auto angleOf = [&](const Point2& p) {
            return polarAngle(Point2{p.x - centre.x, p.y - centre.y});
        };
        const double radius = std::fabs(c.radius);
        const double chord =
            std::hypot(literal[0].b.x - literal[0].a.x, literal[0].b.y - literal[0].a.y);
        ASSERT_LT(chord, PIXEL);  // literal chords are under a pixel
        ASSERT_FALSE(bounded.empty());
        EXPECT_LT(bounded.size() * 20, literal.size());

        // Every bounded vertex is a literal one, and each bounded primitive
        // stays on one literal dash or dot: no gap is bridged, no end moves.
        std::map<double, int> literalAt;  // polar angle -> literal primitive
        for (const Segment& s : literal) {
            literalAt[angleOf(s.a)] = literalAt[angleOf(s.b)] = s.primitive;
        }
        const double tolerance = 1e-3 * chord / radius;
        std::map<int, std::set<int>> homes;
        std::vector<std::pair<double, double>> covered;  // angles the bounded chords span
        for (const Segment& s : bounded) {
            for (const Point2& p : {s.a, s.b}) {
                EXPECT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), radius, 1e-9);
                const auto home = literalAt.lower_bound(angleOf(p) - tolerance);
                ASSERT_TRUE(home != literalAt.end() && home->first <= angleOf(p) + tolerance)
                    << "vertex at " << p.x << ", " << p.y << " is no literal vertex";
                homes[s.primitive].insert(home->second);
            }
            // Merged chords of about MERGED_CHORD_PIXELS, within the sagitta bound.
            const double length = std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
            EXPECT_LT(length, 2.5 * PIXEL);
            EXPECT_LT(radius - std::sqrt(radius * radius - length * length / 4.0),
                      MERGED_CHORD_SAGITTA_PIXELS * PIXEL);
            const double from = std::fmin(angleOf(s.a), angleOf(s.b));
            covered.emplace_back(
                from - tolerance,
                from + std::fabs(angleBetween(angleOf(s.a), angleOf(s.b))) + tolerance);
        }
        for (const auto& [primitive, literalHomes] : homes) {
            EXPECT_EQ(literalHomes.size(), 1u) << "bounded primitive " << primitive;
        }

        // Every literal chord in the window lies on a bounded one.
        std::sort(covered.begin(), covered.end());
        int inside = 0;
        for (const Segment& s : literal) {
            if (!inWindow(s.a) || !inWindow(s.b)) {
                continue;
            }
            ++inside;
            const double angle = angleOf(Point2{(s.a.x + s.b.x) / 2.0, (s.a.y + s.b.y) / 2.0});
            const auto after =
                std::upper_bound(covered.begin(), covered.end(), std::make_pair(angle, 1e300));
            ASSERT_TRUE(after != covered.begin() && std::prev(after)->second >= angle)
                << "literal chord at angle " << angle << " left out";
        }
        EXPECT_GT(inside, 200);
    }
}

TEST(DrawChainCircle, BoundedInsideTheWindowIsTheLiteralDrawing) {
    // Chords of a pixel or more, all in the window: nothing to leave out or merge.
    for (double r : {0.1, 0.5, -0.9}) {
        SCOPED_TRACE(r);
        const auto [literal, bounded] = literalAndBounded([r](DrawContext& dc) {
            drawChainCircle(dc, Point2{0.05, -0.02}, r, RED);
        });
        ASSERT_EQ(literal.size(), bounded.size());
        for (size_t i = 0; i < literal.size(); ++i) {
            EXPECT_EQ(literal[i].primitive, bounded[i].primitive);
            expectPointNear(bounded[i].a, literal[i].a.x, literal[i].a.y, 1e-12);
            expectPointNear(bounded[i].b, literal[i].b.x, literal[i].b.y, 1e-12);
        }
    }
}

TEST(DrawChainCircle, BoundedLeavesOutCirclesThatMissTheWindow) {
    const auto [aroundLiteral, around] = literalAndBounded([](DrawContext& dc) {
        drawScaledChainCircle(dc, 0.2, Point2{0, 0}, 10.0, BLUE);
    });
    EXPECT_EQ(aroundLiteral.size(), 62u * (90 + 20));
    EXPECT_TRUE(around.empty());  // radius 2 about the centre: all of it beyond the corners
    const auto [besideLiteral, beside] = literalAndBounded([](DrawContext& dc) {
        drawChainCircle(dc, Point2{3, 0}, 1.5, BLUE);
    });
    EXPECT_FALSE(besideLiteral.empty());
    EXPECT_TRUE(beside.empty());
}

TEST(DrawChainCircle, BoundedSurvivesRadiiBeyondAnyCount) {
    // The counts clamp at the largest int; only the few periods by the window are drawn.
    RecordedFrame frame(FrameDrawing::Bounded);
    drawChainCircle(frame.dc, Point2{0, -1e9}, 1e9, BLUE);
    EXPECT_GT(frame.recorder.recordedVertexCount(), 100);
    EXPECT_LT(frame.recorder.recordedVertexCount(), 20000);
    for (int i = 0; i < frame.recorder.storedVertexCount(); ++i) {
        EXPECT_LT(std::fabs(frame.recorder.recordedVertex(i).y), 0.01) << i;
    }
    frame.recorder.clearRecording();
    drawChainCircle(frame.dc, Point2{0, 0}, std::numeric_limits<double>::infinity(), BLUE);
    drawDashCircle(frame.dc, Point2{0, 0}, std::numeric_limits<double>::quiet_NaN(), BLUE);
    EXPECT_EQ(frame.recorder.recordedVertexCount(), 0);
    expectStateLeftAsFound(frame.recorder);
}

TEST(DrawChainLine, BoundedDrawsTheLiteralDashesThatReachTheWindow) {
    const struct {
        const char* name;
        Point2 a, b;
    } cases[] = {{"vertical through", {0.2, -50.0}, {0.2, 50.0}},
                 {"slanted, ending inside", {-40.0, -30.0}, {0.3, 0.1}},
                 {"passing by", {-40.0, 1.2}, {40.0, 1.2}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool chain : {true, false}) {
            const auto [literal, bounded] = literalAndBounded([&](DrawContext& dc) {
                if (chain) {
                    drawChainLine(dc, c.a, c.b, RED);
                } else {
                    drawDashLine(dc, c.a, c.b, RED);
                }
            });
            // Bounded dashes are literal dashes, and every literal dash that
            // reaches the widened window is there.
            std::set<std::pair<double, double>> boundedStarts;
            for (const Segment& s : bounded) {
                boundedStarts.insert({s.a.x, s.a.y});
            }
            int reaching = 0;
            for (const Segment& s : literal) {
                const bool reaches = viewSegmentShows(s.a, s.b);
                reaching += reaches ? 1 : 0;
                if (reaches) {
                    EXPECT_EQ(boundedStarts.count({s.a.x, s.a.y}), 1u) << s.a.x << ", " << s.a.y;
                }
            }
            std::set<std::pair<double, double>> literalStarts;
            for (const Segment& s : literal) {
                literalStarts.insert({s.a.x, s.a.y});
            }
            for (const Segment& s : bounded) {
                EXPECT_EQ(literalStarts.count({s.a.x, s.a.y}), 1u);
            }
            EXPECT_LE(bounded.size(), static_cast<size_t>(reaching) + 8);
            EXPECT_LT(bounded.size() * 10, literal.size());
        }
    }
}

TEST(DrawScaledThickPolyline, BoundedKeepsTheSegmentsThatReachTheWindowInOnePrimitive) {
    // A zigzag from inside the window out to the right, scaled by 2.
    std::vector<Point2> points;
    for (int i = 0; i <= 40; ++i) {
        points.push_back(Point2{0.1 * i, (i % 2 == 0) ? 0.0 : 0.1});
    }
    const int last = static_cast<int>(points.size()) - 1;
    const auto [literal, bounded] = literalAndBounded(
        [&](DrawContext& dc) { drawScaledThickPolyline(dc, 2.0, points.data(), last, 0.01, RED); });
    ASSERT_EQ(literal.size(), 40u);
    int reaching = 0;
    for (const Segment& s : literal) {
        reaching += std::fmin(s.a.x, s.b.x) <= SHOWN_EDGE ? 1 : 0;
    }
    EXPECT_EQ(reaching, 6);
    ASSERT_EQ(bounded.size(), static_cast<size_t>(reaching));
    for (size_t i = 0; i < bounded.size(); ++i) {
        EXPECT_EQ(bounded[i].primitive, 0);
        expectPointNear(bounded[i].a, literal[i].a.x, literal[i].a.y, 0.0);
        expectPointNear(bounded[i].b, literal[i].b.x, literal[i].b.y, 0.0);
    }
    EXPECT_EQ(bounded[0].lineWidth, 4.0f);

    // Wholly outside: nothing drawn, and the state the thick lines leave.
    RecordedFrame frame(FrameDrawing::Bounded);
    seamLineWidth(frame.dc, 7.0f);
    seamLighting(frame.dc, false);
    for (Point2& p : points) {
        p.y += 5.0;
    }
    drawScaledThickPolyline(frame.dc, 1.0, points.data(), last, 0.01, GREEN);
    EXPECT_EQ(frame.recorder.recordedPrimitiveCount(), 0);
    EXPECT_EQ(frame.recorder.lineWidth(), 2.0f);
    EXPECT_TRUE(frame.recorder.lighting());
    EXPECT_TRUE(frame.recorder.color().g == 1.0f && frame.recorder.color().r == 0.0f);
}

}  // namespace gearmesh
