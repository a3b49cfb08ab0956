#include "geometry/tooth_outline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

#include "geometry/gear_pair.h"
#include "geometry_test_util.h"

namespace gearmesh {

using namespace testutil;

namespace {

// The circles and tooth angle of a z-tooth gear with profile shift x, from
// their closed forms: pitch radius z / 2, addendum 1 + x, dedendum 1.25 - x,
// tooth angle (pi / 2 + 2 x tan(alpha)) / R.
ToothCut cutOf(int z, double x) {
    const double R = z / 2.0;
    return ToothCut{R,
                    R * std::cos(alpha()),
                    R + (1.0 + x),
                    R - (1.25 - x),
                    (PI / 2 + 2 * x * std::tan(alpha())) / R,
                    alpha(),
                    invAlpha()};
}

struct Outline {
    Point2 points[CURVE_CAPACITY];
    int last;
    double flankStartRadius;
};

void build(int z, double shift, Outline& o) {
    o.last = buildToothOutline(cutOf(z, shift), o.points, o.flankStartRadius);
}

// Every copy turned by one angular pitch starts where the previous one ends.
void expectClosesUp(const Outline& o, int z) {
    const Point2 first = turned(o.points[0], 2 * PI / z);
    EXPECT_LT(distance(first, o.points[o.last]), 1e-9 * z);
}

}  // namespace

TEST(buildToothOutline, StandardLastIndices) {
    Outline o;
    build(10, 0.0, o);
    EXPECT_EQ(o.last, 200);
    EXPECT_NEAR(o.flankStartRadius, 4.756, 5e-4);
    build(40, 0.0, o);
    EXPECT_EQ(o.last, 90);
    EXPECT_NEAR(o.flankStartRadius, 19.021, 5e-4);

    // Two teeth give the longest outline of all counts.
    int longest = 0;
    int longestCount = 0;
    for (int z = 1; z <= MAX_TEETH; ++z) {
        build(z, 0.0, o);
        ASSERT_LE(o.last, CURVE_CAPACITY - 1) << z;
        if (o.last > longest) {
            longest = o.last;
            longestCount = z;
        }
    }
    EXPECT_EQ(longest, 306);
    EXPECT_EQ(longestCount, 2);
}

// Root arc on the root circle, profile in between, tip arc on the tip
// circle; copies join into a closed gear from three teeth up.
TEST(buildToothOutline, ShapeOfEveryCount) {
    for (int z = 3; z <= MAX_TEETH; ++z) {
        SCOPED_TRACE(z);
        Outline o;
        build(z, 0.0, o);
        const double R = z / 2.0;
        const double rf = R - 1.25;
        const double ra = R + 1.0;
        const int n = (o.last - 20) / 2;
        ASSERT_EQ(o.last, 2 * n + 20);

        for (int i = 0; i < 10; ++i) {
            EXPECT_NEAR(radiusOf(o.points[i]), rf, 1e-12 * R);
        }
        // From 144 teeth the closest flank sample of the junction lies a few
        // hundredths inside the root circle (the base circle is far below it).
        const double floor = (z < 144) ? rf - 1e-12 * R : rf - 0.05;
        for (int i = 0; i <= o.last; ++i) {
            const double r = radiusOf(o.points[i]);
            EXPECT_GE(r, floor) << i;
            EXPECT_LE(r, ra + 1e-12 * R) << i;
        }
        for (int i = n + 10; i < n + 20; ++i) {
            EXPECT_NEAR(radiusOf(o.points[i]), ra, 1e-12 * R) << i;
        }
        EXPECT_NEAR(radiusOf(o.points[o.last]), rf, 1e-12 * R);
        expectClosesUp(o, z);

        // Both arcs run in ten equal steps into the first point after them.
        for (int start : {0, n + 10}) {
            const double from = polarAngleOf(o.points[start]);
            const double to = polarAngleOf(o.points[start + 10]);
            for (int i = 1; i < 10; ++i) {
                EXPECT_NEAR(polarAngleOf(o.points[start + i]), from + i * (to - from) / 10, 1e-12)
                    << start + i;
            }
        }
    }
}

// The two flanks are mirror images about the tooth's centre line: equal
// radius, polar angles adding up to the tooth angle (pi / z unshifted,
// widened by 2 x tan(alpha) / R when shifted).
TEST(buildToothOutline, MirrorSymmetry) {
    const struct {
        int z;
        double shift;
    } cases[] = {{1, 0.0},  {2, 0.0},   {7, 0.0},  {10, 0.0},
                 {40, 0.0}, {149, 0.0}, {12, 0.5}, {30, -0.3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.z);
        Outline o;
        build(c.z, c.shift, o);
        const double R = c.z / 2.0;
        const double toothAngle = PI / c.z + 2 * c.shift * std::tan(alpha()) / R;
        const int n = (o.last - 20) / 2;
        for (int i = 0; i < n; ++i) {
            const Point2& p = o.points[10 + i];
            const Point2& q = o.points[2 * n + 20 - i];
            EXPECT_NEAR(radiusOf(p), radiusOf(q), 1e-12 * (R + 2)) << i;
            // Compare the mirrored point itself, so angles never wrap.
            const Point2 mirrored = turned({-p.x, p.y}, toothAngle);
            EXPECT_LT(distance(mirrored, q), 1e-12 * (R + 2)) << i;
        }
        // The tip circle belongs to the shifted profile.
        EXPECT_NEAR(radiusOf(o.points[n + 10]), R + 1.0 + c.shift, 1e-12 * (R + 2));
        EXPECT_NEAR(radiusOf(o.points[0]), std::abs(R - 1.25 + c.shift), 1e-12 * (R + 2));
        if (c.z >= 3) {
            expectClosesUp(o, c.z);
        }
    }
}

// With one tooth the flanks meet below the tip circle, so the tip arc runs
// backwards from the flank's tip point.
TEST(buildToothOutline, PointedToothTipArcRunsBackwards) {
    Outline o;
    build(1, 0.0, o);
    const int n = (o.last - 20) / 2;
    EXPECT_LT(polarAngleOf(o.points[n + 11]), polarAngleOf(o.points[n + 10]));
}

// Two threads building different outlines at the same time get the same
// bits as one thread building them one after the other: no working curve is
// shared between calls.
TEST(buildToothOutline, TwoThreadsAtOnce) {
    // Outlines of different lengths, so that mixed working curves show.
    const int counts[2] = {7, 40};
    Outline expected[2];
    for (int k = 0; k < 2; ++k) {
        build(counts[k], 0.0, expected[k]);
    }
    std::atomic<int> started{0};
    int mismatches[2] = {0, 0};
    const auto buildMany = [&](int k) {
        // Both threads start building together, so that their calls overlap.
        started.fetch_add(1);
        while (started.load() < 2) {
        }
        Outline o;
        for (int round = 0; round < 2000; ++round) {
            build(counts[k], 0.0, o);
            const bool same = o.last == expected[k].last &&
                              o.flankStartRadius == expected[k].flankStartRadius &&
                              std::memcmp(o.points, expected[k].points,
                                          sizeof(Point2) * (expected[k].last + 1)) == 0;
            mismatches[k] += same ? 0 : 1;
        }
    };
    std::thread first(buildMany, 0);
    std::thread second(buildMany, 1);
    first.join();
    second.join();
    EXPECT_EQ(mismatches[0], 0);
    EXPECT_EQ(mismatches[1], 0);
}

// Counts outside the accepted range give meaningless outlines, but every
// write still stays inside the arrays (ASan watches them in the sanitizer run).
TEST(buildToothOutline, DegenerateCountsStayInBounds) {
    for (int z : {0, -3}) {
        SCOPED_TRACE(z);
        Outline o;
        build(z, 0.0, o);
        EXPECT_GE(o.last, 0);
        EXPECT_LE(o.last, CURVE_CAPACITY - 1);
    }
}

}  // namespace gearmesh
