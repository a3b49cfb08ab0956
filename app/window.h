#pragma once

#include <X11/Xlib.h>

#include "draw/gl/gl_target.h"
#include "draw/seam.h"
#include "session/session.h"

namespace gearmesh {

// What the window's callbacks work on: the program's core, the language
// its console speaks and what the window draws with. runWindow makes it; it
// lives as long as the window.
struct WindowProgram {
    WindowProgram(Session& program, Language consoleLanguage)
        : session(program), language(consoleLanguage) {
    }
    Session& session;
    Language language;
    GlTarget target;
    DrawContext dc{target};
};

// Opens the 800 by 800 window, titled in language, on the display that
// heldDisplay checked, registers the callbacks and enters the GLUT main
// loop, which never returns; session drives the window from then on, its
// console texts in language. heldDisplay (or nullptr) is closed once GLUT
// holds its own connection.
void runWindow(int* argcp, char** argv, Display* heldDisplay, Session& session, Language language);
// GLUT reshape callback: viewport over the whole window, identity projection.
void reshape(int width, int height);

}  // namespace gearmesh
