#include "geometry/exact_gear.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/gear_pair.h"

namespace gearmesh {

namespace {

const double SIN_ALPHA = std::sin(M_PI / 9);

double lengthOf(const Point2& p) {
    return std::hypot(p.x, p.y);
}

double cross(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    return (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
}

// Radius of the outermost crossing of two dense polylines, found segment by
// segment with no knowledge of how the curves were made; -1 if none.
double outermostCrossing(const std::vector<Point2>& a, const std::vector<Point2>& b) {
    double best = -1.0;
    for (std::size_t i = 0; i + 1 < a.size(); ++i) {
        for (std::size_t j = 0; j + 1 < b.size(); ++j) {
            const double d = cross(a[i], a[i + 1], b[j], b[j + 1]);
            if (d == 0.0) {
                continue;
            }
            const double t = cross(a[i], b[j], b[j], b[j + 1]) / d;
            const double u = cross(a[i], b[j], a[i], a[i + 1]) / d;
            if (t >= 0 && t <= 1 && u >= 0 && u <= 1) {
                const Point2 p{a[i].x + t * (a[i + 1].x - a[i].x),
                               a[i].y + t * (a[i + 1].y - a[i].y)};
                best = std::fmax(best, lengthOf(p));
            }
        }
    }
    return best;
}

}  // namespace

// The corner's path and the involute sampled densely through their
// Cartesian points, crossed segment by segment: the solved junction agrees.
TEST(exactGear, UndercutJunctionMatchesDenseCrossing) {
    const struct {
        int teeth;
        double shift;
    } cases[] = {{20, 0.0}, {12, 0.0}, {6, 0.5}, {15, -0.5}, {3, 1.0}, {1, 0.5}};
    for (const auto& c : cases) {
        const ExactGear g = exactGear(c.teeth, c.shift);
        ASSERT_TRUE(g.undercut) << c.teeth << " " << c.shift;
        // Only around the junction, so the dense search stays quick.
        const double near = 0.02 * g.pitchRadius + 0.05;
        std::vector<Point2> corner;
        std::vector<Point2> flank;
        const int n = 3000;
        for (int i = 0; i <= n; ++i) {
            const double turn = g.junctionCorner + near * (2.0 * i / n - 1.0);
            corner.push_back(exactCornerPoint(g, turn));
            const double roll = std::fmax(0.0, g.junctionRoll + near * (2.0 * i / n - 1.0));
            flank.push_back(exactInvolutePoint(g, roll));
        }
        EXPECT_NEAR(outermostCrossing(corner, flank), g.junctionRadius, 1e-8)
            << c.teeth << " teeth, shift " << c.shift;
        // Both curves pass through the junction.
        const Point2 a = exactCornerPoint(g, g.junctionCorner);
        const Point2 b = exactInvolutePoint(g, g.junctionRoll);
        EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 0.0, 1e-10);
        EXPECT_NEAR(lengthOf(a), g.junctionRadius, 1e-10);
        EXPECT_GT(g.removedUpTo, g.baseRadius);
    }
}

// Without undercut the corner generates the involute's first point: the two
// curves touch there, and the corner's path stays out of the tooth.
TEST(exactGear, FormCircleIsWhereTheCornerTouchesTheInvolute) {
    for (const auto& [teeth, shift] : {std::pair{22, 0.0}, {40, 0.0}, {1000, -1.0}, {8, 1.0}}) {
        const ExactGear g = exactGear(teeth, shift);
        ASSERT_FALSE(g.undercut);
        EXPECT_EQ(g.removedUpTo, g.baseRadius);
        const Point2 a = exactCornerPoint(g, g.junctionCorner);
        const Point2 b = exactInvolutePoint(g, g.junctionRoll);
        EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 0.0, 1e-9 * g.pitchRadius);
        // Form radius in closed form: the corner on the line of action,
        // dedendum / sin(alpha) from the pitch point.
        const double dedendum = 1.25 - shift;
        const double along = dedendum / std::tan(M_PI / 9);
        EXPECT_NEAR(g.junctionRadius, std::hypot(g.pitchRadius - dedendum, along), 1e-12 * teeth);
        for (int i = -50; i <= 50; ++i) {
            const double turn = g.junctionCorner + i * 0.002;
            const Point2 p = exactCornerPoint(g, turn);
            if (lengthOf(p) > g.baseRadius) {
                // Polar angle of the corner no further towards the tooth than
                // the involute at the same radius.
                EXPECT_LE(std::atan2(p.x, p.y), exactInvoluteAngle(g, lengthOf(p)) + 1e-12);
            }
        }
    }
}

