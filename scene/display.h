#pragma once

#include "draw/seam.h"
#include "scene/program_state.h"

namespace gearmesh {

// Draws one whole frame of view.drawMode for pair with dc, as advanceView
// has left the view, bounded or literal (draw/target.h); changes neither.
// Any other drawMode gives an empty frame.
void drawFrame(DrawContext& dc, const GearPair& pair, const ViewState& view, FrameDrawing drawing);

// GLUT display callback, an entry point: every redraw first advances
// viewState (in mode '3' the mesh turns one step), then draws it bounded
// with dc.
void display(DrawContext& dc);

}  // namespace gearmesh
