#include "scene/view_commands.h"

namespace gearmesh {

namespace {

// A mode key restarts the mesh so that its first frame shows rotation zero.
void selectMode(ViewState& view, char mode) {
    view.drawMode = mode;
    view.rollStep = view.angleStep;
    view.totalAngle1 = -view.rollStep;
    view.theta1 = view.totalAngle1;
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

bool applyViewKey(ViewState& view, unsigned char key) {
    switch (key) {
    case '1':
    case '2':
    case '3':
        selectMode(view, static_cast<char>(key));
        return true;
    case 'w':
        view.viewScale = boundedViewScale(ZOOM_FACTOR * view.viewScale);
        return true;
    case 'W':
        view.viewScale = boundedViewScale(view.viewScale / ZOOM_FACTOR);
        return true;
    case 'r':
        view.rollStep = view.angleStep;
        return true;
    case 'R':
        view.rollStep = -view.angleStep;
        return true;
    case 's':
        return true;
    default:
        return false;
    }
}

}  // namespace gearmesh
