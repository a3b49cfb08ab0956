#include "scene/display.h"

#include "draw/frame.h"

void display() {
    beginFrame();
    endFrame();
}
