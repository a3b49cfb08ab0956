#pragma once

#include "draw/seam.h"
#include "geometry/gear_pair.h"
#include "scene/view_state.h"

namespace gearmesh {

// Where the legend's lines stand, view units: each starts at LEGEND_X, and
// line i (0 at the top) has its baseline at LEGEND_Y[i], 0.05 apart. The
// classic legend holds the first CLASSIC_LEGEND_LINES; the study view adds
// its lines below them.
constexpr float LEGEND_X = -0.9f;
constexpr int LEGEND_LINE_CAPACITY = 8;
constexpr float LEGEND_Y[LEGEND_LINE_CAPACITY] = {0.9f, 0.85f, 0.8f, 0.75f,
                                                  0.7f, 0.65f, 0.6f, 0.55f};
constexpr int CLASSIC_LEGEND_LINES = 5;

// Draws lines[0 .. count - 1] as legend lines first, first + 1, ... in
// black with lighting off, and turns lighting back on; lines beyond
// LEGEND_LINE_CAPACITY are left out.
void drawLegendLines(DrawContext& dc, int first, const char* const* lines, int count);

// Draws the classic figure of view.drawMode for pair with dc, legend
// included, into a frame the caller has opened (beginFrame) and closes
// (endFrame); changes neither. The turns it undoes leave the matrix off the
// identity by their rounding.
void drawFigure(DrawContext& dc, const GearPair& pair, const ViewState& view);

// Draws one whole frame of view.drawMode for pair with dc, as advanceView
// has left the view, bounded or literal (draw/target.h); changes neither.
void drawFrame(DrawContext& dc, const GearPair& pair, const ViewState& view, FrameDrawing drawing);

}  // namespace gearmesh
