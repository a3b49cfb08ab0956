#include "geometry/exact_outline.h"

#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>

namespace gearmesh {

namespace {

// Deepest halving of a parameter interval while following a curve.
constexpr int MAX_CURVE_DEPTH = 40;
// Every curve starts as this many equal parameter steps, so that a bend
// inside one step cannot hide between its midpoint and quarter points.
constexpr int FIRST_CURVE_STEPS = 4;
// Largest angle step of the arcs that close the swept region outside the blank.
constexpr double OUTER_ARC_STEP = 0.25;
// Largest integer coordinate handed to Clipper (its full range is 4.6e18).
constexpr double CLIPPER_EXTENT = 1e15;

// A point of the boundary of a tooth space: radius and polar angle measured
// from the middle of the space (towards tooth 0 positive).
struct Polar {
    double r;
    double th;
};

Point2 cartesian(const Polar& p) {
    return {p.r * std::sin(p.th), p.r * std::cos(p.th)};
}

double distanceToChord(const Point2& p, const Point2& a, const Point2& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0) {
        return std::hypot(p.x - a.x, p.y - a.y);
    }
    return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
}

// Appends the parameters in (t0, t1] at which curve f must be sampled so
// that every chord stays within tolerance at its midpoint and quarter points.
template <typename Curve>
void refineCurve(const Curve& f, double t0, double t1, const Point2& a, const Point2& b,
                 double tolerance, int depth, std::vector<double>& out) {
    const double tm = 0.5 * (t0 + t1);
    const Point2 m = cartesian(f(tm));
    bool fine = depth >= MAX_CURVE_DEPTH || !(distanceToChord(m, a, b) > tolerance);
    if (fine) {
        const Point2 q1 = cartesian(f(0.75 * t0 + 0.25 * t1));
        const Point2 q3 = cartesian(f(0.25 * t0 + 0.75 * t1));
        fine = depth >= MAX_CURVE_DEPTH ||
               (distanceToChord(q1, a, b) <= tolerance && distanceToChord(q3, a, b) <= tolerance);
    }
    if (fine) {
        out.push_back(t1);
        return;
    }
    refineCurve(f, t0, tm, a, m, tolerance, depth + 1, out);
    refineCurve(f, tm, t1, m, b, tolerance, depth + 1, out);
}

// Samples curve f (parameter to Polar) from t0 to t1, t0 excluded, onto out.
template <typename Curve>
void appendCurve(const Curve& f, double t0, double t1, double tolerance, std::vector<Polar>& out) {
    std::vector<double> parameters;
    for (int i = 0; i < FIRST_CURVE_STEPS; ++i) {
        const double a = t0 + (t1 - t0) * i / FIRST_CURVE_STEPS;
        const double b =
            (i + 1 == FIRST_CURVE_STEPS) ? t1 : t0 + (t1 - t0) * (i + 1) / FIRST_CURVE_STEPS;
        refineCurve(f, a, b, cartesian(f(a)), cartesian(f(b)), tolerance, 0, parameters);
    }
    for (double t : parameters) {
        out.push_back(f(t));
    }
}

// Arc of radius r from angle th0 to th1 (th0 excluded) whose chords stay
// within tolerance of the circle.
void appendArc(double r, double th0, double th1, double tolerance, std::vector<Polar>& out) {
    const double ratio = 1.0 - tolerance / r;
    const double largestStep = ratio > -1.0 ? 2.0 * std::acos(ratio) : FULL_PI;
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(th1 - th0) / largestStep)));
    for (int i = 1; i <= steps; ++i) {
        out.push_back({r, th0 + (th1 - th0) * i / steps});
    }
}

// Arc outside radius r from th0 to th1 (th0 excluded), its ends on the
// circle: each vertex between stands where the tangent at the previous one
// meets the next step's radius, so that no chord comes inside r.
void appendOuterArc(double r, double th0, double th1, std::vector<Polar>& out) {
    const int steps =
        std::max(2, static_cast<int>(std::ceil(std::fabs(th1 - th0) / OUTER_ARC_STEP)));
    const double step = std::fabs(th1 - th0) / steps;
    const double outside = r / std::cos(step);
    for (int i = 1; i < steps; ++i) {
        out.push_back({outside, th0 + (th1 - th0) * i / steps});
    }
    out.push_back({r, th1});
}

