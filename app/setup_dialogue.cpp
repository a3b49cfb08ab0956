#include "app/setup_dialogue.h"

#include <cstdio>

#include "console/console.h"
#include "scene/program_state.h"

namespace gearmesh {

bool setupGearPair() {
    for (const ConsoleText text : DIALOGUE_OPENING) {
        writeConsoleText(stdout, text);
    }

    // An end of input typed at an earlier dialogue (Ctrl-D) must not end this one.
    std::clearerr(stdin);
    int z1 = 0;
    int z2 = 0;
    if (!readToothCounts(z1, z2)) {
        return false;
    }
    computeGearPair(gearPair, z1, z2);
    resetView(viewState, gearPair);

    for (const ConsoleText text : KEY_HELP) {
        writeConsoleText(stdout, text);
    }
    return true;
}

}  // namespace gearmesh