TEST(exactGear, UndercutLimitMovesWithShift) {
    EXPECT_TRUE(exactGear(21, 0.0).undercut);
    EXPECT_FALSE(exactGear(22, 0.0).undercut);
    EXPECT_EQ(smallestCountWithoutUndercut(0.0), 22);
    // 2 (1.25 - x) / sin^2(alpha): 38.5 at -1, 4.27 at +1.
    EXPECT_EQ(smallestCountWithoutUndercut(-1.0), 39);
    EXPECT_EQ(smallestCountWithoutUndercut(1.0), 5);
    for (double shift = -1.0; shift <= 1.0; shift += 0.125) {
        const int limit = smallestCountWithoutUndercut(shift);
        EXPECT_NEAR(limit, 2 * (1.25 - shift) / (SIN_ALPHA * SIN_ALPHA), 1.0);
        EXPECT_FALSE(exactGear(limit, shift).undercut) << shift;
        if (limit > 1) {
            EXPECT_TRUE(exactGear(limit - 1, shift).undercut) << shift;
        }
    }
}

// Where both paths end at the tip circles, the exact and the sampled model
// agree; the 20-tooth gear's true undercut point lies further out than the
// sampled junction says, so against a large mate the exact path is longer.
TEST(exactPair, ContactRatio) {
    const ExactPair p = exactPair(20, 40, 0.0);
    GearPair gearPair;
    computeGearPair(gearPair, 20, 40);
    const double sampled =
        (gearPair.gears[0].contactLimit + gearPair.gears[1].contactLimit) / gearPair.basePitch;
    EXPECT_NEAR(p.contactRatio, sampled, 1e-9);
    EXPECT_NEAR(p.contactRatio, 1.6352, 5e-5);
    EXPECT_EQ(p.end1, ExactContactEnd::MateTip);
    EXPECT_EQ(p.end2, ExactContactEnd::MateTip);

    const ExactPair q = exactPair(20, 149, 0.0);
    computeGearPair(gearPair, 20, 149);
    EXPECT_NEAR(gearPair.gears[0].flankStartDist, 2.706, 5e-4);
    EXPECT_NEAR(q.undercutDist1, 3.306, 5e-4);
    EXPECT_NEAR(q.contactRatio, 1.7237, 5e-5);
    EXPECT_EQ(q.end1, ExactContactEnd::MateTip);

    // A small undercut pinion against a large wheel: its own undercut ends
    // the path on N1's side, at the point of the line of action that lies on
    // the junction circle.
    const ExactPair r = exactPair(12, 60, 0.0);
    EXPECT_EQ(r.end1, ExactContactEnd::OwnUndercut);
    EXPECT_NEAR(lengthOf({r.undercutPoint1.x, r.undercutPoint1.y + 6.0}), r.gear1.junctionRadius,
                1e-12);
    EXPECT_NEAR(r.pathOfContact, r.pathEnd1 + r.pathEnd2, 1e-15);
}

TEST(exactPair, PointedMateEndsThePath) {
    // Shift +1 makes 8 teeth pointed; its point, not its tip circle, reaches
    // the line of action.
    const ExactPair p = exactPair(8, 30, 1.0);
    ASSERT_TRUE(p.gear1.pointed);
    EXPECT_LT(p.gear1.pointRadius, p.gear1.tipRadius);
    EXPECT_EQ(p.end2, ExactContactEnd::MatePoint);
}

}  // namespace gearmesh
