#pragma once

// Dashed and chain lines fitted to their segment: the pattern starts at a
// with a dash and ends at b with the end of a dash; the number of periods
// follows the length (draw/pattern_counts.h). Line width as in force. Each
// draws with the context dc (draw/seam.h), bounded when dc's frame is.

#include "draw/color.h"
#include "draw/seam.h"
#include "geometry/point2.h"

namespace gearmesh {

// Dashes of 0.8 and gaps of 0.2 of a period near 0.1 (model units); 4 dashes below length 0.4.
void drawDashLine(DrawContext& dc, const Point2& a, const Point2& b, const Color4& colour);
// Long dash 9, gap 2, dot 2, gap 2 fifteenths of a period near 1/6, and a
// final long dash; 2 periods below length 0.5.
void drawChainLine(DrawContext& dc, const Point2& a, const Point2& b, const Color4& colour);
// drawChainLine of scale x a and scale x b: the periods follow the scaled length.
void drawScaledChainLine(DrawContext& dc, double scale, const Point2& a, const Point2& b,
                         const Color4& colour);

}  // namespace gearmesh
