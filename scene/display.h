#pragma once

#include "draw/target.h"
#include "scene/program_state.h"

namespace gearmesh {

// Draws one whole frame of view.drawMode for pair, as advanceView has left
// the view, bounded or literal (draw/target.h); changes neither. Any other
// drawMode gives an empty frame.
void drawFrame(const GearPair& pair, const ViewState& view, FrameDrawing drawing);

// GLUT display callback, an entry point: every redraw first advances
// viewState (in mode '3' the mesh turns one step), then draws it.
void display();

}  // namespace gearmesh
