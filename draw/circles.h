#pragma once

#include "draw/color.h"
#include "geometry/point2.h"

constexpr int CIRCLE_SEGMENTS = 120;

void drawDisc(const Point2& c, double r, const Color4& colour);
void drawCircle(const Point2& c, double r, const Color4& colour);
void drawDashCircle(const Point2& c, double r, const Color4& colour);
void drawChainCircle(const Point2& c, double r, const Color4& colour);
void drawScaledDisc(double scale, const Point2& c, double r, const Color4& colour);
void drawScaledCircle(double scale, const Point2& c, double r, const Color4& colour);
void drawScaledChainCircle(double scale, const Point2& c, double r, const Color4& colour);
