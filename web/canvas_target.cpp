#include "web/canvas_target.h"

#include <memory>

namespace gearmesh {

namespace {

DrawTarget canvasTarget;
void (*paintFrame)(const CanvasFrame& frame) = nullptr;
// Several megabytes: allocated once, when drawing starts.
std::unique_ptr<CanvasFrame> canvasFrame;

// The end of a frame, where OpenGL would swap its buffers.
void handOverFrame() {
    buildCanvasFrame(*canvasFrame);
    if (paintFrame != nullptr) {
        paintFrame(*canvasFrame);
    }
}

}  // namespace

void startCanvasDrawing(void (*paint)(const CanvasFrame& frame)) {
    if (!canvasFrame) {
        canvasFrame.reset(new CanvasFrame{});
    }
    paintFrame = paint;
    startRecording(CANVAS_RECORDER_CAPACITY);
    canvasTarget = RECORDER_TARGET;
    canvasTarget.swapBuffers = handOverFrame;
    setDrawTarget(&canvasTarget);
}

const CanvasFrame& lastCanvasFrame() {
    return *canvasFrame;
}

}  // namespace gearmesh
