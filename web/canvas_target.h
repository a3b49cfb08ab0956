#pragma once

// The page's drawing target (draw/target.h): the recorder's table of
// functions (draw/recorder.h), so the state and the vertices after the
// matrix are the recorder's own, except that the end of each frame
// (swapBuffers) turns the recorded frame into the canvas frame
// (web/canvas_frame.h) and hands it to the page to paint.

#include "draw/recorder.h"
#include "web/canvas_frame.h"

namespace gearmesh {

// Room of the recording: a bounded frame hands the target at most 100,000
// vertices at any zoom.
constexpr RecorderCapacity CANVAS_RECORDER_CAPACITY{100000, 50000};

// Starts recording with CANVAS_RECORDER_CAPACITY (outside any frame) and
// makes the canvas the drawing target; from then on every frame ends with
// paint(frame), the frame valid until the next one starts.
void startCanvasDrawing(void (*paint)(const CanvasFrame& frame));

// The canvas frame built at the end of the last frame.
const CanvasFrame& lastCanvasFrame();

}  // namespace gearmesh
