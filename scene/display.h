#pragma once

#include "draw/seam.h"
#include "geometry/gear_pair.h"
#include "scene/view_state.h"

namespace gearmesh {

// Draws one whole frame of view.drawMode for pair with dc, as advanceView
// has left the view, bounded or literal (draw/target.h); changes neither.
void drawFrame(DrawContext& dc, const GearPair& pair, const ViewState& view, FrameDrawing drawing);

}  // namespace gearmesh
