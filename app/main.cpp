#include <X11/Xlib.h>
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/console_dialogue.h"
#include "app/window.h"
#include "console/console.h"

namespace gearmesh {

namespace {

// Distinct from EXIT_FAILURE, which says the input ended.
constexpr int EXIT_NO_DISPLAY = 3;
// An argument the program cannot use, as gearpair's status for one.
constexpr int EXIT_BAD_ARGUMENT = 2;

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

// The display GLUT will open, read from the arguments as glutInit reads them:
// the last -display value, else DISPLAY ("" if unset). nullptr when -display
// is the last argument, which glutInit would refuse only after the dialogue.
const char* displayName(int argc, char** argv) {
    const char* fromEnvironment = std::getenv("DISPLAY");
    const char* name = fromEnvironment != nullptr ? fromEnvironment : "";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-display") != 0) {
            continue;
        }
        if (i + 1 >= argc) {
            return nullptr;
        }
        name = argv[++i];
    }
    return name;
}

// The program's own options, which GLUT must not see.
struct OwnOptions {
    Language language = Language::Japanese;  // the last "--lang CODE" or "--lang=CODE"
    bool study = false;                      // "--study" given
    // The first --lang code that names no language ("" for --lang with
    // nothing after it), or nullptr.
    const char* unknownLanguage = nullptr;
};

// Takes the program's own options out of argv (argc shrinks, the rest keeps
// its order and argv[argc] stays the terminating null), so that neither the
// display check nor GLUT sees them.
OwnOptions takeOwnOptions(int& argc, char** argv) {
    OwnOptions options;
    if (argc < 1) {
        return options;  // no program name, nothing to take
    }
    const char* lang = "--lang";
    const std::size_t langLength = std::strlen(lang);
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* code = nullptr;
        if (std::strcmp(argv[i], "--study") == 0) {
            options.study = true;
            continue;
        }
        if (std::strcmp(argv[i], lang) == 0) {
            code = i + 1 < argc ? argv[++i] : "";
        } else if (std::strncmp(argv[i], lang, langLength) == 0 && argv[i][langLength] == '=') {
            code = argv[i] + langLength + 1;
        } else {
            argv[kept++] = argv[i];
            continue;
        }
        if (!languageOfCode(code, options.language) && options.unknownLanguage == nullptr) {
            options.unknownLanguage = code;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return options;
}

}  // namespace

}  // namespace gearmesh

int main(int argc, char** argv) {
    using namespace gearmesh;
    openClosedStandardDescriptors();
    setUpConsoleLocale();
    const OwnOptions options = takeOwnOptions(argc, argv);
    if (options.unknownLanguage != nullptr) {
        // No language is chosen yet: the line is in every language.
        writeConsoleTextInEveryLanguage(stderr, ConsoleText::UNKNOWN_LANGUAGE,
                                        options.unknownLanguage);
        return EXIT_BAD_ARGUMENT;
    }
    const Language language = options.language;
    const char* name = displayName(argc, argv);
    if (name == nullptr) {
        writeConsoleText(stderr, ConsoleText::BARE_DISPLAY, language);
        return EXIT_NO_DISPLAY;
    }
    // Held open until GLUT has its own connection: an X server that resets
    // when its last client leaves would otherwise be resetting just as GLUT
    // connects, and refuse it after the whole dialogue.
    Display* display = XOpenDisplay(name[0] != '\0' ? name : nullptr);
    if (display == nullptr) {
        writeConsoleTextWith(stderr, ConsoleText::NO_DISPLAY, language, name);
        return EXIT_NO_DISPLAY;
    }
    Session session;
    // Before the first counts this only takes effect: the window opens on the study view.
    session.setStudy(options.study);
    const SessionReply reply = runConsoleDialogue(session, session.start(), language);
    if (reply.action == SessionAction::End) {
        // The input ended before two counts were read; the dialogue has said so.
        XCloseDisplay(display);
        return reply.exitStatus;
    }
    runWindow(&argc, argv, display, session, language);
}
