#include "draw/frame.h"

#include "draw/seam.h"

namespace gearmesh {

namespace {

FrameDrawing currentDrawing = FrameDrawing::Bounded;

}  // namespace

void beginFrame(FrameDrawing drawing) {
    currentDrawing = drawing;
    seamStartFrame(drawing);
    seamClear();
    seamLoadIdentity();
}

void endFrame() {
    seamFlush();
    seamSwapBuffers();
}

bool boundedDrawing() {
    return currentDrawing == FrameDrawing::Bounded;
}

}  // namespace gearmesh
