#pragma once

// Reading a recorded frame the way a student reads the picture: circles,
// discs, tooth segments and texts, each with its place in view units.

#include <cmath>
#include <vector>

#include "draw/color.h"
#include "draw/recorder.h"
#include "geometry/gear_pair.h"

namespace gearmesh {

namespace recorded {

// A drawCircle outline is a loop of 238 vertices; a disc a polygon of 120.
constexpr int CIRCLE_LOOP_VERTICES = 238;
constexpr int DISC_VERTICES = 120;
// Tooth outlines are drawn 4 pixels wide, everything else 2.
constexpr float TOOTH_LINE_PIXELS = 4.0f;
// Marker discs are 0.01 view units at every zoom.
constexpr double MARKER_RADIUS = 0.01;

struct Circle {
    Point2 centre;  // view units
    double radius;  // view units
    Color4 colour;
};

inline bool sameColour(const Color4& a, const Color4& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

inline double distance(const Point2& a, const Point2& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

inline Point2 scaled(double scale, const Point2& p) {
    return Point2{scale * p.x, scale * p.y};
}

// The point at signed distance s along the line of action (model units) of a
// pair with the 20-degree pressure angle.
inline Point2 onLineOfAction(double s) {
    const double alpha = PI / 9;
    return Point2{-s * std::cos(alpha), s * std::sin(alpha)};
}

// Centre from the extremes (a 120-gon has vertices at 0, 90, 180 and 270
// degrees; the loop repeats its inner vertices, so a mean would be biased),
// radius as the mean distance of the vertices from it.
inline Circle fitCircle(const Recorder& recorder, int primitive) {
    const RecordedPrimitive p = recorder.recordedPrimitive(primitive);
    Point2 low = recorder.recordedPrimitiveVertex(primitive, 0);
    Point2 high = low;
    for (int j = 1; j < p.vertexCount; ++j) {
        const Point2 v = recorder.recordedPrimitiveVertex(primitive, j);
        low = Point2{std::fmin(low.x, v.x), std::fmin(low.y, v.y)};
        high = Point2{std::fmax(high.x, v.x), std::fmax(high.y, v.y)};
    }
    const Point2 centre{(low.x + high.x) / 2.0, (low.y + high.y) / 2.0};
    double radius = 0.0;
    for (int j = 0; j < p.vertexCount; ++j) {
        radius += distance(recorder.recordedPrimitiveVertex(primitive, j), centre) / p.vertexCount;
    }
    return Circle{centre, radius, p.colour};
}

// Solid circle outlines of the frame, in drawing order.
inline std::vector<Circle> outlineCircles(const Recorder& recorder) {
    std::vector<Circle> circles;
    for (int i = 0; i < recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive p = recorder.recordedPrimitive(i);
        if (p.mode == SEAM_LINE_LOOP && p.vertexCount == CIRCLE_LOOP_VERTICES) {
            circles.push_back(fitCircle(recorder, i));
        }
    }
    return circles;
}

// Filled discs (markers and centre dots), in drawing order.
inline std::vector<Circle> discs(const Recorder& recorder) {
    std::vector<Circle> found;
    for (int i = 0; i < recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive p = recorder.recordedPrimitive(i);
        if (p.mode == SEAM_POLYGON && p.vertexCount == DISC_VERTICES) {
            found.push_back(fitCircle(recorder, i));
        }
    }
    return found;
}

// Marker discs of one colour.
inline std::vector<Point2> markers(const Recorder& recorder, const Color4& colour) {
    std::vector<Point2> found;
    for (const Circle& d : discs(recorder)) {
        if (sameColour(d.colour, colour) && std::fabs(d.radius - MARKER_RADIUS) < 1e-9) {
            found.push_back(d.centre);
        }
    }
    return found;
}

// The 4-pixel segments of the tooth outlines, as primitive indices.
inline std::vector<int> toothSegments(const Recorder& recorder) {
    std::vector<int> found;
    for (int i = 0; i < recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive p = recorder.recordedPrimitive(i);
        if (p.mode == SEAM_LINES && p.lineWidth == TOOTH_LINE_PIXELS && p.vertexCount == 2) {
            found.push_back(i);
        }
    }
    return found;
}

// Vertices of all recorded tooth segments, in drawing order.
inline std::vector<Point2> toothVertices(const Recorder& recorder) {
    std::vector<Point2> vertices;
    for (int i : toothSegments(recorder)) {
        vertices.push_back(recorder.recordedPrimitiveVertex(i, 0));
        vertices.push_back(recorder.recordedPrimitiveVertex(i, 1));
    }
    return vertices;
}

inline int countCircles(const std::vector<Circle>& circles, const Color4& colour) {
    int n = 0;
    for (const Circle& c : circles) {
        n += sameColour(c.colour, colour) ? 1 : 0;
    }
    return n;
}

// True when some circle of the colour has this centre and radius (view units).
inline bool hasCircle(const std::vector<Circle>& circles, const Color4& colour,
                      const Point2& centre, double radius) {
    for (const Circle& c : circles) {
        if (sameColour(c.colour, colour) && distance(c.centre, centre) < 1e-9 &&
            std::fabs(c.radius - radius) < 1e-6 * radius) {
            return true;
        }
    }
    return false;
}

}  // namespace recorded

}  // namespace gearmesh
