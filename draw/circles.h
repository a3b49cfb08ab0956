#pragma once

// Circles of the drawing toolkit, centre c and radius r in model units. A
// negative radius draws every point opposite the one for |r|. The patterned
// circles take their counts from |r| (draw/pattern_counts.h) and turn their
// frame one period before each period, so the pattern's phase is tied to the
// x axis of the caller's frame. None sets the line width. Each draws with
// the context dc (draw/seam.h), bounded when dc's frame is.

#include "draw/color.h"
#include "draw/seam.h"
#include "geometry/point2.h"

namespace gearmesh {

constexpr int CIRCLE_SEGMENTS = 120;

// Filled 120-gon.
void drawDisc(DrawContext& dc, const Point2& c, double r, const Color4& colour);
// Outline of the 120-gon, 238 vertices in one line loop.
void drawCircle(DrawContext& dc, const Point2& c, double r, const Color4& colour);
// Dashes of |r| x 40 chords and gaps of |r| x 10 chord angles, |r| x 10 pi periods.
void drawDashCircle(DrawContext& dc, const Point2& c, double r, const Color4& colour);
// Long dash, gap, dot, gap of |r| x 45, 10, 10, 10 chord angles, |r| x 10 pi periods.
void drawChainCircle(DrawContext& dc, const Point2& c, double r, const Color4& colour);
// drawDisc of scale x c and scale x r.
void drawScaledDisc(DrawContext& dc, double scale, const Point2& c, double r, const Color4& colour);
// drawCircle of scale x c and scale x r.
void drawScaledCircle(DrawContext& dc, double scale, const Point2& c, double r,
                      const Color4& colour);
// drawChainCircle of scale x c and scale x r: the periods follow the scaled radius.
void drawScaledChainCircle(DrawContext& dc, double scale, const Point2& c, double r,
                           const Color4& colour);

}  // namespace gearmesh
