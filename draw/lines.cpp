#include "draw/lines.h"

#include "draw/seam.h"

double toView(double x) {
    return x * VIEW_FACTOR / VIEW_FACTOR;
}

void drawLine(const Point2& a, const Point2& b, const Color4& colour) {
    seamLighting(false);
    seamColor(colour);
    seamBegin(SEAM_LINES);
        seamVertex(toView(a.x), toView(a.y));
        seamVertex(toView(b.x), toView(b.y));
    seamEnd();
    seamLighting(true);
}

void drawThickLine(const Point2& a, const Point2& b, double width, const Color4& colour) {
    seamLighting(false);
    seamColor(colour);
    seamLineWidth(static_cast<float>(toView(width) * VIEW_FACTOR));
    seamBegin(SEAM_LINES);
        seamVertex(toView(a.x), toView(a.y));
        seamVertex(toView(b.x), toView(b.y));
    seamEnd();
    seamLineWidth(2.0f);
    seamLighting(true);
}

void drawScaledLine(double scale, const Point2& a, const Point2& b, const Color4& colour) {
    drawLine(Point2{scale * a.x, scale * a.y}, Point2{scale * b.x, scale * b.y}, colour);
}

void drawCrossMark(const Point2& p, double angle) {
    // Arms of 10 view units reach past the window's edges at -1 and +1.
    constexpr double ARM = 10.0;
    seamLighting(false);
    seamLineWidth(2.0f);
    seamPushMatrix();
    seamColor(BLACK);
    seamTranslate(toView(p.x), toView(p.y));
    seamRotate(angle / DEG_TO_RAD);
    seamBegin(SEAM_LINES);
        seamVertex(-ARM, 0.0);
        seamVertex(ARM, 0.0);
        seamVertex(0.0, -ARM);
        seamVertex(0.0, ARM);
    seamEnd();
    seamPopMatrix();
    seamLighting(true);
}

void drawString(float x, float y, void* font, const char* text) {
    seamPushCurrentAttrib();
    seamRasterPos(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        seamBitmapCharacter(font, static_cast<int>(static_cast<signed char>(*c)));
    }
    seamPopAttrib();
}

void rotateThenTranslate(double angle, double x, double y) {
    seamRotate(angle * RAD_TO_DEG);
    seamTranslate(toView(x), toView(y));
}

void rotateAboutPoint(const Point2& a, const Point2& b, double angle) {
    const double pivotX = toView(a.x + b.x);
    const double pivotY = toView(a.y + b.y);
    seamTranslate(pivotX, pivotY);
    seamRotate(angle / DEG_TO_RAD);
    seamTranslate(-pivotX, -pivotY);
}
