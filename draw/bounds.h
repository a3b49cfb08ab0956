#pragma once

// Bounded drawing: what the window can show of a figure, so that the
// patterned circles and lines and the gear teeth hand over only the parts
// that can reach it. The window shows view units -1 to +1 on both axes at any
// size; a figure counts as showing when it reaches that square widened by
// BOUNDS_MARGIN, which holds the half width of any line the toolkit draws.
// Every function here is a function of a model-view matrix (the current one is
// seamMatrix in draw/seam.h) and the window; whether a frame is drawn bounded
// at all is the frame's choice (beginFrame in draw/frame.h).

#include "draw/affine2.h"
#include "geometry/point2.h"

namespace gearmesh {

// Half the side of the visible square, view units.
constexpr double VIEW_EDGE = 1.0;
// How far past the square a figure still counts as showing, view units
// (20 pixels in the 800 by 800 window).
constexpr double BOUNDS_MARGIN = 0.05;
// Consecutive chords of one dash shorter than a pixel are handed over merged
// into chords of about this many pixels of the 800 by 800 window...
constexpr double MERGED_CHORD_PIXELS = 1.5;
// ...as long as the merged chord strays from the arc by at most this many pixels.
constexpr double MERGED_CHORD_SAGITTA_PIXELS = 0.05;

// True when the box from (left, bottom) to (right, top), view units, reaches
// the widened square; false for a box with a NaN side.
bool viewBoxShows(double left, double bottom, double right, double top);
// True when the segment from a to b, view units, may show: its box reaches
// the widened square.
bool viewSegmentShows(const Point2& a, const Point2& b);

// View units per unit of m's frame when m keeps angles (a turn, a shift, a
// uniform scale, a reflection); 0 when it does not or is not finite.
double similarityScale(const Affine2& m);

// Polar angles, in m's frame about its origin, of the points of the circle of
// the given radius about that origin that may show: all of them (whole), none
// (!any), or those within halfWidth of middle (radians, halfWidth below pi).
// The circle is tested against the disc about the window's centre that holds
// the widened square. Needs similarityScale(m) > 0 and a finite radius.
struct ArcWindow {
    bool any;
    bool whole;
    double middle;
    double halfWidth;
};
ArcWindow visibleArc(const Affine2& m, double radius);

// The part [from, to] of x from 0 to length along the x axis of m's frame
// that may show; false when none does or the input is not finite.
bool visibleSpan(const Affine2& m, double length, double* from, double* to);

}  // namespace gearmesh
