#pragma once

#include "draw/seam.h"

namespace gearmesh {

// GLUT keyboard callback, an entry point: the simulator's key commands,
// which change viewState (or, with z, set up a new pair) and redraw with dc.
void keyboard(DrawContext& dc, unsigned char key, int x, int y);

}  // namespace gearmesh
