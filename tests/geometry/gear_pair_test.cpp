#include "geometry/gear_pair.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry_test_util.h"

namespace gearmesh {

using namespace testutil;

namespace {

GearPair pair;

// Signed distance along the line of action (positive towards N2) of a point
// known to lie on it.
double positionOnLine(const Point2& p) {
    return -p.x * std::cos(alpha()) + p.y * std::sin(alpha());
}

void expectOnLineOfAction(const Point2& p) {
    EXPECT_NEAR(p.y, -p.x * std::tan(alpha()), 1e-12 * (1 + std::abs(p.x)));
}

// Distance from the pitch point at which a circle of radius r about a gear's
// centre meets the line of action, for pitch radius R (closed form through
// the tangency point N, which is R sin(alpha) from the pitch point).
double meetingDistance(double R, double r) {
    const double rb = R * std::cos(alpha());
    return std::sqrt(r * r - rb * rb) - R * std::sin(alpha());
}

}  // namespace

TEST(computeGearPair, TwentyAndFortyTeeth) {
    computeGearPair(pair, 20, 40);
    const GearPair& g = pair;
    EXPECT_EQ(g.gearRatio, 0.5);
    EXPECT_NEAR(g.tanAlpha, 0.364, 5e-4);
    EXPECT_NEAR(g.invAlpha, 0.015, 5e-4);
    EXPECT_NEAR(g.invAlpha, std::tan(PI / 9) - PI / 9, 1e-16);
    EXPECT_NEAR(g.cosAlpha, 0.940, 5e-4);
    EXPECT_NEAR(g.sinAlpha, 0.342, 5e-4);

    EXPECT_EQ(g.pitchRadius1, 10.0);
    EXPECT_EQ(g.tipRadius1, 11.0);
    EXPECT_EQ(g.pitchRadius2, 20.0);
    EXPECT_EQ(g.tipRadius2, 21.0);
    EXPECT_NEAR(g.baseRadius1, 9.397, 5e-4);
    EXPECT_NEAR(g.baseRadius2, 18.794, 5e-4);
    EXPECT_NEAR(g.basePitch, 2.952, 5e-4);
    EXPECT_NEAR(g.basePitchAngle1, 2 * PI / 20, 1e-15);
    EXPECT_EQ(g.center1.y, -10.0);
    EXPECT_EQ(g.center2.y, 20.0);

    EXPECT_NEAR(g.interferencePoint1.x, 3.214, 5e-4);
    EXPECT_NEAR(g.interferencePoint1.y, -1.170, 5e-4);
    EXPECT_NEAR(g.interferenceDist1, 10 * std::sin(alpha()), 1e-14);
    EXPECT_NEAR(g.interferencePoint2.x, -6.428, 5e-4);
    EXPECT_NEAR(g.interferencePoint2.y, 2.340, 5e-4);
    EXPECT_NEAR(g.interferenceDist2, 20 * std::sin(alpha()), 1e-14);

    EXPECT_NEAR(g.tipContactPoint2.x, 2.377, 5e-4);
    EXPECT_NEAR(g.tipContactPoint2.y, -0.865, 5e-4);
    EXPECT_NEAR(g.tipContactDist2, meetingDistance(20, 21), 1e-12);
    EXPECT_NEAR(positionOnLine(g.tipContactPoint2), -g.tipContactDist2, 1e-12);
    EXPECT_NEAR(g.tipContactPoint1.x, -2.159, 5e-4);
    EXPECT_NEAR(g.tipContactPoint1.y, 0.786, 5e-4);
    EXPECT_NEAR(g.tipContactDist1, meetingDistance(10, 11), 1e-12);
    EXPECT_NEAR(positionOnLine(g.tipContactPoint1), g.tipContactDist1, 1e-12);
}

// Undercut points from the junction radii, and the nearest end on each side.
TEST(computeGearPair, UndercutPointsAndContactLimits) {
    const struct {
        int z1, z2;
        double undercutRadius1, undercutDist1, undercutDist2, limit1, limit2;
    } cases[] = {
        {20, 40, 9.424, 2.706, 3.909, 2.529, 2.298},
        {12, 30, 5.675, 1.403, 3.619, 1.403, 2.097},
        {10, 40, 4.756, 0.969, 3.909, 0.969, 2.021},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.z1);
        computeGearPair(pair, c.z1, c.z2);
        const GearPair& g = pair;
        EXPECT_NEAR(g.undercutRadius1, c.undercutRadius1, 5e-4);
        EXPECT_NEAR(g.undercutDist1, c.undercutDist1, 5e-4);
        EXPECT_NEAR(g.undercutDist2, c.undercutDist2, 5e-4);
        EXPECT_NEAR(g.contactLimit1, c.limit1, 5e-4);
        EXPECT_NEAR(g.contactLimit2, c.limit2, 5e-4);

        // The undercut point is where the junction circle meets the line,
        // between the interference point and the pitch point.
        EXPECT_NEAR(g.undercutDist1, -meetingDistance(c.z1 / 2.0, g.undercutRadius1), 1e-9);
        EXPECT_NEAR(positionOnLine(g.undercutPoint1), -g.undercutDist1, 1e-12);
        EXPECT_NEAR(g.undercutDist2, -meetingDistance(c.z2 / 2.0, g.undercutRadius2), 1e-9);
        EXPECT_NEAR(positionOnLine(g.undercutPoint2), g.undercutDist2, 1e-12);
    }
    computeGearPair(pair, 20, 40);
    EXPECT_NEAR(pair.undercutPoint1.x, 2.543, 5e-4);
    EXPECT_NEAR(pair.undercutPoint1.y, -0.925, 5e-4);
    EXPECT_NEAR(pair.undercutPoint2.x, -3.673, 5e-4);
    EXPECT_NEAR(pair.undercutPoint2.y, 1.337, 5e-4);
    computeGearPair(pair, 10, 40);
    EXPECT_NEAR(pair.undercutPoint1.x, 0.911, 5e-4);
    EXPECT_NEAR(pair.undercutPoint1.y, -0.332, 5e-4);
}

