#pragma once

// An 800 by 800 GLUT window set up as the simulator's reshape leaves it
// (identity projection over the whole window, white background), for the
// benchmark and the tests that draw real frames. Without DISPLAY the process
// ends with a message: these runs never skip.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

namespace gearmesh {

constexpr int WINDOW_SIZE = 800;

// Opens the window under the given program name and returns its GLUT identifier.
inline int openGlutWindow(const char* programName) {
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "%s: no DISPLAY; run it under tests/with-xvfb\n", programName);
        std::exit(EXIT_FAILURE);
    }
    static char name[64];
    std::snprintf(name, sizeof name, "%s", programName);
    static char* argv[] = {name, nullptr};
    int argc = 1;
    glutInitWindowSize(WINDOW_SIZE, WINDOW_SIZE);
    glutInit(&argc, argv);  // exits with a message if the display cannot be opened
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    const int window = glutCreateWindow(programName);
    glutDisplayFunc([] {});
    for (int i = 0; i < 10; ++i) {
        glutMainLoopEvent();
    }
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glViewport(0, 0, WINDOW_SIZE, WINDOW_SIZE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return window;
}

}  // namespace gearmesh
