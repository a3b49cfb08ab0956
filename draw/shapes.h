#pragma once

#include "draw/color.h"
#include "geometry/point2.h"

constexpr double ARROW_SHAFT_WIDTH = 0.02;
constexpr double ARROW_HEAD_LENGTH = 0.1;

// The arrow's reference point: only x and y place it.
struct Point3 {
    double x, y, z;
};

void drawFilledEllipse(const Point2& c, double a, double b, double angle, const Color4& colour);
void drawEllipse(const Point2& c, double a, double b, double angle, const Color4& colour);
void drawFilledRect(const Point2& corner, double w, double h, double angle, const Color4& colour);
void drawRect(const Point2& corner, double w, double h, double angle, const Color4& colour);
void drawArrow(const Point3& tip, double length, double angle, const Color4& colour);
void drawGrid(const Point2& origin, double angle, int n, double dx, double dy);
