#include "draw/frame.h"

#include "draw/seam.h"

void beginFrame() {
    seamClear();
    seamLoadIdentity();
}

void endFrame() {
    seamFlush();
    seamSwapBuffers();
}
