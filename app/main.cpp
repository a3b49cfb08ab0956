#include <cstdlib>

#include "app/window.h"
#include "geometry/dialogue.h"
#include "geometry/gear_pair.h"

int main(int argc, char** argv) {
    viewState.drawMode = '1';
    if (!setupGearPair()) {
        // The input ended before two counts were read; the dialogue has said so.
        return EXIT_FAILURE;
    }
    runWindow(&argc, argv);
}
