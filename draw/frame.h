#pragma once

// The frame bracket. The caller chooses how each frame is drawn: bounded (the
// window's and gearpair view's drawing, the default) or literal; the toolkit
// reads that choice with boundedDrawing().

#include "draw/target.h"

namespace gearmesh {

// Opens a frame drawn as given: tells the target, clears colour and depth
// buffers and loads the identity model-view matrix.
void beginFrame(FrameDrawing drawing = FrameDrawing::Bounded);
// Closes a frame: flushes and swaps the buffers.
void endFrame();
// Whether the frame opened last is drawn bounded (draw/bounds.h); true before
// the first frame.
bool boundedDrawing();

}  // namespace gearmesh
