#include "geometry/exact_outline.h"

#include <gtest/gtest.h>
#include <polyclipping/clipper.hpp>

#include <boost/geometry.hpp>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace gearmesh {

namespace bg = boost::geometry;

namespace {

using BPoint = bg::model::d2::point_xy<double>;
// Counter-clockwise, not repeating the first vertex at the end.
using BPolygon = bg::model::polygon<BPoint, false, false>;

const double ALPHA = M_PI / 9;
const double TOLERANCE = 1e-3;

BPolygon toBoost(const std::vector<Point2>& points) {
    BPolygon polygon;
    for (const Point2& p : points) {
        polygon.outer().push_back(BPoint(p.x, p.y));
    }
    return polygon;
}

// Whether the rack cuts point p (gear frame) at any roll: for rolls over a
// whole turn, the rack's local coordinates of p against the nearest rack
// tooth. Straight from the rack's shape, independent of the exact model.
bool rackCuts(const ExactGear& g, const Point2& p) {
    const double R = g.pitchRadius;
    const double dedendum = 1.25 - g.shift;
    const double halfThickness = M_PI / 4 - g.shift * std::tan(ALPHA);
    const int steps = 40000;
    for (int i = 0; i < steps; ++i) {
        const double turn = 2 * M_PI * i / steps;
        const double beta = g.spaceCentre + turn;
        const double out = p.x * std::sin(beta) + p.y * std::cos(beta);  // from the centre
        const double along = p.x * std::cos(beta) - p.y * std::sin(beta) + R * turn;
        const double depth = R - out;
        if (depth > dedendum) {
            continue;
        }
        const double fromTooth = along - M_PI * std::round(along / M_PI);
        if (std::fabs(fromTooth) <= halfThickness - depth * std::tan(ALPHA)) {
            return true;
        }
    }
    return false;
}

// Polar angle from +y towards +x reduced into [-period/2, period/2).
double reduced(double angle, double period) {
    return angle - period * std::floor(angle / period + 0.5);
}

// The outline of gear 1 or 2 in mesh, as the simulator places it: gear 1's
// centre (0, -z1/2) turned by theta1, gear 2's (0, z2/2) turned by
// pi - theta1 z1 / z2. In Clipper integers of 1e-9 module.
ClipperLib::Path placed(const std::vector<Point2>& points, double centreY, double turn) {
    ClipperLib::Path path;
    const double c = std::cos(turn);
    const double s = std::sin(turn);
    for (const Point2& p : points) {
        path.push_back({std::llround((p.x * c - p.y * s) * 1e9),
                        std::llround((p.x * s + p.y * c + centreY) * 1e9)});
    }
    return path;
}

}  // namespace

// Every count 1..40 and a spread up to 1000, five shifts: either a gear is
// refused, or its outline is one simple counter-clockwise polygon between
// its root and tip circles. Pointed teeth end at the crossing of their flanks.
TEST(exactOutline, OneSimplePolygonOverTheGrid) {
    std::vector<int> counts;
    for (int z = 1; z <= 40; ++z) {
        counts.push_back(z);
    }
    for (int z : {50, 60, 80, 100, 149, 200, 500, 1000}) {
        counts.push_back(z);
    }
    for (double shift : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
        for (int z : counts) {
            const ExactGear g = exactGear(z, shift);
            const ExactOutline o = exactOutline(g, TOLERANCE);
            const std::string where = std::to_string(z) + " teeth, shift " + std::to_string(shift);
            // Teeth survive wherever the rack leaves a root under them.
            if (z >= 10) {
                ASSERT_EQ(o.status, OutlineStatus::Whole) << where;
            }
            if (o.status != OutlineStatus::Whole) {
                EXPECT_TRUE(o.points.empty());
                continue;
            }
            const BPolygon polygon = toBoost(o.points);
            std::string reason;
            EXPECT_TRUE(bg::is_valid(polygon, reason)) << where << ": " << reason;
            EXPECT_TRUE(bg::is_simple(polygon)) << where;
            EXPECT_GT(bg::area(polygon), 0.0) << where;
            double lowest = 1e300;
            double highest = 0.0;
            double shortestEdge = 1e300;
            for (std::size_t i = 0; i < o.points.size(); ++i) {
                const Point2& p = o.points[i];
                const Point2& q = o.points[(i + 1) % o.points.size()];
                shortestEdge = std::fmin(shortestEdge, std::hypot(q.x - p.x, q.y - p.y));
                lowest = std::fmin(lowest, std::hypot(p.x, p.y));
                highest = std::fmax(highest, std::hypot(p.x, p.y));
            }
            EXPECT_GT(shortestEdge, 0.0) << where;
            EXPECT_GE(lowest, g.rootRadius - TOLERANCE) << where;
            EXPECT_LE(highest, g.tipRadius + 1e-12) << where;
            if (g.pointed && g.hasInvolute) {
                EXPECT_NEAR(highest, g.pointRadius, 2 * TOLERANCE) << where;
            } else if (g.hasInvolute) {
                // The tip arc's chords are the blank's: inscribed in the tip circle.
                EXPECT_GE(highest, g.tipRadius - TOLERANCE) << where;
            }
        }
    }
}

