#include "app/keyboard.h"

#include <cstdlib>

#include "geometry/dialogue.h"
#include "geometry/gear_pair.h"
#include "scene/display.h"

namespace {

constexpr unsigned char ESCAPE_KEY = 27;
constexpr double ZOOM_FACTOR = 0.9;
// Zoom bounds in view units per module, far beyond any useful view: at the
// lower one a whole pair of 149-tooth gears spans a sixth of the window; at
// the upper one the window spans two thousandths of a module. Without them
// repeated presses would run the drawn sizes towards zero or infinity.
constexpr double MIN_VIEW_SCALE = 0.001;
constexpr double MAX_VIEW_SCALE = 1000.0;

// A mode key restarts the mesh so that its first frame shows rotation zero.
void selectMode(char mode) {
    viewState.drawMode = mode;
    viewState.rollStep = viewState.angleStep;
    viewState.totalAngle1 = -viewState.rollStep;
    viewState.theta1 = viewState.totalAngle1;
}

double boundedViewScale(double scale) {
    if (scale < MIN_VIEW_SCALE) {
        return MIN_VIEW_SCALE;
    }
    if (scale > MAX_VIEW_SCALE) {
        return MAX_VIEW_SCALE;
    }
    return scale;
}

}  // namespace

void keyboard(unsigned char key, int, int) {
    switch (key) {
    case 'z': {
        // The window keeps its picture until the next redraw; if the console
        // input has ended, the pair and the view stay as they were.
        const char previousMode = viewState.drawMode;
        viewState.drawMode = '1';
        if (!setupGearPair()) {
            viewState.drawMode = previousMode;
        }
        return;
    }
    case '1':
    case '2':
    case '3':
        selectMode(static_cast<char>(key));
        break;
    case 'w':
        viewState.viewScale = boundedViewScale(ZOOM_FACTOR * viewState.viewScale);
        break;
    case 'W':
        viewState.viewScale = boundedViewScale(viewState.viewScale / ZOOM_FACTOR);
        break;
    case 'r':
        viewState.rollStep = viewState.angleStep;
        break;
    case 'R':
        viewState.rollStep = -viewState.angleStep;
        break;
    case 's':
        break;
    case ESCAPE_KEY:
        std::exit(0);
    default:
        return;  // unlisted keys do nothing, not even a redraw
    }
    display();
}
