#include "web/canvas_target.h"

#include <utility>

namespace gearmesh {

CanvasTarget::CanvasTarget(CanvasPaint paint)
    : canvasFrame(new CanvasFrame{}),
      paintFrame(std::move(paint)),
      // The end of a frame, where OpenGL would swap its buffers.
      frameRecorder(CANVAS_RECORDER_CAPACITY, [this](const Recorder& recorder) {
          buildCanvasFrame(recorder, *canvasFrame);
          if (paintFrame) {
              paintFrame(*canvasFrame);
          }
      }) {
}

DrawTarget& CanvasTarget::target() {
    return frameRecorder;
}

const Recorder& CanvasTarget::recorder() const {
    return frameRecorder;
}

const CanvasFrame& CanvasTarget::lastFrame() const {
    return *canvasFrame;
}

}  // namespace gearmesh