// The side of tooth space 0 that faces tooth 0, from the bottom of the space
// up to radius top, as polar points about the middle of the space: the
// corner's path up to the junction, then the involute. Angles beyond cap
// are held at cap (there the neighbouring cuts already cover the circle).
std::vector<Polar> spaceSide(const ExactGear& g, double top, double cap, double tolerance) {
    const double rf = g.rootRadius;
    const double R = g.pitchRadius;
    const double s0 = g.cornerOffset;
    const auto corner = [rf, R, s0](double turn) {
        const double along = s0 - R * turn;
        return Polar{std::hypot(rf, along), turn + std::atan2(along, rf)};
    };
    const double offset = g.spaceCentre + std::tan(FULL_PI / 9) - FULL_PI / 9;
    const double rb = g.baseRadius;
    const auto involute = [rb, offset](double roll) {
        return Polar{rb * std::sqrt(1.0 + roll * roll), roll - std::atan(roll) - offset};
    };

    std::vector<Polar> side;
    const double bottomTurn = s0 / R;
    side.push_back(corner(bottomTurn));
    if (g.junctionRadius < top) {
        appendCurve(corner, bottomTurn, g.junctionCorner, tolerance, side);
        const double topRatio = top / rb;
        appendCurve(involute, g.junctionRoll, std::sqrt(topRatio * topRatio - 1.0), tolerance,
                    side);
    } else {
        const double topTurn = (s0 - std::sqrt(top * top - rf * rf)) / R;
        appendCurve(corner, bottomTurn, topTurn, tolerance, side);
    }
    for (Polar& p : side) {
        p.th = std::min(p.th, cap);
    }
    return side;
}

// The region one rack tooth sweeps out of the blank, between the middle of
// its space (angle 0) and the side facing tooth 0, closed outside radius
// top: the bottom of the space, that side, an outer arc back to angle 0.
// With mirrored true, the other half. Polar about the middle of the space.
std::vector<Polar> halfSpace(const ExactGear& g, double top, double cap, double tolerance) {
    const std::vector<Polar> side = spaceSide(g, top, cap, tolerance);
    std::vector<Polar> half;
    const double rf = g.rootRadius;
    if (rf > 0) {
        // The rack's tip line rolls the root circle between the two corners.
        half.push_back({rf, 0.0});
        appendArc(rf, 0.0, side.front().th, tolerance, half);
        half.pop_back();
    } else {
        // The rack reaches past the centre: everything within |rf| is cut.
        half.push_back({0.0, 0.0});
        if (rf < 0) {
            half.push_back({-rf, cap});
            appendArc(-rf, cap, side.front().th, tolerance, half);
            half.pop_back();
        }
    }
    half.insert(half.end(), side.begin(), side.end());
    appendOuterArc(top, side.back().th, 0.0, half);
    return half;
}

ClipperLib::IntPoint toClipper(const Polar& p, double turn, double scale) {
    const Point2 q = cartesian({p.r, p.th + turn});
    return {static_cast<ClipperLib::cInt>(std::llround(q.x * scale)),
            static_cast<ClipperLib::cInt>(std::llround(q.y * scale))};
}

// The polygon of points turned by turn, in Clipper's integers, counter-clockwise.
ClipperLib::Path clipperPath(const std::vector<Polar>& points, double turn, double scale) {
    ClipperLib::Path path;
    path.reserve(points.size());
    for (const Polar& p : points) {
        const ClipperLib::IntPoint q = toClipper(p, turn, scale);
        if (path.empty() || !(path.back() == q)) {
            path.push_back(q);
        }
    }
    while (path.size() > 1 && path.back() == path.front()) {
        path.pop_back();
    }
    if (!ClipperLib::Orientation(path)) {
        std::reverse(path.begin(), path.end());
    }
    return path;
}

void collectOuters(const ClipperLib::PolyNode& node,
                   std::vector<const ClipperLib::PolyNode*>& out) {
    for (const ClipperLib::PolyNode* child : node.Childs) {
        if (!child->IsHole()) {
            out.push_back(child);
        }
        collectOuters(*child, out);
    }
}

