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
    const Gear& g1 = pair.gears[0];
    const Gear& g2 = pair.gears[1];
    EXPECT_EQ(g1.teeth, 20);
    EXPECT_EQ(g2.teeth, 40);
    EXPECT_EQ(g.gearRatio, 0.5);
    EXPECT_NEAR(g.tanAlpha, 0.364, 5e-4);
    EXPECT_NEAR(g.invAlpha, 0.015, 5e-4);
    EXPECT_NEAR(g.invAlpha, std::tan(PI / 9) - PI / 9, 1e-16);
    EXPECT_NEAR(g.cosAlpha, 0.940, 5e-4);
    EXPECT_NEAR(g.sinAlpha, 0.342, 5e-4);

    EXPECT_EQ(g1.pitchRadius, 10.0);
    EXPECT_EQ(g1.tipRadius, 11.0);
    EXPECT_EQ(g2.pitchRadius, 20.0);
    EXPECT_EQ(g2.tipRadius, 21.0);
    EXPECT_NEAR(g1.baseRadius, 9.397, 5e-4);
    EXPECT_NEAR(g2.baseRadius, 18.794, 5e-4);
    EXPECT_NEAR(g.basePitch, 2.952, 5e-4);
    EXPECT_NEAR(g.basePitchAngle1, 2 * PI / 20, 1e-15);
    EXPECT_EQ(g1.centre.y, -10.0);
    EXPECT_EQ(g2.centre.y, 20.0);

    EXPECT_NEAR(g1.interferencePoint.x, 3.214, 5e-4);
    EXPECT_NEAR(g1.interferencePoint.y, -1.170, 5e-4);
    EXPECT_NEAR(g1.interferenceDist, 10 * std::sin(alpha()), 1e-14);
    EXPECT_NEAR(g2.interferencePoint.x, -6.428, 5e-4);
    EXPECT_NEAR(g2.interferencePoint.y, 2.340, 5e-4);
    EXPECT_NEAR(g2.interferenceDist, 20 * std::sin(alpha()), 1e-14);

    EXPECT_NEAR(g2.tipContactPoint.x, 2.377, 5e-4);
    EXPECT_NEAR(g2.tipContactPoint.y, -0.865, 5e-4);
    EXPECT_NEAR(g2.tipContactDist, meetingDistance(20, 21), 1e-12);
    EXPECT_NEAR(positionOnLine(g2.tipContactPoint), -g2.tipContactDist, 1e-12);
    EXPECT_NEAR(g1.tipContactPoint.x, -2.159, 5e-4);
    EXPECT_NEAR(g1.tipContactPoint.y, 0.786, 5e-4);
    EXPECT_NEAR(g1.tipContactDist, meetingDistance(10, 11), 1e-12);
    EXPECT_NEAR(positionOnLine(g1.tipContactPoint), g1.tipContactDist, 1e-12);
}

