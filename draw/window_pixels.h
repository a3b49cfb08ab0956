#pragma once

// The simulator's window in pixels, where the SVG export and the page put
// what a recording holds: 800 by 800, x to the right, y down, view units -1
// to +1 across it.

#include "geometry/point2.h"

namespace gearmesh {

// Side of the window, pixels.
constexpr int WINDOW_PIXELS = 800;
// Pixels beyond the window's edge that are still drawn: lines are at most a
// few pixels wide, so nothing further out can reach the window.
constexpr double WINDOW_CLIP_MARGIN = 16.0;
constexpr double WINDOW_CLIP_LOW = -WINDOW_CLIP_MARGIN;
constexpr double WINDOW_CLIP_HIGH = WINDOW_PIXELS + WINDOW_CLIP_MARGIN;

// Window pixel of the point p in view units (-1..1, y up), in pixels (0..800, y down).
Point2 windowPixel(const Point2& p);

// Cuts the segment a-b (pixels) to the window widened by WINDOW_CLIP_MARGIN
// on every side (Liang-Barsky); false, with a and b untouched, when nothing
// of it is left. Far-away coordinates would only lose precision or overflow
// where a renderer keeps them in single precision or fixed point.
bool clipToWindow(Point2& a, Point2& b);

}  // namespace gearmesh
