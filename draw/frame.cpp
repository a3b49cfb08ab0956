#include "draw/frame.h"

namespace gearmesh {

void beginFrame(DrawContext& dc, FrameDrawing drawing) {
    dc.drawing = drawing;
    seamStartFrame(dc, drawing);
    seamClear(dc);
    seamLoadIdentity(dc);
}

void endFrame(DrawContext& dc) {
    seamFlush(dc);
    seamSwapBuffers(dc);
}

bool boundedDrawing(const DrawContext& dc) {
    return dc.drawing == FrameDrawing::Bounded;
}

}  // namespace gearmesh
