#include "geometry/contact.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry_test_util.h"

namespace gearmesh {

using namespace testutil;

namespace {

GearPair pair;

}  // namespace

// A candidate exactly on either end of the path of contact is not a contact.
// Values chosen so that every candidate is exact in binary.
TEST(contactPoints, EndsOfThePathAreExcluded) {
    pair.pressureAngle = alpha();
    pair.gears[0].baseRadius = 0.5;
    pair.basePitch = 4.0;
    pair.gears[0].contactLimit = 1.5;
    pair.gears[1].contactLimit = 2.0;
    Point2 points[4] = {{9, 9}, {9, 9}, {9, 9}, {9, 9}};

    // Candidates s = 0.5 angle + 4 - 4k.
    EXPECT_EQ(contactPoints(pair, -4.0, points), 0);  // 2.0 = contactLimit2
    EXPECT_EQ(contactPoints(pair, -3.0, points), 0);  // -1.5 = -contactLimit1
    EXPECT_EQ(points[0].x, 9.0);                      // untouched when none is found

    ASSERT_EQ(contactPoints(pair, -5.0, points), 1);  // 1.5
    EXPECT_NEAR(points[0].x, -1.5 * std::cos(alpha()), 1e-15);
    EXPECT_NEAR(points[0].y, 1.5 * std::sin(alpha()), 1e-15);
    EXPECT_EQ(points[1].x, 9.0);

    // A long path holds two contacts, packed in order of falling s.
    pair.gears[0].contactLimit = 3.0;
    pair.gears[1].contactLimit = 3.0;
    ASSERT_EQ(contactPoints(pair, -5.0, points), 2);  // 1.5 and -2.5
    EXPECT_NEAR(points[1].x, 2.5 * std::cos(alpha()), 1e-15);
    EXPECT_NEAR(points[1].y, -2.5 * std::sin(alpha()), 1e-15);
}

// One angular pitch of gear 1 moves the contacts by one base pitch, so at
// that angle a contact stands on the pitch point.
TEST(contactPoints, PitchPointAfterOneBasePitch) {
    computeGearPair(pair, 20, 40);
    Point2 points[4];
    ASSERT_EQ(contactPoints(pair, 2 * PI / 20, points), 1);
    EXPECT_NEAR(points[0].x, 0.0, 1e-12);
    EXPECT_NEAR(points[0].y, 0.0, 1e-12);
}

// Two equal 20-tooth gears: the path of contact reaches L = sqrt(ra^2 - rb^2)
// - R sin(alpha) either side, and 2L exceeds one base pitch, so there is
// always one pair in mesh and sometimes two.
TEST(contactPoints, EqualTwentyToothGearsOverOnePitch) {
    computeGearPair(pair, 20, 20);
    const double rb = 10 * std::cos(alpha());
    const double L = std::sqrt(11.0 * 11.0 - rb * rb) - 10 * std::sin(alpha());
    const double pb = PI * std::cos(alpha());
    ASSERT_NEAR(L, 2.298, 5e-4);

    const double pitchAngle = 2 * PI / 20;
    int twos = 0;
    for (int step = 0; step < 400; ++step) {
        const double angle = pitchAngle + step * pitchAngle / 400;
        const double s = rb * angle - pb;  // the candidate nearest the pitch point
        if (std::abs(s - (pb - L)) < 1e-9 || std::abs(s - L) < 1e-9) {
            continue;
        }
        Point2 points[4];
        const int n = contactPoints(pair, angle, points);
        EXPECT_EQ(n, (s > pb - L && s < L) ? 2 : 1) << angle;
        twos += (n == 2);
        for (int k = 0; k < n; ++k) {
            EXPECT_NEAR(points[k].y, -points[k].x * std::tan(alpha()), 1e-12);
        }
        // With two pairs in mesh, one touches at or beyond the pitch point
        // towards N2 (up-left) and the next one base pitch further down.
        if (n == 2) {
            EXPECT_NEAR(points[0].x, -s * std::cos(alpha()), 1e-12);
            EXPECT_NEAR(points[1].x, (pb - s) * std::cos(alpha()), 1e-12);
        }
    }
    EXPECT_GT(twos, 0);
}

// Heavy undercut shortens the path below one base pitch: some angles find no
// contact at all.
TEST(contactPoints, ShortPathHasGaps) {
    computeGearPair(pair, 6, 40);
    ASSERT_LT(pair.gears[0].contactLimit + pair.gears[1].contactLimit, pair.basePitch);
    const double pitchAngle = 2 * PI / 6;
    int none = 0;
    for (int step = 0; step < 240; ++step) {
        Point2 points[4];
        none += (contactPoints(pair, pitchAngle + step * pitchAngle / 240, points) == 0);
    }
    // The gap is the part of a base pitch that the path does not cover.
    const double gapShare =
        1 - (pair.gears[0].contactLimit + pair.gears[1].contactLimit) / pair.basePitch;
    EXPECT_NEAR(none / 240.0, gapShare, 2.0 / 240);
}

}  // namespace gearmesh
