#pragma once

// The page's drawing target (draw/target.h): a recorder (draw/recorder.h),
// so the state and the vertices after the matrix are the recorder's own,
// whose end of each frame (swapBuffers) turns the recorded frame into the
// canvas frame (web/canvas_frame.h) and hands it to the page to paint.

#include <functional>
#include <memory>

#include "draw/recorder.h"
#include "web/canvas_frame.h"

namespace gearmesh {

// Room of the recording: a bounded frame hands the target at most 100,000
// vertices at any zoom.
constexpr RecorderCapacity CANVAS_RECORDER_CAPACITY{100000, 50000};

// What the page does with each finished frame.
using CanvasPaint = std::function<void(const CanvasFrame& frame)>;

class CanvasTarget {
   public:
    // A recorder of CANVAS_RECORDER_CAPACITY and a canvas frame, both
    // allocated here; from then on every frame drawn on target() ends with
    // paint(frame), the frame valid until the next one ends.
    explicit CanvasTarget(CanvasPaint paint);
    // The recorder's FrameEnd refers to this object: it stays where it is made.
    CanvasTarget(const CanvasTarget&) = delete;
    CanvasTarget& operator=(const CanvasTarget&) = delete;

    // What the page draws on.
    DrawTarget& target();
    // The recorder behind it, holding the last frame drawn.
    const Recorder& recorder() const;
    // The canvas frame built at the end of the last frame; empty before the first.
    const CanvasFrame& lastFrame() const;

   private:
    // Several megabytes: allocated once, with the target.
    std::unique_ptr<CanvasFrame> canvasFrame;
    CanvasPaint paintFrame;
    Recorder frameRecorder;
};

}  // namespace gearmesh
