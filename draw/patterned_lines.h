#pragma once

#include "draw/color.h"
#include "geometry/point2.h"

void drawDashLine(const Point2& a, const Point2& b, const Color4& colour);
void drawChainLine(const Point2& a, const Point2& b, const Color4& colour);
void drawScaledChainLine(double scale, const Point2& a, const Point2& b, const Color4& colour);
