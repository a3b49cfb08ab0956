#pragma once

#include "app/window.h"

namespace gearmesh {

// GLUT keyboard callback, an entry point: hands the key to the window's
// session and does what it answers: redraws at once, runs the console
// dialogue again (the window waits meanwhile), or ends the program.
void keyboard(WindowProgram& program, unsigned char key);

// GLUT display callback, an entry point: the window shows its picture
// again, and as at every redraw the view moves on first.
void display(WindowProgram& program);

}  // namespace gearmesh
