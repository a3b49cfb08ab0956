#include "scene/view_commands.h"

namespace gearmesh {

namespace {

// A mode command restarts the mesh so that its first frame shows rotation zero.
void selectMode(ViewState& view, DrawMode mode) {
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

void applyViewCommand(ViewState& view, ViewCommand command) {
    switch (command) {
    case ViewCommand::ShowDrive:
        selectMode(view, DrawMode::Drive);
        break;
    case ViewCommand::ShowDriven:
        selectMode(view, DrawMode::Driven);
        break;
    case ViewCommand::ShowMesh:
        selectMode(view, DrawMode::Mesh);
        break;
    case ViewCommand::ZoomOut:
        view.viewScale = boundedViewScale(ZOOM_FACTOR * view.viewScale);
        break;
    case ViewCommand::ZoomIn:
        view.viewScale = boundedViewScale(view.viewScale / ZOOM_FACTOR);
        break;
    case ViewCommand::Forward:
        view.rollStep = view.angleStep;
        break;
    case ViewCommand::Reverse:
        view.rollStep = -view.angleStep;
        break;
    case ViewCommand::Step:
        break;
    }
}

}  // namespace gearmesh
