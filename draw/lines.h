#pragma once

// Straight lines, the cross mark, bitmap text and the two matrix transforms
// of the drawing toolkit. Every primitive but drawString turns lighting off
// while it draws and leaves it on; lengths are in model units and pass
// through toView; the window shows view units -1 to +1 on both axes. Each
// draws with the context dc (draw/seam.h), under its target's current matrix.

#include "draw/color.h"
#include "draw/legend_font.h"
#include "draw/seam.h"
#include "geometry/point2.h"

namespace gearmesh {

// The toolkit's own rounded values of pi (its circles' chord angles) and of
// the degree conversions (every turn handed to the target). They are kept
// as they have always been: every picture's vertices depend on their last
// digits. Exact angle arithmetic uses FULL_PI (geometry/point2.h).
constexpr double TOOLKIT_PI = 3.1415926536;
constexpr double DEG_TO_RAD = 0.01745329252;
constexpr double RAD_TO_DEG = 57.2957795;
// View units to pixels in the 800 by 800 window, and the model-to-view divisor.
constexpr double VIEW_FACTOR = 400.0;

// Model length to view units (x * 400 / 400).
double toView(double x);
// Segment a to b (model units) with the line width in force.
void drawLine(DrawContext& dc, const Point2& a, const Point2& b, const Color4& colour);
// Segment a to b, width (view units) x 400 pixels wide; leaves the line width
// at 2 pixels. A width of 0 or less, or NaN, is refused and the width in
// force draws.
void drawThickLine(DrawContext& dc, const Point2& a, const Point2& b, double width,
                   const Color4& colour);
// drawThickLine of a-b; bounded (draw/bounds.h), only the part that can
// reach the window, and none when none can; the state left behind is the same.
void drawBoundedThickLine(DrawContext& dc, const Point2& a, const Point2& b, double width,
                          const Color4& colour);
// Thick segments from scale x points[i - 1] to scale x points[i], i = 1 to
// last (model units), each width (view units) x 400 pixels wide, as that many
// drawThickLine calls. Bounded (draw/bounds.h), the segments that can show go
// to OpenGL as one primitive, the others not at all; the state left behind is
// the same. Nothing is drawn and no state changes for last below 1.
void drawScaledThickPolyline(DrawContext& dc, double scale, const Point2* points, int last,
                             double width, const Color4& colour);
// drawLine of scale x a and scale x b.
void drawScaledLine(DrawContext& dc, double scale, const Point2& a, const Point2& b,
                    const Color4& colour);
// Black window-wide cross hair through p turned by angle (radians); leaves width 2.
void drawCrossMark(DrawContext& dc, const Point2& p, double angle);
// drawCrossMark through scale x p.
void drawScaledCrossMark(DrawContext& dc, double scale, const Point2& p, double angle);
// Bitmap text at (x, y) in view units, not converted; restores colour and
// raster position. Bytes from 0x80 up reach GLUT as negative codes and draw nothing.
void drawString(DrawContext& dc, float x, float y, DrawFont font, const char* text);
// Multiplies the current matrix by a turn of angle (radians), then a shift
// by (x, y) model units; no push or pop.
void rotateThenTranslate(DrawContext& dc, double angle, double x, double y);
// Multiplies the current matrix by a turn of angle (radians) about the point
// a + b (model units); no push or pop.
void rotateAboutPoint(DrawContext& dc, const Point2& a, const Point2& b, double angle);

}  // namespace gearmesh