// The Clipper difference of subject and the clip paths, as a tree.
void subtract(const ClipperLib::Path& subject, const ClipperLib::Paths& clips,
              ClipperLib::PolyTree& tree) {
    ClipperLib::Clipper clipper;
    clipper.StrictlySimple(true);
    clipper.AddPath(subject, ClipperLib::ptSubject, true);
    clipper.AddPaths(clips, ClipperLib::ptClip, true);
    clipper.Execute(ClipperLib::ctDifference, tree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
}

bool hasVertex(const ClipperLib::Path& path, const ClipperLib::IntPoint& point) {
    return std::find(path.begin(), path.end(), point) != path.end();
}

std::vector<Point2> toModel(const ClipperLib::Path& path, double scale) {
    std::vector<Point2> points;
    points.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path) {
        points.push_back({p.X / scale, p.Y / scale});
    }
    return points;
}

// One tooth: the blank's sector between the middles of spaces 0 and 1 minus
// both spaces (capped at 0.75 pitch they cover whatever farther spaces
// would). The piece holding the centre runs from the centre out along the
// sector's edge to the bottom of space 1, round the tooth to the bottom of
// space 0 and back; that run, turned once per tooth, is the outline.
ExactOutline wholeGearByTooth(const ExactGear& g, const std::vector<Polar>& space, double scale,
                              double tolerance) {
    ExactOutline outline{OutlineStatus::Nothing, {}, 0};
    const double pitchAngle = 2.0 * FULL_PI / g.teeth;
    std::vector<Polar> sector;
    sector.push_back({0.0, 0.0});
    sector.push_back({g.tipRadius, 0.0});
    appendArc(g.tipRadius, 0.0, pitchAngle, tolerance, sector);
    ClipperLib::PolyTree tree;
    subtract(clipperPath(sector, g.spaceCentre, scale),
             {clipperPath(space, g.spaceCentre, scale),
              clipperPath(space, g.spaceCentre + pitchAngle, scale)},
             tree);

    std::vector<const ClipperLib::PolyNode*> outers;
    collectOuters(tree, outers);
    const ClipperLib::IntPoint centre{0, 0};
    const ClipperLib::PolyNode* body = nullptr;
    for (const ClipperLib::PolyNode* node : outers) {
        if (hasVertex(node->Contour, centre)) {
            body = node;
        }
    }
    if (body == nullptr) {
        // Without a body the teeth stand apart from each other.
        outline.status = outers.empty() ? OutlineStatus::Nothing : OutlineStatus::Pieces;
        return outline;
    }
    outline.severedPieces = g.teeth * (static_cast<int>(outers.size()) - 1);
    if (outline.severedPieces > 0 || !body->Childs.empty()) {
        outline.status = OutlineStatus::Severed;
        return outline;
    }

    // Counter-clockwise from the centre: out to the bottom of space 1, round
    // the tooth, back from the bottom of space 0. The run's two ends are
    // put exactly at those bottoms, and whatever rounding left on the
    // sector's edges is dropped, so that the turned runs join end to end.
    ClipperLib::Path contour = body->Contour;
    ClipperLib::CleanPolygon(contour);
    const std::vector<Polar> ends{{g.rootRadius, g.spaceCentre + pitchAngle},
                                  {g.rootRadius, g.spaceCentre}};
    const Point2 edge1 = cartesian({1.0, g.spaceCentre + pitchAngle});
    const Point2 edge0 = cartesian({1.0, g.spaceCentre});
    const double onEdge = 8.0 / scale;
    const auto start = std::find(contour.begin(), contour.end(), centre);
    const std::size_t first = static_cast<std::size_t>(start - contour.begin());
    std::vector<Point2> run{cartesian(ends[0])};
    for (std::size_t i = 1; i < contour.size(); ++i) {
        const ClipperLib::IntPoint& q = contour[(first + i) % contour.size()];
        const Point2 p{q.X / scale, q.Y / scale};
        if (std::fabs(p.x * edge1.y - p.y * edge1.x) > onEdge &&
            std::fabs(p.x * edge0.y - p.y * edge0.x) > onEdge) {
            run.push_back(p);
        }
    }
    run.push_back(cartesian(ends[1]));
    // Each run ends where the next (turned one pitch clockwise) begins.
    outline.points.reserve(g.teeth * (run.size() - 1));
    for (int k = 0; k < g.teeth; ++k) {
        const double turn = -k * pitchAngle;
        const double c = std::cos(turn);
        const double s = std::sin(turn);
        for (std::size_t i = 0; i + 1 < run.size(); ++i) {
            const Point2& p = run[i];
            outline.points.push_back({p.x * c + p.y * s, -p.x * s + p.y * c});
        }
    }
    outline.status = OutlineStatus::Whole;
    return outline;
}

