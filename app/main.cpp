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

// Takes every "--lang CODE" and "--lang=CODE" out of argv (argc shrinks,
// the rest keeps its order), so that neither the display check nor GLUT
// sees them; the last one sets language. Returns nullptr when each names a
// language, else the first that does not ("" for --lang with nothing after it).
const char* takeLanguageOption(int& argc, char** argv, Language& language) {
    const char* option = "--lang";
    const std::size_t optionLength = std::strlen(option);
    const char* unknown = nullptr;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* code = nullptr;
        if (std::strcmp(argv[i], option) == 0) {
            code = i + 1 < argc ? argv[++i] : "";
        } else if (std::strncmp(argv[i], option, optionLength) == 0 &&
                   argv[i][optionLength] == '=') {
            code = argv[i] + optionLength + 1;
        } else {
            argv[kept++] = argv[i];
            continue;
        }
        if (!languageOfCode(code, language) && unknown == nullptr) {
            unknown = code;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return unknown;
}

}  // namespace

}  // namespace gearmesh

int main(int argc, char** argv) {
    using namespace gearmesh;
    openClosedStandardDescriptors();
    setUpConsoleLocale();
    Language language = Language::Japanese;
    const char* unknownLanguage = takeLanguageOption(argc, argv, language);
    if (unknownLanguage != nullptr) {
        // No language is chosen yet: the line is in every language.
        writeConsoleTextInEveryLanguage(stderr, ConsoleText::UNKNOWN_LANGUAGE, unknownLanguage);
        return EXIT_BAD_ARGUMENT;
    }
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
    const SessionReply reply = runConsoleDialogue(session, session.start(), language);
    if (reply.action == SessionAction::End) {
        // The input ended before two counts were read; the dialogue has said so.
        XCloseDisplay(display);
        return reply.exitStatus;
    }
    runWindow(&argc, argv, display, session, language);
}
