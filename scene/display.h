#pragma once

#include "scene/program_state.h"

// Draws one whole frame of view.drawMode for pair, as advanceView has left
// the view; changes neither. Any other drawMode gives an empty frame.
void drawFrame(const GearPair& pair, const ViewState& view);

// GLUT display callback, an entry point: every redraw first advances
// viewState (in mode '3' the mesh turns one step), then draws it.
void display();
