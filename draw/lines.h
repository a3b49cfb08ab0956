#pragma once

#include "draw/color.h"
#include "geometry/point2.h"

constexpr double TOOLKIT_PI = 3.1415926536;
constexpr double DEG_TO_RAD = 0.01745329252;
constexpr double RAD_TO_DEG = 57.2957795;
// View units to pixels in the 800 by 800 window, and the model-to-view divisor.
constexpr double VIEW_FACTOR = 400.0;

// Model length to view units (x * 400 / 400).
double toView(double x);
void drawLine(const Point2& a, const Point2& b, const Color4& colour);
// width in view units; leaves the line width at 2 pixels.
void drawThickLine(const Point2& a, const Point2& b, double width, const Color4& colour);
void drawScaledLine(double scale, const Point2& a, const Point2& b, const Color4& colour);
// Black window-wide cross hair through p turned by angle (radians); leaves width 2.
void drawCrossMark(const Point2& p, double angle);
// Bitmap text at (x, y) in view units; restores colour and raster position.
void drawString(float x, float y, void* font, const char* text);
void rotateThenTranslate(double angle, double x, double y);
void rotateAboutPoint(const Point2& a, const Point2& b, double angle);