// Gears of one or two teeth, whose sector would be half the blank or more:
// the whole blank minus every space at once (given as shapes about the
// middle of space 0). The piece holding the centre is the gear; a one-tooth
// gear whose centre is cut away may still be one piece.
ExactOutline wholeGearAtOnce(const ExactGear& g, const std::vector<std::vector<Polar>>& shapes,
                             double scale, double tolerance) {
    ExactOutline outline{OutlineStatus::Nothing, {}, 0};
    const double pitchAngle = 2.0 * FULL_PI / g.teeth;
    std::vector<Polar> blank;
    blank.push_back({g.tipRadius, 0.0});
    appendArc(g.tipRadius, 0.0, 2 * FULL_PI, tolerance, blank);
    blank.pop_back();
    ClipperLib::Paths clips;
    for (int k = 0; k < g.teeth; ++k) {
        for (const std::vector<Polar>& shape : shapes) {
            clips.push_back(clipperPath(shape, g.spaceCentre + k * pitchAngle, scale));
        }
    }
    ClipperLib::PolyTree tree;
    subtract(clipperPath(blank, 0.0, scale), clips, tree);
    std::vector<const ClipperLib::PolyNode*> outers;
    collectOuters(tree, outers);
    if (outers.empty()) {
        return outline;
    }
    const ClipperLib::PolyNode* body = nullptr;
    for (const ClipperLib::PolyNode* node : outers) {
        if (ClipperLib::PointInPolygon({0, 0}, node->Contour) == 1) {
            body = node;
        }
    }
    if (body == nullptr && outers.size() == 1 && g.teeth == 1) {
        body = outers.front();
    }
    if (body == nullptr || !body->Childs.empty()) {
        outline.status = OutlineStatus::Pieces;
        return outline;
    }
    outline.severedPieces = static_cast<int>(outers.size()) - 1;
    if (outline.severedPieces > 0) {
        outline.status = OutlineStatus::Severed;
        return outline;
    }
    outline.status = OutlineStatus::Whole;
    ClipperLib::Path contour = body->Contour;
    ClipperLib::CleanPolygon(contour);
    outline.points = toModel(contour, scale);
    return outline;
}

}  // namespace

ExactOutline exactOutline(const ExactGear& g, double tolerance) {
    if (g.rootRadius < 0 && -g.rootRadius >= g.tipRadius) {
        return {OutlineStatus::Nothing, {}, 0};  // the rack's tip sweeps the whole blank
    }
    const double pitchAngle = 2.0 * FULL_PI / g.teeth;
    // Past half a pitch the neighbouring cuts already cover the circle; a
    // quarter pitch more keeps them overlapping and every half below a turn.
    const double cap = 0.75 * pitchAngle;
    const double top = g.tipRadius + std::max(0.05, 10 * tolerance);
    const double scale = CLIPPER_EXTENT / (2 * top);

    const std::vector<Polar> right = halfSpace(g, top, cap, tolerance);
    if (g.teeth == 1) {
        std::vector<Polar> left = right;
        for (Polar& p : left) {
            p.th = -p.th;
        }
        return wholeGearAtOnce(g, {right, left}, scale, tolerance);
    }
    // Both halves of the space in one polygon (under 1.5 pi wide): the right
    // half without its closing edge on the middle line, then the left half
    // backwards from its outer end to its bottom.
    std::vector<Polar> space(right.begin(), right.end() - 1);
    for (auto it = right.rbegin(); it != right.rend(); ++it) {
        space.push_back({it->r, -it->th});
    }
    if (g.teeth == 2) {
        return wholeGearAtOnce(g, {space}, scale, tolerance);
    }
    return wholeGearByTooth(g, space, scale, tolerance);
}

}  // namespace gearmesh