// Random points of the blank: inside the outline exactly where no position
// of the rack reaches them, except within the tolerance of the outline.
// Covers undercut, pointed, overlapping and centre-less tiny gears.
TEST(exactOutline, LeavesWhatTheRackLeavesStanding) {
    const struct {
        int teeth;
        double shift;
    } cases[] = {{1, 0.0}, {1, 0.5}, {3, 0.0}, {5, 1.0}, {6, -0.5}, {10, -1.0}, {12, 0.0}};
    std::mt19937 random(11);
    for (const auto& c : cases) {
        const ExactGear g = exactGear(c.teeth, c.shift);
        const ExactOutline o = exactOutline(g, TOLERANCE);
        ASSERT_EQ(o.status, OutlineStatus::Whole) << c.teeth << " " << c.shift;
        const BPolygon polygon = toBoost(o.points);
        std::uniform_real_distribution<double> coordinate(-g.tipRadius, g.tipRadius);
        int checked = 0;
        while (checked < 300) {
            const Point2 p{coordinate(random), coordinate(random)};
            const BPoint b(p.x, p.y);
            if (std::hypot(p.x, p.y) > g.tipRadius ||
                bg::distance(b, polygon.outer()) < 2 * TOLERANCE) {
                continue;
            }
            ++checked;
            EXPECT_EQ(bg::within(b, polygon), !rackCuts(g, p))
                << c.teeth << " teeth, shift " << c.shift << " at " << p.x << ", " << p.y;
        }
    }
}

// Each chord whose ends lie on a flank's involute stays within the
// tolerance of it (normal distance rb times the angle at the same radius),
// and finer tolerances take more points.
TEST(exactOutline, FlankChordsWithinTolerance) {
    for (double tolerance : {1e-2, 1e-3, 1e-5}) {
        const ExactGear g = exactGear(17, 0.25);
        const ExactOutline o = exactOutline(g, tolerance);
        const double pitchAngle = 2 * M_PI / g.teeth;
        const auto flankOffset = [&g, pitchAngle](const Point2& p) {
            const double r = std::hypot(p.x, p.y);
            const double th = std::atan2(p.x, p.y);
            const double involute = exactInvoluteAngle(g, r);
            const double left = reduced(th - involute, pitchAngle);
            const double right = reduced(th + involute - g.toothAngle, pitchAngle);
            return std::fabs(left) < std::fabs(right) ? left : right;
        };
        int chords = 0;
        for (std::size_t i = 0; i < o.points.size(); ++i) {
            const Point2& a = o.points[i];
            const Point2& b = o.points[(i + 1) % o.points.size()];
            const double ra = std::hypot(a.x, a.y);
            const double rb = std::hypot(b.x, b.y);
            if (std::fmin(ra, rb) < g.junctionRadius || std::fmax(ra, rb) > g.tipRadius - 1e-9 ||
                std::fabs(flankOffset(a)) > 1e-9 || std::fabs(flankOffset(b)) > 1e-9) {
                continue;
            }
            ++chords;
            const Point2 m{(a.x + b.x) / 2, (a.y + b.y) / 2};
            EXPECT_LE(g.baseRadius * std::fabs(flankOffset(m)), tolerance * 1.001);
        }
        EXPECT_GE(chords, 2 * g.teeth) << tolerance;
    }
    EXPECT_LT(exactOutline(exactGear(17, 0.25), 1e-2).points.size(),
              exactOutline(exactGear(17, 0.25), 1e-5).points.size());
}