// With equal counts the two sides mirror each other through the pitch point.
TEST(computeGearPair, EqualCountsMirror) {
    for (int z : {7, 20, 61}) {
        SCOPED_TRACE(z);
        computeGearPair(pair, z, z);
        const GearPair& g = pair;
        EXPECT_EQ(g.gearRatio, 1.0);
        EXPECT_NEAR(g.interferencePoint2.x, -g.interferencePoint1.x, 1e-12);
        EXPECT_NEAR(g.interferencePoint2.y, -g.interferencePoint1.y, 1e-12);
        EXPECT_NEAR(g.tipContactPoint2.x, -g.tipContactPoint1.x, 1e-12);
        EXPECT_NEAR(g.tipContactPoint2.y, -g.tipContactPoint1.y, 1e-12);
        EXPECT_NEAR(g.undercutPoint2.x, -g.undercutPoint1.x, 1e-12);
        EXPECT_NEAR(g.undercutPoint2.y, -g.undercutPoint1.y, 1e-12);
        EXPECT_NEAR(g.contactLimit1, g.contactLimit2, 1e-12);
    }
}

// Every count as gear 1 and as gear 2: outlines fit their arrays, the
// characteristic points lie on the line of action on their own side, and
// each contact limit is the nearest of its three ends.
TEST(computeGearPair, EveryCount) {
    for (int z = MIN_TEETH; z <= MAX_TEETH; ++z) {
        for (int mate : {z, MAX_TEETH + 1 - z}) {
            SCOPED_TRACE(testing::Message() << z << " with " << mate);
            computeGearPair(pair, z, mate);
            const GearPair& g = pair;
            ASSERT_GE(g.toothOutlineLast1, 0);
            ASSERT_LE(g.toothOutlineLast1, CURVE_CAPACITY - 1);
            ASSERT_GE(g.toothOutlineLast2, 0);
            ASSERT_LE(g.toothOutlineLast2, CURVE_CAPACITY - 1);

            expectOnLineOfAction(g.tipContactPoint1);
            expectOnLineOfAction(g.tipContactPoint2);
            expectOnLineOfAction(g.undercutPoint1);
            expectOnLineOfAction(g.undercutPoint2);
            EXPECT_GE(g.undercutPoint1.x, 0.0);
            EXPECT_LE(g.undercutPoint2.x, 0.0);
            EXPECT_LE(g.undercutDist1, g.interferenceDist1 + 1e-12);
            EXPECT_LE(g.undercutDist2, g.interferenceDist2 + 1e-12);

            EXPECT_EQ(g.contactLimit1, std::fmin(std::fmin(g.tipContactDist2, g.interferenceDist1),
                                                 g.undercutDist1));
            EXPECT_EQ(g.contactLimit2, std::fmin(std::fmin(g.tipContactDist1, g.interferenceDist2),
                                                 g.undercutDist2));

            // Each gear's view: its outline starts on its root circle, and
            // the point that ends its side lies at the contact limit.
            for (int gear : {1, 2}) {
                const GearView v = gearOf(g, gear);
                EXPECT_EQ(v.teeth, gear == 1 ? z : mate);
                EXPECT_NEAR(radiusOf(v.toothOutline[0]), std::abs(v.rootRadius),
                            1e-12 * v.tipRadius);
                EXPECT_EQ(radiusOf(v.contactEndPoint), v.contactLimit);
                expectOnLineOfAction(v.contactEndPoint);
            }
        }
    }
}

