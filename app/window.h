#pragma once

namespace gearmesh {

// Opens the 800 by 800 window, registers the callbacks and enters the GLUT
// main loop, which never returns.
void runWindow(int* argcp, char** argv);
// GLUT reshape callback: viewport over the whole window, identity projection.
void reshape(int width, int height);

}  // namespace gearmesh
