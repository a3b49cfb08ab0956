#include <X11/Xlib.h>
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/setup_dialogue.h"
#include "app/window.h"
#include "console/console.h"
#include "scene/program_state.h"

namespace gearmesh {

namespace {

// Distinct from EXIT_FAILURE, which says the input ended.
constexpr int EXIT_NO_DISPLAY = 3;

// A closed standard descriptor would go to the next file or connection
// opened (the X connection, say), and the console text after it.
void openClosedStandardDescriptors() {
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) >= 0 || errno != EBADF) {
            continue;
        }
        // The lowest free descriptor: this one, as those below it are open.
        const int opened = ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor) {
            ::dup2(opened, descriptor);
            ::close(opened);
        }
    }
}

// The display GLUT will open: the -display argument, else DISPLAY ("" if unset).
const char* displayName(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) {
            return argv[i + 1];
        }
    }
    const char* name = std::getenv("DISPLAY");
    return name != nullptr ? name : "";
}

bool canOpenDisplay(const char* name) {
    Display* display = XOpenDisplay(name[0] != '\0' ? name : nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

}  // namespace

}  // namespace gearmesh

int main(int argc, char** argv) {
    using namespace gearmesh;
    openClosedStandardDescriptors();
    const char* display = displayName(argc, argv);
    if (!canOpenDisplay(display)) {
        writeConsoleTextWith(stderr, ConsoleText::NO_DISPLAY, display);
        return EXIT_NO_DISPLAY;
    }
    viewState.drawMode = '1';
    if (!setupGearPair()) {
        // The input ended before two counts were read; the dialogue has said so.
        return EXIT_FAILURE;
    }
    runWindow(&argc, argv);
}
