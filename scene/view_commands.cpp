#include "scene/view_commands.h"

#include "geometry/gear_pair.h"

namespace {

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

bool applyViewKey(unsigned char key) {
    switch (key) {
    case '1':
    case '2':
    case '3':
        selectMode(static_cast<char>(key));
        return true;
    case 'w':
        viewState.viewScale = boundedViewScale(ZOOM_FACTOR * viewState.viewScale);
        return true;
    case 'W':
        viewState.viewScale = boundedViewScale(viewState.viewScale / ZOOM_FACTOR);
        return true;
    case 'r':
        viewState.rollStep = viewState.angleStep;
        return true;
    case 'R':
        viewState.rollStep = -viewState.angleStep;
        return true;
    case 's':
        return true;
    default:
        return false;
    }
}