// Two exact gears placed as the simulator places them, stepped one fortieth
// of gear 1's pitch at a time over a whole pitch: they touch but never
// overlap by more than the tolerance (thickness of any overlap, twice its
// area over its perimeter).
TEST(exactOutline, GearsInMeshNeverOverlap) {
    const struct {
        int z1, z2;
        double shift;
    } pairs[] = {{20, 40, 0.0}, {12, 30, 0.0},  {10, 40, 0.5}, {30, 30, -0.5},
                 {8, 24, 1.0},  {25, 149, 0.0}, {60, 400, 0.0}};
    for (const auto& pair : pairs) {
        const ExactGear g1 = exactGear(pair.z1, pair.shift);
        const ExactGear g2 = exactGear(pair.z2, -pair.shift);
        const std::vector<Point2> o1 = exactOutline(g1, TOLERANCE).points;
        const std::vector<Point2> o2 = exactOutline(g2, TOLERANCE).points;
        const double pitch1 = 2 * M_PI / pair.z1;
        for (int step = 0; step < 40; ++step) {
            const double theta1 = pitch1 + step * pitch1 / 40;
            const double theta2 = theta1 * pair.z1 / pair.z2;
            ClipperLib::Clipper clipper;
            clipper.AddPath(placed(o1, -g1.pitchRadius, theta1), ClipperLib::ptSubject, true);
            clipper.AddPath(placed(o2, g2.pitchRadius, M_PI - theta2), ClipperLib::ptClip, true);
            ClipperLib::Paths overlap;
            clipper.Execute(ClipperLib::ctIntersection, overlap);
            for (const ClipperLib::Path& piece : overlap) {
                double perimeter = 0;
                for (std::size_t i = 0; i < piece.size(); ++i) {
                    const ClipperLib::IntPoint& a = piece[i];
                    const ClipperLib::IntPoint& b = piece[(i + 1) % piece.size()];
                    perimeter += std::hypot(double(b.X - a.X), double(b.Y - a.Y)) * 1e-9;
                }
                const double area = std::fabs(ClipperLib::Area(piece)) * 1e-18;
                EXPECT_LE(2 * area / perimeter, TOLERANCE)
                    << pair.z1 << "/" << pair.z2 << " shift " << pair.shift << " step " << step;
            }
            // They do touch: grown by the tolerance, the two overlap.
            ClipperLib::ClipperOffset grow;
            grow.AddPath(placed(o1, -g1.pitchRadius, theta1), ClipperLib::jtMiter,
                         ClipperLib::etClosedPolygon);
            ClipperLib::Paths grown;
            grow.Execute(grown, 2 * TOLERANCE * 1e9);
            ClipperLib::Clipper touch;
            touch.AddPaths(grown, ClipperLib::ptSubject, true);
            touch.AddPath(placed(o2, g2.pitchRadius, M_PI - theta2), ClipperLib::ptClip, true);
            ClipperLib::Paths contact;
            touch.Execute(ClipperLib::ctIntersection, contact);
            EXPECT_FALSE(contact.empty()) << pair.z1 << "/" << pair.z2 << " step " << step;
        }
    }
}

}  // namespace gearmesh
