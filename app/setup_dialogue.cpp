#include "app/setup_dialogue.h"

#include <cstdio>

#include "console/console.h"
#include "scene/program_state.h"

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
    computeGearPair(gearPair, z1, z2);
    resetView(viewState, gearPair);

    writeConsoleText(stdout, ConsoleText::HELP_GEAR_KEYS);
    writeConsoleText(stdout, ConsoleText::HELP_MESH_KEY);
    writeConsoleText(stdout, ConsoleText::HELP_STEP_KEY);
    writeConsoleText(stdout, ConsoleText::HELP_ROLL_KEYS);
    writeConsoleText(stdout, ConsoleText::HELP_ZOOM_KEYS);
    writeConsoleText(stdout, ConsoleText::HELP_SETUP_KEY);
    writeConsoleText(stdout, ConsoleText::HELP_QUIT_KEY);
    return true;
}
