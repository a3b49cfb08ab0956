#include "geometry/curves.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry_test_util.h"

namespace gearmesh {

using namespace testutil;

namespace {

const int TEETH[] = {1, 2, 3, 5, 10, 17, 20, 40, 99, 149};

}  // namespace

// Every sample is where a string unwound from the base circle ends after
// rolling by tan g: start on the base circle at -inv(alpha), roll tau.
TEST(involuteCurve, MatchesUnwoundString) {
    for (int z : TEETH) {
        SCOPED_TRACE(z);
        const double R = z / 2.0;
        const double rb = R * std::cos(alpha());
        const double ra = R + 1.0;
        Point2 flank[CURVE_CAPACITY];
        const int n = involuteCurve(rb, ra, alpha(), invAlpha(), flank);
        ASSERT_GT(n, 0);

        for (int i = 0; i < n; ++i) {
            const double tau = std::tan(i * PI / 180.0);
            const double phi = -invAlpha() + tau;
            EXPECT_NEAR(flank[i].x, rb * (std::sin(phi) - tau * std::cos(phi)), 1e-12 * ra);
            EXPECT_NEAR(flank[i].y, rb * (std::cos(phi) + tau * std::sin(phi)), 1e-12 * ra);
            EXPECT_LT(radiusOf(flank[i]), ra);
        }
        // The last point is the only one on (not inside) the tip circle, at
        // polar angle inv(g) - inv(alpha) with cos g = rb / ra.
        const double gTip = std::acos(rb / ra);
        EXPECT_NEAR(radiusOf(flank[n]), ra, 1e-12 * ra);
        EXPECT_NEAR(polarAngleOf(flank[n]), std::tan(gTip) - gTip - invAlpha(), 1e-12);
        // One-degree samples up to the tip's pressure angle; sample 20
        // (g = alpha) crosses the pitch circle on the +y axis.
        EXPECT_EQ(n, static_cast<int>(std::ceil(gTip * 180.0 / PI)));
        EXPECT_NEAR(flank[20].x, 0.0, 1e-12 * R);
        EXPECT_NEAR(flank[20].y, R, 1e-12 * R);
        if (z == 1 || z == 10 || z == 40) {
            EXPECT_EQ(n, z == 1 ? 72 : z == 10 ? 39 : 27);
        }
    }
}

TEST(involuteCurve, DegenerateRadii) {
    Point2 flank[CURVE_CAPACITY];

    // Base circle equal to tip circle: only the tip point, at g = 0.
    ASSERT_EQ(involuteCurve(5.0, 5.0, alpha(), invAlpha(), flank), 0);
    EXPECT_NEAR(flank[0].x, 5.0 * std::sin(-invAlpha()), 1e-15);
    EXPECT_NEAR(flank[0].y, 5.0 * std::cos(-invAlpha()), 1e-15);

    // A zero base radius never reaches the tip circle; the samples still
    // end inside the buffer (ASan watches this array).
    const int n = involuteCurve(0.0, 1.0, alpha(), invAlpha(), flank);
    EXPECT_LE(n, CURVE_CAPACITY - 1);
}

// The fillet is the path of the rack's tip corner: the point (R u - k, R - h)
// of the rack turned counterclockwise by u, with k = h tan(alpha), from u0 = k / R.
TEST(trochoidCurve, MatchesTurnedRackCorner) {
    for (int z : TEETH) {
        SCOPED_TRACE(z);
        const double R = z / 2.0;
        const double rf = R - 1.25;
        const double h = 1.25;
        const double k = h * std::tan(alpha());
        const double u0 = k / R;
        Point2 fillet[TROCHOID_STEPS + 1];
        ASSERT_EQ(trochoidCurve(R, rf, alpha(), fillet), 200);

        for (int i = 0; i <= 200; ++i) {
            const double u = u0 + i * 0.01;
            const double scale = std::abs(R * u) + R + k + h;
            EXPECT_NEAR(fillet[i].x, (R * u - k) * std::cos(u) - (R - h) * std::sin(u),
                        1e-13 * scale);
            EXPECT_NEAR(fillet[i].y, (R * u - k) * std::sin(u) + (R - h) * std::cos(u),
                        1e-13 * scale);
        }
        // Point 0 is on the root circle, on the tooth-space side at -u0.
        EXPECT_NEAR(fillet[0].x, -rf * std::sin(u0), 1e-13 * R);
        EXPECT_NEAR(fillet[0].y, rf * std::cos(u0), 1e-13 * R);
    }
}

TEST(trochoidCurve, TenTeethStartOnRootCircle) {
    Point2 fillet[TROCHOID_STEPS + 1];
    trochoidCurve(5.0, 3.75, alpha(), fillet);
    EXPECT_NEAR(radiusOf(fillet[0]), 3.75, 1e-12);
    EXPECT_NEAR(-polarAngleOf(fillet[0]), 0.091, 5e-4);
    // The fillet climbs from the root circle.
    for (int i = 1; i <= 200; ++i) {
        EXPECT_GT(radiusOf(fillet[i]), radiusOf(fillet[i - 1]));
    }
}

}  // namespace gearmesh
