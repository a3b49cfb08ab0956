#pragma once

namespace gearmesh {

// GLUT keyboard callback, an entry point: the simulator's key commands,
// which change viewState (or, with z, set up a new pair) and redraw.
void keyboard(unsigned char key, int x, int y);

}  // namespace gearmesh