// Flank start points from the junction radii, and the nearest end on each side.
TEST(computeGearPair, FlankStartPointsAndContactLimits) {
    const struct {
        int z1, z2;
        double flankStartRadius1, flankStartDist1, flankStartDist2, limit1, limit2;
    } cases[] = {
        {20, 40, 9.424, 2.706, 3.909, 2.529, 2.298},
        {12, 30, 5.675, 1.403, 3.619, 1.403, 2.097},
        {10, 40, 4.756, 0.969, 3.909, 0.969, 2.021},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.z1);
        computeGearPair(pair, c.z1, c.z2);
        const Gear& g1 = pair.gears[0];
        const Gear& g2 = pair.gears[1];
        EXPECT_NEAR(g1.flankStartRadius, c.flankStartRadius1, 5e-4);
        EXPECT_NEAR(g1.flankStartDist, c.flankStartDist1, 5e-4);
        EXPECT_NEAR(g2.flankStartDist, c.flankStartDist2, 5e-4);
        EXPECT_NEAR(g1.contactLimit, c.limit1, 5e-4);
        EXPECT_NEAR(g2.contactLimit, c.limit2, 5e-4);

        // The flank start point is where the junction circle meets the line,
        // between the interference point and the pitch point.
        EXPECT_NEAR(g1.flankStartDist, -meetingDistance(c.z1 / 2.0, g1.flankStartRadius), 1e-9);
        EXPECT_NEAR(positionOnLine(g1.flankStartPoint), -g1.flankStartDist, 1e-12);
        EXPECT_NEAR(g2.flankStartDist, -meetingDistance(c.z2 / 2.0, g2.flankStartRadius), 1e-9);
        EXPECT_NEAR(positionOnLine(g2.flankStartPoint), g2.flankStartDist, 1e-12);
    }
    computeGearPair(pair, 20, 40);
    EXPECT_NEAR(pair.gears[0].flankStartPoint.x, 2.543, 5e-4);
    EXPECT_NEAR(pair.gears[0].flankStartPoint.y, -0.925, 5e-4);
    EXPECT_NEAR(pair.gears[1].flankStartPoint.x, -3.673, 5e-4);
    EXPECT_NEAR(pair.gears[1].flankStartPoint.y, 1.337, 5e-4);
    computeGearPair(pair, 10, 40);
    EXPECT_NEAR(pair.gears[0].flankStartPoint.x, 0.911, 5e-4);
    EXPECT_NEAR(pair.gears[0].flankStartPoint.y, -0.332, 5e-4);
}

