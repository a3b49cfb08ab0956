#pragma once

#include "scene/view_state.h"

namespace gearmesh {

// Zoom bounds in view units per module: at the lower one a whole pair of
// 149-tooth gears spans a sixth of the window, at the upper one the window
// spans two thousandths of a module.
constexpr double MIN_VIEW_SCALE = 0.001;
constexpr double MAX_VIEW_SCALE = 1000.0;
// Each 'w' multiplies viewScale by this factor, each 'W' divides by it.
constexpr double ZOOM_FACTOR = 0.9;

// Applies one of the window's view keys to view as the keyboard does,
// without drawing or stepping: '1' '2' '3' select the mode and restart the
// mesh, 'w' 'W' zoom within the bounds above, 'r' 'R' set the direction, 's'
// changes nothing. Returns true for these keys, which all ask for the next
// frame, and false for any other key, which changes nothing ('z' and ESC are
// not view keys).
bool applyViewKey(ViewState& view, unsigned char key);

}  // namespace gearmesh
