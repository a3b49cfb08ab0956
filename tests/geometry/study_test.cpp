// The study numbers against closed forms that do not go through the exact
// model's own bookkeeping: tip-circle contact ratios, radii of curvature
// measured as distances from the interference points, zone lengths.

#include "geometry/study.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gearmesh {

namespace {

const double ALPHA = FULL_PI / 9;

// Contact ratio of a pair whose path ends at both tip circles (no undercut,
// no pointed teeth): the tip circles' reach along the line of action minus
// the centre distance's share, over the base pitch.
double tipCircleContactRatio(int z1, int z2, double shift) {
    const double r1 = z1 / 2.0, r2 = z2 / 2.0;
    const double ra1 = r1 + 1.0 + shift, ra2 = r2 + 1.0 - shift;
    const double rb1 = r1 * std::cos(ALPHA), rb2 = r2 * std::cos(ALPHA);
    const double reach = std::sqrt(ra1 * ra1 - rb1 * rb1) + std::sqrt(ra2 * ra2 - rb2 * rb2);
    return (reach - (r1 + r2) * std::sin(ALPHA)) / (FULL_PI * std::cos(ALPHA));
}

// The point at position u on the line of action (positive towards gear 1's
// interference point, down and to the right), pitch point at the origin.
Point2 onLine(double u) {
    return {u * std::cos(ALPHA), -u * std::sin(ALPHA)};
}

double distance(const Point2& a, const Point2& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

TEST(studyOf, PairsEndedByTheirTipCirclesMatchTheClosedForm) {
    const struct {
        int z1, z2;
        double shift;
    } pairs[] = {{20, 40, 0.0}, {149, 149, 0.0}, {20, 40, 0.3}, {30, 60, -0.2}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(std::to_string(p.z1) + "/" + std::to_string(p.z2) + " shift " +
                     std::to_string(p.shift));
        const PairStudy s = studyOf(exactPair(p.z1, p.z2, p.shift));
        ASSERT_TRUE(s.hasPath);
        const double ratio = tipCircleContactRatio(p.z1, p.z2, p.shift);
        EXPECT_NEAR(s.contactRatio, ratio, 1e-12);
        ASSERT_GE(ratio, 1.0);
        ASSERT_LT(ratio, 2.0);
        // One pair carries the load over (2 - ratio) base pitches, in the
        // middle of the path: each end of the zone one base pitch from the
        // far end of the path.
        ASSERT_TRUE(s.hasSinglePairZone);
        const double pitch = FULL_PI * std::cos(ALPHA);
        EXPECT_NEAR(s.singleTo - s.singleFrom, (2.0 - ratio) * pitch, 1e-12);
        EXPECT_NEAR(s.singleFrom, s.pathTo - pitch, 1e-12);
        EXPECT_NEAR(s.singleTo, s.pathFrom + pitch, 1e-12);
        EXPECT_NEAR(s.pathTo - s.pathFrom, ratio * pitch, 1e-12);
    }
}

TEST(studyOf, BelowContactRatioOneOnePairCarriesTheWholePath) {
    // Twelve teeth are undercut: the path ends where the involutes start.
    const PairStudy s = studyOf(exactPair(12, 12, 0.0));
    ASSERT_TRUE(s.hasPath);
    EXPECT_LT(s.contactRatio, 1.0);
    ASSERT_TRUE(s.hasSinglePairZone);
    EXPECT_EQ(s.singleFrom, s.pathFrom);
    EXPECT_EQ(s.singleTo, s.pathTo);
    // Symmetric pair: symmetric path.
    EXPECT_NEAR(s.pathFrom, -s.pathTo, 1e-12);
}

TEST(studyOf, NoPathNoStudy) {
    // One tooth: the rack leaves no involute.
    const PairStudy s = studyOf(exactPair(1, 1, 0.0));
    EXPECT_FALSE(s.hasPath);
    EXPECT_FALSE(s.hasSinglePairZone);
}

TEST(specificSliding, FollowsTheRadiiOfCurvatureOnTheLineOfAction) {
    for (const auto& counts : {std::pair<int, int>{20, 40}, {12, 30}, {40, 20}, {149, 149}}) {
        const int z1 = counts.first, z2 = counts.second;
        SCOPED_TRACE(std::to_string(z1) + "/" + std::to_string(z2));
        const PairStudy s = studyOf(exactPair(z1, z2, 0.0));
        ASSERT_TRUE(s.hasPath);
        // The interference points, where the line of action touches the base circles.
        const double rb1 = z1 / 2.0 * std::cos(ALPHA), rb2 = z2 / 2.0 * std::cos(ALPHA);
        const Point2 n1{rb1 * std::sin(ALPHA), rb1 * std::cos(ALPHA) - z1 / 2.0};
        const Point2 n2{-rb2 * std::sin(ALPHA), z2 / 2.0 - rb2 * std::cos(ALPHA)};
        EXPECT_EQ(specificSliding1(s, 0.0), 0.0);
        EXPECT_EQ(specificSliding2(s, 0.0), 0.0);
        for (int i = 0; i <= 20; ++i) {
            const double u = s.pathFrom + (s.pathTo - s.pathFrom) * i / 20.0;
            const double rho1 = distance(onLine(u), n1);
            const double rho2 = distance(onLine(u), n2);
            // Flank speeds along the tangent are omega rho, with omega2 / omega1 = z1 / z2.
            const double v1 = rho1, v2 = rho2 * z1 / z2;
            EXPECT_NEAR(specificSliding1(s, u), (v1 - v2) / v1, 1e-9) << "u " << u;
            EXPECT_NEAR(specificSliding2(s, u), (v2 - v1) / v2, 1e-9) << "u " << u;
            EXPECT_NEAR((1.0 - specificSliding1(s, u)) * (1.0 - specificSliding2(s, u)), 1.0,
                        1e-12);
        }
        // Gear 1's root meets the mate's tip at the end towards its own
        // interference point: there it slides most.
        EXPECT_LT(specificSliding1(s, s.pathTo), specificSliding1(s, s.pathFrom));
        EXPECT_LT(specificSliding2(s, s.pathFrom), specificSliding2(s, s.pathTo));
    }
}

TEST(contactsOnPath, EndsCountAndTheMeanOverAPitchIsTheContactRatio) {
    GearPair pair;
    for (const auto& counts : {std::pair<int, int>{20, 40}, {12, 12}, {12, 30}, {149, 149}}) {
        SCOPED_TRACE(std::to_string(counts.first) + "/" + std::to_string(counts.second));
        computeGearPair(pair, counts.first, counts.second);
        const PairStudy s = studyOf(exactPair(counts.first, counts.second, 0.0));
        // Positions one fortieth of a base pitch apart cover the line of
        // action evenly: over a pitch the contacts on the path average the
        // contact ratio, to within one position at each end.
        const int steps = 4000;
        long total = 0;
        double positions[STUDY_CONTACT_CAPACITY];
        for (int k = 0; k < steps; ++k) {
            const double theta1 = pair.basePitchAngle1 * (1.0 + static_cast<double>(k) / steps);
            const int n = contactsOnPath(s, pair, theta1, positions);
            ASSERT_LE(n, 2);
            for (int i = 0; i < n; ++i) {
                EXPECT_GE(positions[i], s.pathFrom - PATH_END_SLACK);
                EXPECT_LE(positions[i], s.pathTo + PATH_END_SLACK);
                if (i > 0) {
                    EXPECT_NEAR(positions[i] - positions[i - 1], pair.basePitch, 1e-9);
                }
            }
            total += n;
        }
        EXPECT_NEAR(static_cast<double>(total) / steps, s.contactRatio, 2.0 / steps);
    }

    // A contact standing on an end of the path counts, ends included.
    computeGearPair(pair, 20, 40);
    const PairStudy s = studyOf(exactPair(20, 40, 0.0));
    double positions[STUDY_CONTACT_CAPACITY];
    const double atEnd = -s.pathTo / pair.gears[0].baseRadius;
    ASSERT_EQ(contactsOnPath(s, pair, atEnd, positions), 2);
    EXPECT_NEAR(positions[1], s.pathTo, 1e-12);
    const double beyond = -(s.pathTo + 1e-6) / pair.gears[0].baseRadius;
    EXPECT_EQ(contactsOnPath(s, pair, beyond, positions), 1);
}

}  // namespace gearmesh