// With equal counts the two sides mirror each other through the pitch point.
TEST(computeGearPair, EqualCountsMirror) {
    for (int z : {7, 20, 61}) {
        SCOPED_TRACE(z);
        computeGearPair(pair, z, z);
        const Gear& g1 = pair.gears[0];
        const Gear& g2 = pair.gears[1];
        EXPECT_EQ(pair.gearRatio, 1.0);
        EXPECT_NEAR(g2.interferencePoint.x, -g1.interferencePoint.x, 1e-12);
        EXPECT_NEAR(g2.interferencePoint.y, -g1.interferencePoint.y, 1e-12);
        EXPECT_NEAR(g2.tipContactPoint.x, -g1.tipContactPoint.x, 1e-12);
        EXPECT_NEAR(g2.tipContactPoint.y, -g1.tipContactPoint.y, 1e-12);
        EXPECT_NEAR(g2.flankStartPoint.x, -g1.flankStartPoint.x, 1e-12);
        EXPECT_NEAR(g2.flankStartPoint.y, -g1.flankStartPoint.y, 1e-12);
        EXPECT_NEAR(g1.contactLimit, g2.contactLimit, 1e-12);
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
            const Gear& g1 = pair.gears[0];
            const Gear& g2 = pair.gears[1];
            ASSERT_GE(g1.toothOutlineLast, 0);
            ASSERT_LE(g1.toothOutlineLast, CURVE_CAPACITY - 1);
            ASSERT_GE(g2.toothOutlineLast, 0);
            ASSERT_LE(g2.toothOutlineLast, CURVE_CAPACITY - 1);

            expectOnLineOfAction(g1.tipContactPoint);
            expectOnLineOfAction(g2.tipContactPoint);
            expectOnLineOfAction(g1.flankStartPoint);
            expectOnLineOfAction(g2.flankStartPoint);
            EXPECT_GE(g1.flankStartPoint.x, 0.0);
            EXPECT_LE(g2.flankStartPoint.x, 0.0);
            EXPECT_LE(g1.flankStartDist, g1.interferenceDist + 1e-12);
            EXPECT_LE(g2.flankStartDist, g2.interferenceDist + 1e-12);

            EXPECT_EQ(g1.contactLimit, std::fmin(std::fmin(g2.tipContactDist, g1.interferenceDist),
                                                 g1.flankStartDist));
            EXPECT_EQ(g2.contactLimit, std::fmin(std::fmin(g1.tipContactDist, g2.interferenceDist),
                                                 g2.flankStartDist));

            // Each gear's record: its outline starts on its root circle, and
            // the point that ends its side lies at the contact limit.
            for (int gear : {1, 2}) {
                const Gear& v = pair.gears[gear - 1];
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
// pitch point itself is the flank start point and no contact runs on N1's
// side; from 5 teeth the circle meets the line between N1 and the pitch point.
TEST(computeGearPair, FewTeethFlankStartAtPitchPoint) {
    for (int z = 1; z <= 4; ++z) {
        SCOPED_TRACE(z);
        computeGearPair(pair, z, 40);
        const Gear& g1 = pair.gears[0];
        EXPECT_GE(g1.flankStartRadius, g1.pitchRadius);
        EXPECT_EQ(g1.flankStartPoint.x, 0.0);
        EXPECT_EQ(g1.flankStartPoint.y, 0.0);
        EXPECT_EQ(g1.flankStartDist, 0.0);
        EXPECT_EQ(g1.contactLimit, 0.0);

        computeGearPair(pair, 40, z);
        EXPECT_EQ(pair.gears[1].flankStartDist, 0.0);
        EXPECT_EQ(pair.gears[1].contactLimit, 0.0);
    }
    computeGearPair(pair, 5, 5);
    const Gear& g1 = pair.gears[0];
    EXPECT_LT(g1.flankStartRadius, g1.pitchRadius);
    EXPECT_GT(g1.flankStartPoint.x, 0.0);
    EXPECT_NEAR(g1.flankStartDist, -meetingDistance(2.5, g1.flankStartRadius), 1e-9);
    EXPECT_LT(pair.gears[1].flankStartPoint.x, 0.0);
}

// Gear 1's outline survives the building of gear 2's.
TEST(computeGearPair, BothOutlinesKept) {
    computeGearPair(pair, 10, 40);
    const Gear& g1 = pair.gears[0];
    ASSERT_EQ(g1.toothOutlineLast, 200);
    ASSERT_EQ(pair.gears[1].toothOutlineLast, 90);
    EXPECT_NEAR(radiusOf(g1.toothOutline[0]), 3.75, 1e-12);
    EXPECT_NEAR(radiusOf(g1.toothOutline[110]), 6.0, 1e-12);
    const Point2 first = turned(g1.toothOutline[0], 2 * PI / 10);
    EXPECT_LT(distance(first, g1.toothOutline[200]), 1e-12);
}

// Profile shift widens gear 1's teeth and narrows gear 2's by the same amount.
TEST(computeGearPair, ShiftGoesOppositeWays) {
    computeGearPair(pair, 20, 40, 0.25);
    const Gear& g1 = pair.gears[0];
    const Gear& g2 = pair.gears[1];
    EXPECT_EQ(g1.shift, 0.25);
    EXPECT_EQ(g2.shift, -0.25);
    EXPECT_EQ(g1.tipRadius, 11.25);
    EXPECT_EQ(g2.tipRadius, 20.75);
    EXPECT_EQ(g1.dedendum, 1.0);
    EXPECT_EQ(g2.dedendum, 1.5);
    EXPECT_NEAR(radiusOf(g1.toothOutline[0]), 9.0, 1e-12);
    EXPECT_NEAR(radiusOf(g2.toothOutline[0]), 18.5, 1e-12);
}

// On a tie the earlier candidate of flank start, tip contact, interference ends
// the side, so the window marks exactly one point on each side.
TEST(contactEndOf, NearestCandidateAndTies) {
    EXPECT_EQ(contactEndOf(1.0, 2.0, 3.0), ContactEnd::FLANK_START);
    EXPECT_EQ(contactEndOf(3.0, 1.0, 2.0), ContactEnd::TIP_CONTACT);
    EXPECT_EQ(contactEndOf(3.0, 2.0, 1.0), ContactEnd::INTERFERENCE);
    EXPECT_EQ(contactEndOf(1.0, 1.0, 1.0), ContactEnd::FLANK_START);
    EXPECT_EQ(contactEndOf(2.0, 1.0, 1.0), ContactEnd::TIP_CONTACT);
    EXPECT_EQ(contactEndOf(1.0, 2.0, 1.0), ContactEnd::FLANK_START);
}

}  // namespace gearmesh
