#include "geometry/junction.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/curves.h"
#include "geometry/gear_pair.h"
#include "geometry_test_util.h"

namespace gearmesh {

using namespace testutil;

namespace {

// Sampled fillet and flank of one standard tooth (no shift).
struct ToothCurves {
    Point2 fillet[CURVE_CAPACITY];
    Point2 flank[CURVE_CAPACITY];
    int nA;
    int nB;
};

void sampleStandardTooth(int z, ToothCurves& c) {
    const double R = z / 2.0;
    c.nB = involuteCurve(R * std::cos(alpha()), R + 1.0, alpha(), invAlpha(), c.flank);
    c.nA = trochoidCurve(R, R - 1.25, alpha(), c.fillet);
}

bool samePoint(const Point2& a, const Point2& b) {
    return a.x == b.x && a.y == b.y;
}

// Crossing of the lines through a0-a1 and b0-b1 by their slopes.
Point2 slopeCrossing(const Point2& a0, const Point2& a1, const Point2& b0, const Point2& b1) {
    const double mA = (a1.y - a0.y) / (a1.x - a0.x);
    const double mB = (b1.y - b0.y) / (b1.x - b0.x);
    const double x = (b0.y - a0.y + mA * a0.x - mB * b0.x) / (mA - mB);
    return {x, (x - b0.x) * mB + b0.y};
}

}  // namespace

TEST(joinFlankAndFillet, TenTeethCrossAtFilletSegment58) {
    ToothCurves c;
    sampleStandardTooth(10, c);
    ASSERT_EQ(c.nB, 39);
    Point2 P[CURVE_CAPACITY];
    double radius = 0.0;
    ASSERT_EQ(joinFlankAndFillet(c.nA, c.fillet, c.nB, c.flank, P, radius), 90);

    for (int k = 0; k <= 58; ++k) {
        EXPECT_TRUE(samePoint(P[k], c.fillet[k])) << k;
    }
    for (int k = 60; k <= 90; ++k) {
        EXPECT_TRUE(samePoint(P[k], c.flank[k - 51])) << k;
    }
    const Point2 junction = P[59];
    EXPECT_NEAR(junction.x, -0.065, 5e-4);
    EXPECT_NEAR(junction.y, 4.756, 5e-4);
    EXPECT_NEAR(radius, radiusOf(junction), 1e-15);
    EXPECT_GT(radius, 5 * std::cos(alpha()));  // above the base circle
}

TEST(joinFlankAndFillet, FortyTeethJoinAtClosestPair) {
    ToothCurves c;
    sampleStandardTooth(40, c);
    ASSERT_EQ(c.nB, 27);
    Point2 P[CURVE_CAPACITY];
    double radius = 0.0;
    ASSERT_EQ(joinFlankAndFillet(c.nA, c.fillet, c.nB, c.flank, P, radius), 35);

    // Fillet 0..16, then flank 9..27: both points of the pair stay.
    for (int k = 0; k <= 16; ++k) {
        EXPECT_TRUE(samePoint(P[k], c.fillet[k])) << k;
    }
    for (int k = 17; k <= 35; ++k) {
        EXPECT_TRUE(samePoint(P[k], c.flank[k - 8])) << k;
    }
    EXPECT_NEAR(radius, 19.021, 5e-4);
    EXPECT_EQ(radius, radiusOf(c.fillet[16]));
}

// Below 20 teeth the fillet cuts the flank: exactly one point of the profile
// is new, and it is where the two segments' lines cross. From 20 teeth up
// the profile holds only samples.
TEST(joinFlankAndFillet, EveryStandardCount) {
    for (int z = 1; z <= MAX_TEETH; ++z) {
        SCOPED_TRACE(z);
        ToothCurves c;
        sampleStandardTooth(z, c);
        Point2 P[CURVE_CAPACITY];
        double radius = 0.0;
        const int last = joinFlankAndFillet(c.nA, c.fillet, c.nB, c.flank, P, radius);
        ASSERT_LE(last, CURVE_CAPACITY - 1);
        EXPECT_TRUE(samePoint(P[0], c.fillet[0]));
        EXPECT_TRUE(samePoint(P[last], c.flank[c.nB]));

        // The profile is a run of fillet samples, then at most one new
        // point, then a run of flank samples.
        int j = 0;
        while (j < last && samePoint(P[j + 1], c.fillet[j + 1])) {
            ++j;
        }
        const int firstFlank = last - c.nB;  // where flank[0] would stand in P
        int newPoints = 0;
        for (int k = j + 1; k <= last; ++k) {
            const int l = k - firstFlank;
            if (l < 0 || l > c.nB || !samePoint(P[k], c.flank[l])) {
                ++newPoints;
            }
        }
        if (z <= 19) {
            ASSERT_EQ(newPoints, 1);
            const int i = (j + 2) - firstFlank - 1;  // flank segment i .. i+1
            const Point2 expected =
                slopeCrossing(c.fillet[j], c.fillet[j + 1], c.flank[i], c.flank[i + 1]);
            EXPECT_NEAR(P[j + 1].x, expected.x, 1e-9);
            EXPECT_NEAR(P[j + 1].y, expected.y, 1e-9);
            EXPECT_NEAR(radius, radiusOf(P[j + 1]), 1e-12);
        } else {
            EXPECT_EQ(newPoints, 0);
            EXPECT_EQ(radius, radiusOf(P[j]));
        }
    }
}

// Segments with equal x at both ends cross like any others.
TEST(joinFlankAndFillet, VerticalSegments) {
    const Point2 verticalFillet[] = {{0, -1}, {0, 1}};
    const Point2 level[] = {{-1, 0.5}, {1, 0.5}};
    Point2 P[CURVE_CAPACITY];
    double radius = 0.0;
    ASSERT_EQ(joinFlankAndFillet(1, verticalFillet, 1, level, P, radius), 2);
    EXPECT_EQ(P[1].x, 0.0);
    EXPECT_EQ(P[1].y, 0.5);
    EXPECT_EQ(radius, 0.5);

    const Point2 levelFillet[] = {{-1, 0}, {1, 0}};
    const Point2 verticalFlank[] = {{0.25, -1}, {0.25, 1}};
    ASSERT_EQ(joinFlankAndFillet(1, levelFillet, 1, verticalFlank, P, radius), 2);
    EXPECT_EQ(P[1].x, 0.25);
    EXPECT_EQ(P[1].y, 0.0);
    EXPECT_EQ(radius, 0.25);
    EXPECT_TRUE(samePoint(P[2], verticalFlank[1]));
}

// A flank end point on the fillet segment counts as a crossing; a fillet end
// point on the flank segment does not.
TEST(joinFlankAndFillet, EndPointsOnTheOtherSegment) {
    Point2 P[CURVE_CAPACITY];
    double radius = 0.0;

    const Point2 fillet1[] = {{0, 0}, {2, 0}};
    const Point2 flank1[] = {{1, 0}, {1, 1}};
    ASSERT_EQ(joinFlankAndFillet(1, fillet1, 1, flank1, P, radius), 2);
    EXPECT_EQ(P[1].x, 1.0);
    EXPECT_EQ(P[1].y, 0.0);

    // No crossing: fillet[0] is as close to flank[0] as to flank[1], and the
    // earlier pair wins.
    const Point2 fillet2[] = {{0, 0}, {0, 1}};
    const Point2 flank2[] = {{-1, 0}, {1, 0}};
    ASSERT_EQ(joinFlankAndFillet(1, fillet2, 1, flank2, P, radius), 2);
    EXPECT_TRUE(samePoint(P[0], fillet2[0]));
    EXPECT_TRUE(samePoint(P[1], flank2[0]));
    EXPECT_TRUE(samePoint(P[2], flank2[1]));
    EXPECT_EQ(radius, 0.0);
}

// Curves far apart still give a defined profile through their closest pair.
TEST(joinFlankAndFillet, FarApartCurves) {
    const Point2 fillet[] = {{1e6, 0}, {1e6, 1}, {1e6, 2}};
    const Point2 flank[] = {{0, 5}, {1, 5}, {2, 5}};
    Point2 P[CURVE_CAPACITY];
    double radius = -1.0;
    ASSERT_EQ(joinFlankAndFillet(2, fillet, 2, flank, P, radius), 3);
    EXPECT_TRUE(samePoint(P[2], fillet[2]));
    EXPECT_TRUE(samePoint(P[3], flank[2]));
    EXPECT_EQ(radius, radiusOf(fillet[2]));
}

}  // namespace gearmesh
