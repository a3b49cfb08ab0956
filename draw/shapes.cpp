#include "draw/shapes.h"

#include <cmath>

#include "draw/circles.h"
#include "draw/lines.h"
#include "draw/seam.h"

namespace gearmesh {

namespace {

// Lighting off, a frame at the reference point turned by angle, the colour.
void openShapeFrame(DrawContext& dc, double x, double y, double angle, const Color4& colour) {
    seamLighting(dc, false);
    seamPushMatrix(dc);
    seamTranslate(dc, toView(x), toView(y));
    seamRotate(dc, angle / DEG_TO_RAD);
    seamColor(dc, colour);
}

void closeShapeFrame(DrawContext& dc) {
    seamPopMatrix(dc);
    seamLighting(dc, true);
}

// Polar radius at angle t of the ellipse with semi-axes A (x) and B (y).
double ellipseRadius(double semiA, double semiB, double t) {
    return (semiA * semiB) / std::sqrt(semiA * semiA * std::sin(t) * std::sin(t) +
                                       semiB * semiB * std::cos(t) * std::cos(t));
}

// Vertex i of an ellipse's CIRCLE_SEGMENTS + 1, evenly spaced in polar angle.
Point2 ellipseVertex(double semiA, double semiB, int i) {
    const double t = i * (2.0 * TOOLKIT_PI / CIRCLE_SEGMENTS);
    const double rho = ellipseRadius(semiA, semiB, t);
    return Point2{rho * std::cos(t), rho * std::sin(t)};
}

// An ellipse with a zero, infinite or NaN semi-axis has no area and no
// proper outline (its first radius is 0 / 0): it is not drawn.
bool isDrawableEllipse(double semiA, double semiB) {
    const double product = semiA * semiB;
    return product != 0.0 && std::isfinite(product);
}

// The four corners of a w by h rectangle from the corner, turned about it,
// as one primitive of the given mode.
void drawRectangle(DrawContext& dc, const Point2& corner, double w, double h, double angle,
                   const Color4& colour, SeamMode mode) {
    const double width = toView(w);
    const double height = toView(h);
    openShapeFrame(dc, corner.x, corner.y, angle, colour);
    seamBegin(dc, mode);
    seamVertex(dc, 0.0, 0.0);
    seamVertex(dc, width, 0.0);
    seamVertex(dc, width, height);
    seamVertex(dc, 0.0, height);
    seamEnd(dc);
    closeShapeFrame(dc);
}

}  // namespace

void drawFilledEllipse(DrawContext& dc, const Point2& c, double a, double b, double angle,
                       const Color4& colour) {
    const double semiA = toView(a);
    const double semiB = toView(b);
    openShapeFrame(dc, c.x, c.y, angle, colour);
    if (isDrawableEllipse(semiA, semiB)) {
        seamBegin(dc, SEAM_POLYGON);
        for (int i = 0; i <= CIRCLE_SEGMENTS; ++i) {
            const Point2 p = ellipseVertex(semiA, semiB, i);
            seamVertex(dc, p.x, p.y);
        }
        seamEnd(dc);
    }
    closeShapeFrame(dc);
}

void drawEllipse(DrawContext& dc, const Point2& c, double a, double b, double angle,
                 const Color4& colour) {
    const double semiA = toView(a);
    const double semiB = toView(b);
    openShapeFrame(dc, c.x, c.y, angle, colour);
    if (isDrawableEllipse(semiA, semiB)) {
        seamBegin(dc, SEAM_LINE_LOOP);
        Point2 from{semiA, 0.0};
        for (int i = 0; i <= CIRCLE_SEGMENTS; ++i) {
            const Point2 to = ellipseVertex(semiA, semiB, i);
            seamVertex(dc, from.x, from.y);
            seamVertex(dc, to.x, to.y);
            from = to;
        }
        seamEnd(dc);
    }
    closeShapeFrame(dc);
}

void drawFilledRect(DrawContext& dc, const Point2& corner, double w, double h, double angle,
                    const Color4& colour) {
    drawRectangle(dc, corner, w, h, angle, colour, SEAM_POLYGON);
}

void drawRect(DrawContext& dc, const Point2& corner, double w, double h, double angle,
              const Color4& colour) {
    drawRectangle(dc, corner, w, h, angle, colour, SEAM_LINE_LOOP);
}

void drawArrow(DrawContext& dc, const Point3& tip, double length, double angle,
               const Color4& colour) {
    const double totalLength = toView(length);
    const double shaftWidth = toView(ARROW_SHAFT_WIDTH);
    const double head = toView(ARROW_HEAD_LENGTH);
    double shaft = totalLength - head;
    if (!(shaft >= 0.0)) {
        shaft = 0.0;  // short arrows, and a NaN length, keep only the head
    }
    const double halfWidth = 0.5 * shaftWidth;
    const double barbBack = 0.5 * head;
    const double barbSide = 0.4 * head;

    seamLighting(dc, false);
    seamPushMatrix(dc);
    seamColor(dc, colour);
    seamTranslate(dc, toView(tip.x), toView(tip.y));
    seamRotate(dc, angle / DEG_TO_RAD);
    seamBegin(dc, SEAM_POLYGON);
    seamVertex(dc, -head, -halfWidth);
    seamVertex(dc, -head - shaft, -halfWidth);
    seamVertex(dc, -head - shaft, halfWidth);
    seamVertex(dc, -head, halfWidth);
    seamEnd(dc);
    seamBegin(dc, SEAM_POLYGON);
    seamVertex(dc, 0.0, 0.0);
    seamVertex(dc, -head, 0.0);
    seamVertex(dc, -head - barbBack, barbSide);
    seamEnd(dc);
    seamBegin(dc, SEAM_POLYGON);
    seamVertex(dc, 0.0, 0.0);
    seamVertex(dc, -head, 0.0);
    seamVertex(dc, -head - barbBack, -barbSide);
    seamEnd(dc);
    seamPopMatrix(dc);
    seamLighting(dc, true);
}

void drawGrid(DrawContext& dc, const Point2& origin, double angle, int n, double dx, double dy) {
    const double stepX = toView(dx);
    const double stepY = toView(dy);
    const double halfWidth = n * stepX;
    const double halfHeight = n * stepY;
    // Indices in long long: -n of the smallest int does not fit an int.
    const long long last = n;

    seamLighting(dc, false);
    seamColor(dc, BLACK);
    seamPushMatrix(dc);
    seamLineWidth(dc, 1.0f);
    seamTranslate(dc, toView(origin.x), toView(origin.y));
    seamRotate(dc, angle / DEG_TO_RAD);
    for (long long i = -last; i <= last; ++i) {
        const double x = static_cast<double>(i) * stepX;
        seamBegin(dc, SEAM_LINES);
        seamVertex(dc, x, -halfHeight);
        seamVertex(dc, x, halfHeight);
        seamEnd(dc);
    }
    for (long long i = -last; i <= last; ++i) {
        const double y = static_cast<double>(i) * stepY;
        seamBegin(dc, SEAM_LINES);
        seamVertex(dc, -halfWidth, y);
        seamVertex(dc, halfWidth, y);
        seamEnd(dc);
    }
    seamPopMatrix(dc);
    seamLighting(dc, true);
}

}  // namespace gearmesh
