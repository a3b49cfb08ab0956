#pragma once

// The frame bracket. The caller chooses how each frame is drawn: bounded (the
// window's and gearpair view's drawing, the default) or literal; the choice
// is kept in the context (dc.drawing), where the toolkit reads it with
// boundedDrawing().

#include "draw/seam.h"

namespace gearmesh {

// Opens a frame drawn as given: stores the choice in dc.drawing, tells the
// target, clears colour and depth buffers and loads the identity model-view
// matrix. dc.vertexCount is left as it is.
void beginFrame(DrawContext& dc, FrameDrawing drawing = FrameDrawing::Bounded);
// Closes a frame: flushes and swaps the buffers.
void endFrame(DrawContext& dc);
// Whether dc draws bounded (draw/bounds.h): the choice of the frame opened
// last with it, true before its first frame.
bool boundedDrawing(const DrawContext& dc);

}  // namespace gearmesh
