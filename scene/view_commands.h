#pragma once

#include "scene/view_state.h"

namespace gearmesh {

// Zoom bounds in view units per module: at the lower one a whole pair of
// 149-tooth gears spans a sixth of the window, at the upper one the window
// spans two thousandths of a module.
constexpr double MIN_VIEW_SCALE = 0.001;
constexpr double MAX_VIEW_SCALE = 1000.0;
// Each zoom out multiplies viewScale by this factor, each zoom in divides by it.
constexpr double ZOOM_FACTOR = 0.9;

// What the window's view keys ask of the view; every one asks for the next
// frame.
enum class ViewCommand {
    ShowDrive,   // the drive gear alone; restarts the mesh
    ShowDriven,  // the driven gear alone; restarts the mesh
    ShowMesh,    // both gears in mesh, restarted at rotation zero
    ZoomOut,     // viewScale times ZOOM_FACTOR, within the bounds above
    ZoomIn,      // viewScale over ZOOM_FACTOR, within the bounds above
    Forward,     // the mesh runs forward
    Reverse,     // the mesh runs in reverse
    Step,        // nothing changes; the redraw it asks for steps the mesh
};

// Applies command to view, without drawing or stepping. A mode command
// selects its mode, sets the direction forward and puts the mesh one step
// before rotation zero, so that the redraw it asks for shows rotation zero.
void applyViewCommand(ViewState& view, ViewCommand command);

}  // namespace gearmesh
