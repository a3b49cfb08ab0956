#include "app/window.h"

#include <GL/freeglut_std.h>
#include <GL/freeglut_ucall.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>
#include <cstring>

#include "app/keyboard.h"
#include "console/console.h"

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

// The GLUT callbacks, each handed the window's program as its user data.
void displayWith(void* program) {
    display(*static_cast<WindowProgram*>(program));
}

void keyboardWith(unsigned char key, int, int, void* program) {
    keyboard(*static_cast<WindowProgram*>(program), key);
}

void reshapeWith(int width, int height, void*) {
    reshape(width, height);
}

}  // namespace

void runWindow(int* argcp, char** argv, Display* heldDisplay, Session& session, Language language) {
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutInit(argcp, argv);
    // GLUT holds its own connection now: the server has a client throughout.
    if (heldDisplay != nullptr) {
        XCloseDisplay(heldDisplay);
    }
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    const char* title = utf8Text(ConsoleText::WINDOW_TITLE, language);
    glutCreateWindow(title);
    setWindowTitle(title);
    // The main loop never returns: the program lives as long as the window.
    WindowProgram program(session, language);
    glutDisplayFuncUcall(displayWith, &program);
    glutReshapeFuncUcall(reshapeWith, &program);
    glutKeyboardFuncUcall(keyboardWith, &program);
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
