#include "app/window.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>
#include <cstring>

#include "app/keyboard.h"
#include "console/console.h"
#include "draw/gl/gl_target.h"
#include "draw/seam.h"
#include "scene/display.h"

namespace gearmesh {

namespace {

constexpr int WINDOW_WIDTH = 800;
constexpr int WINDOW_HEIGHT = 800;

void setUtf8Property(Display* display, Window window, const char* name, const char* utf8) {
    XChangeProperty(display, window, XInternAtom(display, name, False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8),
                    static_cast<int>(std::strlen(utf8)));
}

// GLUT hands the title to X as Latin-1, which garbles Japanese. Reads the
// window of the current GL context, so call it right after glutCreateWindow.
// Desktops read _NET_WM_NAME as UTF-8; WM_NAME gets the locale's text
// encoding where Xlib can convert the title, else UTF-8 as well.
void setWindowTitle(const char* utf8) {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return;
    }
    consoleUsesCp932();  // Xlib converts by the locale, which this sets once
    setUtf8Property(display, window, "_NET_WM_NAME", utf8);
    setUtf8Property(display, window, "_NET_WM_ICON_NAME", utf8);

    char* list[] = {const_cast<char*>(utf8)};
    XTextProperty property;
    if (XSupportsLocale() &&
        Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &property) == Success) {
        XSetWMName(display, window, &property);
        XSetWMIconName(display, window, &property);
        XFree(property.value);
    } else {
        setUtf8Property(display, window, "WM_NAME", utf8);
        setUtf8Property(display, window, "WM_ICON_NAME", utf8);
    }

    // Lets tools find the window by the program's process id.
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XFlush(display);
}

}  // namespace

void runWindow(int* argcp, char** argv, Display* heldDisplay) {
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutInit(argcp, argv);
    if (heldDisplay != nullptr) {
        XCloseDisplay(heldDisplay);
    }
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(utf8Text(ConsoleText::WINDOW_TITLE));
    setWindowTitle(utf8Text(ConsoleText::WINDOW_TITLE));
    setDrawTarget(&OPENGL_TARGET);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glutMainLoop();
}

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace gearmesh
