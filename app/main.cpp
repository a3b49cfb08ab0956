#include <cstdlib>

#include "app/setup_dialogue.h"
#include "app/window.h"
#include "scene/program_state.h"

int main(int argc, char** argv) {
    viewState.drawMode = '1';
    if (!setupGearPair()) {
        // The input ended before two counts were read; the dialogue has said so.
        return EXIT_FAILURE;
    }
    runWindow(&argc, argv);
}