// With 1 to 4 teeth the junction circle reaches the pitch circle, so the
// pitch point itself is the undercut point and no contact runs on N1's side;
// from 5 teeth the circle meets the line between N1 and the pitch point.
TEST(computeGearPair, FewTeethUndercutAtPitchPoint) {
    for (int z = 1; z <= 4; ++z) {
        SCOPED_TRACE(z);
        computeGearPair(pair, z, 40);
        EXPECT_GE(pair.undercutRadius1, pair.pitchRadius1);
        EXPECT_EQ(pair.undercutPoint1.x, 0.0);
        EXPECT_EQ(pair.undercutPoint1.y, 0.0);
        EXPECT_EQ(pair.undercutDist1, 0.0);
        EXPECT_EQ(pair.contactLimit1, 0.0);

        computeGearPair(pair, 40, z);
        EXPECT_EQ(pair.undercutDist2, 0.0);
        EXPECT_EQ(pair.contactLimit2, 0.0);
    }
    computeGearPair(pair, 5, 5);
    EXPECT_LT(pair.undercutRadius1, pair.pitchRadius1);
    EXPECT_GT(pair.undercutPoint1.x, 0.0);
    EXPECT_NEAR(pair.undercutDist1, -meetingDistance(2.5, pair.undercutRadius1), 1e-9);
    EXPECT_LT(pair.undercutPoint2.x, 0.0);
}

// Gear 1's outline survives the building of gear 2's through shared buffers.
TEST(computeGearPair, BothOutlinesKept) {
    computeGearPair(pair, 10, 40);
    const GearPair& g = pair;
    ASSERT_EQ(g.toothOutlineLast1, 200);
    ASSERT_EQ(g.toothOutlineLast2, 90);
    EXPECT_NEAR(radiusOf(g.toothOutline1[0]), 3.75, 1e-12);
    EXPECT_NEAR(radiusOf(g.toothOutline1[110]), 6.0, 1e-12);
    const Point2 first = turned(g.toothOutline1[0], 2 * PI / 10);
    EXPECT_LT(distance(first, g.toothOutline1[200]), 1e-12);
}

// Profile shift widens gear 1's teeth and narrows gear 2's by the same amount.
TEST(computeGearPair, ShiftGoesOppositeWays) {
    computeGearPair(pair, 20, 40, 0.25);
    const GearPair& g = pair;
    EXPECT_EQ(g.shift1, 0.25);
    EXPECT_EQ(g.shift2, -0.25);
    EXPECT_EQ(g.tipRadius1, 11.25);
    EXPECT_EQ(g.tipRadius2, 20.75);
    EXPECT_EQ(g.dedendum1, 1.0);
    EXPECT_EQ(g.dedendum2, 1.5);
    EXPECT_NEAR(radiusOf(g.toothOutline1[0]), 9.0, 1e-12);
    EXPECT_NEAR(radiusOf(g.toothOutline2[0]), 18.5, 1e-12);
}

// On a tie the earlier candidate of undercut, tip contact, interference ends
// the side, so the window marks exactly one point on each side.
TEST(contactEndOf, NearestCandidateAndTies) {
    EXPECT_EQ(contactEndOf(1.0, 2.0, 3.0), ContactEnd::UNDERCUT);
    EXPECT_EQ(contactEndOf(3.0, 1.0, 2.0), ContactEnd::TIP_CONTACT);
    EXPECT_EQ(contactEndOf(3.0, 2.0, 1.0), ContactEnd::INTERFERENCE);
    EXPECT_EQ(contactEndOf(1.0, 1.0, 1.0), ContactEnd::UNDERCUT);
    EXPECT_EQ(contactEndOf(2.0, 1.0, 1.0), ContactEnd::TIP_CONTACT);
    EXPECT_EQ(contactEndOf(1.0, 2.0, 1.0), ContactEnd::UNDERCUT);
}

}  // namespace gearmesh
