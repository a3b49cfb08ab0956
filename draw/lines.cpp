#include "draw/lines.h"

#include <cmath>

#include "draw/bounds.h"
#include "draw/frame.h"
#include "draw/seam.h"

namespace gearmesh {

namespace {

// The state the thick lines leave behind, for bounded drawing that leaves
// them out: the same whether or not any of them shows.
void leaveThickLineState(DrawContext& dc, const Color4& colour) {
    seamColor(dc, colour);
    seamLineWidth(dc, 2.0f);
    seamLighting(dc, true);
}

}  // namespace

double toView(double x) {
    return x * VIEW_FACTOR / VIEW_FACTOR;
}

void drawLine(DrawContext& dc, const Point2& a, const Point2& b, const Color4& colour) {
    seamLighting(dc, false);
    seamColor(dc, colour);
    seamBegin(dc, SEAM_LINES);
    seamVertex(dc, toView(a.x), toView(a.y));
    seamVertex(dc, toView(b.x), toView(b.y));
    seamEnd(dc);
    seamLighting(dc, true);
}

void drawThickLine(DrawContext& dc, const Point2& a, const Point2& b, double width,
                   const Color4& colour) {
    seamLighting(dc, false);
    seamColor(dc, colour);
    seamLineWidth(dc, static_cast<float>(toView(width) * VIEW_FACTOR));
    seamBegin(dc, SEAM_LINES);
    seamVertex(dc, toView(a.x), toView(a.y));
    seamVertex(dc, toView(b.x), toView(b.y));
    seamEnd(dc);
    seamLineWidth(dc, 2.0f);
    seamLighting(dc, true);
}

void drawBoundedThickLine(DrawContext& dc, const Point2& a, const Point2& b, double width,
                          const Color4& colour) {
    Point2 from = a;
    Point2 to = b;
    if (boundedDrawing(dc)) {
        // The segment as the x axis of a frame, from 0 at a to 1 at b.
        const Affine2 along{b.x - a.x, b.y - a.y, 0.0, 0.0, a.x, a.y};
        double low = 0.0;
        double high = 1.0;
        if (!visibleSpan(along, 1.0, &low, &high)) {
            leaveThickLineState(dc, colour);
            return;
        }
        from = affineApply(along, low, 0.0);
        to = affineApply(along, high, 0.0);
    }
    drawThickLine(dc, from, to, width, colour);
}

void drawScaledThickPolyline(DrawContext& dc, double scale, const Point2* points, int last,
                             double width, const Color4& colour) {
    if (!boundedDrawing(dc)) {
        for (int i = 1; i <= last; ++i) {
            const Point2 a{scale * points[i - 1].x, scale * points[i - 1].y};
            const Point2 b{scale * points[i].x, scale * points[i].y};
            drawThickLine(dc, a, b, width, colour);
        }
        return;
    }
    if (last < 1) {
        return;
    }
    const Affine2 m = seamMatrix(dc);
    const auto vertexAt = [&](int i) {
        return Point2{toView(scale * points[i].x), toView(scale * points[i].y)};
    };
    // A polyline wholly outside the window goes to OpenGL not at all.
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
    for (int i = 0; i <= last; ++i) {
        const Point2 v = vertexAt(i);
        const Point2 p = affineApply(m, v.x, v.y);
        left = i == 0 ? p.x : std::fmin(left, p.x);
        right = i == 0 ? p.x : std::fmax(right, p.x);
        bottom = i == 0 ? p.y : std::fmin(bottom, p.y);
        top = i == 0 ? p.y : std::fmax(top, p.y);
    }
    if (!viewBoxShows(left, bottom, right, top)) {
        leaveThickLineState(dc, colour);
        return;
    }
    // One primitive of independent segments draws the pixels that one
    // primitive per segment draws, with the same state set once around it.
    seamLighting(dc, false);
    seamColor(dc, colour);
    seamLineWidth(dc, static_cast<float>(toView(width) * VIEW_FACTOR));
    seamBegin(dc, SEAM_LINES);
    Point2 from = vertexAt(0);
    Point2 fromInView = affineApply(m, from.x, from.y);
    for (int i = 1; i <= last; ++i) {
        const Point2 to = vertexAt(i);
        const Point2 toInView = affineApply(m, to.x, to.y);
        if (viewSegmentShows(fromInView, toInView)) {
            seamVertex(dc, from.x, from.y);
            seamVertex(dc, to.x, to.y);
        }
        from = to;
        fromInView = toInView;
    }
    seamEnd(dc);
    seamLineWidth(dc, 2.0f);
    seamLighting(dc, true);
}

void drawScaledLine(DrawContext& dc, double scale, const Point2& a, const Point2& b,
                    const Color4& colour) {
    drawLine(dc, Point2{scale * a.x, scale * a.y}, Point2{scale * b.x, scale * b.y}, colour);
}

void drawCrossMark(DrawContext& dc, const Point2& p, double angle) {
    // Arms of 10 view units reach past the window's edges at -1 and +1.
    constexpr double ARM = 10.0;
    seamLighting(dc, false);
    seamLineWidth(dc, 2.0f);
    seamPushMatrix(dc);
    seamColor(dc, BLACK);
    seamTranslate(dc, toView(p.x), toView(p.y));
    seamRotate(dc, angle / DEG_TO_RAD);
    seamBegin(dc, SEAM_LINES);
    seamVertex(dc, -ARM, 0.0);
    seamVertex(dc, ARM, 0.0);
    seamVertex(dc, 0.0, -ARM);
    seamVertex(dc, 0.0, ARM);
    seamEnd(dc);
    seamPopMatrix(dc);
    seamLighting(dc, true);
}

void drawScaledCrossMark(DrawContext& dc, double scale, const Point2& p, double angle) {
    drawCrossMark(dc, Point2{scale * p.x, scale * p.y}, angle);
}

void drawString(DrawContext& dc, float x, float y, DrawFont font, const char* text) {
    seamPushCurrentAttrib(dc);
    seamRasterPos(dc, x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        seamBitmapCharacter(dc, font, static_cast<int>(static_cast<signed char>(*c)));
    }
    seamPopAttrib(dc);
}

void rotateThenTranslate(DrawContext& dc, double angle, double x, double y) {
    seamRotate(dc, angle * RAD_TO_DEG);
    seamTranslate(dc, toView(x), toView(y));
}

void rotateAboutPoint(DrawContext& dc, const Point2& a, const Point2& b, double angle) {
    const double pivotX = toView(a.x + b.x);
    const double pivotY = toView(a.y + b.y);
    seamTranslate(dc, pivotX, pivotY);
    seamRotate(dc, angle / DEG_TO_RAD);
    seamTranslate(dc, -pivotX, -pivotY);
}

}  // namespace gearmesh
