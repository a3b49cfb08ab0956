#include "geometry/dialogue.h"

#include <cstdio>

#include "geometry/console_text.h"
#include "geometry/gear_pair.h"

namespace {

// Reads z1 and z2 as "%d %d" would, on one line or two. A word that is not a
// count from MIN_TEETH to MAX_TEETH gets one error line, the rest of its line
// is dropped and the prompt comes again. Returns false when the input ends.
bool readToothCounts(int& z1, int& z2) {
    for (;;) {
        CountRead read = readToothCount(stdin, z1);
        if (read == CountRead::OK) {
            read = readToothCount(stdin, z2);
        }
        if (read == CountRead::OK) {
            return true;
        }
        if (read == CountRead::END) {
            writeConsoleText(stderr, ConsoleText::INPUT_ENDED);
            return false;
        }
        writeConsoleText(stderr, ConsoleText::BAD_COUNT);
        skipInputLine(stdin);
        writeConsoleText(stdout, ConsoleText::PROMPT);
    }
}

}  // namespace

bool setupGearPair() {
    writeConsoleText(stdout, ConsoleText::TITLE);
    writeConsoleText(stdout, ConsoleText::STEP_HEADING);
    writeConsoleText(stdout, ConsoleText::PROMPT);

    // An end of input typed at an earlier dialogue (Ctrl-D) must not end this one.
    std::clearerr(stdin);
    int z1 = 0;
    int z2 = 0;
    if (!readToothCounts(z1, z2)) {
        return false;
    }
    computeGearPair(z1, z2);
    resetView();

    writeConsoleText(stdout, ConsoleText::HELP_GEAR_KEYS);
    writeConsoleText(stdout, ConsoleText::HELP_MESH_KEY);
    writeConsoleText(stdout, ConsoleText::HELP_STEP_KEY);
    writeConsoleText(stdout, ConsoleText::HELP_ROLL_KEYS);
    writeConsoleText(stdout, ConsoleText::HELP_ZOOM_KEYS);
    writeConsoleText(stdout, ConsoleText::HELP_SETUP_KEY);
    writeConsoleText(stdout, ConsoleText::HELP_QUIT_KEY);
    return true;
}
