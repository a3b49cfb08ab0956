#pragma once

#include <X11/Xlib.h>

namespace gearmesh {

// Opens the 800 by 800 window, registers the callbacks and enters the GLUT
// main loop, which never returns. heldDisplay, the connection that checked
// the display (or nullptr), is closed once GLUT holds its own.
void runWindow(int* argcp, char** argv, Display* heldDisplay);
// GLUT reshape callback: viewport over the whole window, identity projection.
void reshape(int width, int height);

}  // namespace gearmesh
