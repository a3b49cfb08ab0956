#include "draw/seam.h"

namespace gearmesh {

namespace {

// The target at start: it draws nothing and keeps the identity matrix.
void ignore() {
}

constexpr DrawTarget NO_TARGET{
    [](FrameDrawing) {},             // startFrame
    [](SeamMode) {},                 // begin
    [](double, double) {},           // vertex
    ignore,                          // end
    [](const Color4&) {},            // color
    [](float) {},                    // lineWidth
    [](bool) {},                     // lighting
    ignore,                          // pushMatrix
    ignore,                          // popMatrix
    [](double, double) {},           // translate
    [](double) {},                   // rotate
    ignore,                          // loadIdentity
    ignore,                          // pushCurrentAttrib
    ignore,                          // popAttrib
    [](float, float) {},             // rasterPos
    [](DrawFont, int) {},            // bitmapCharacter
    ignore,                          // clear
    ignore,                          // flush
    ignore,                          // swapBuffers
    [] { return IDENTITY_AFFINE; },  // matrix
};

const DrawTarget* target = &NO_TARGET;
long long vertexCount = 0;

}  // namespace

void setDrawTarget(const DrawTarget* newTarget) {
    target = newTarget != nullptr ? newTarget : &NO_TARGET;
}

const DrawTarget* drawTarget() {
    return target;
}

void seamBegin(SeamMode mode) {
    target->begin(mode);
}

void seamVertex(double x, double y) {
    ++vertexCount;
    target->vertex(x, y);
}

void seamEnd() {
    target->end();
}

void seamColor(const Color4& colour) {
    target->color(colour);
}

void seamLineWidth(float pixels) {
    target->lineWidth(pixels);
}

void seamLighting(bool enabled) {
    target->lighting(enabled);
}

void seamPushMatrix() {
    target->pushMatrix();
}

void seamPopMatrix() {
    target->popMatrix();
}

void seamTranslate(double x, double y) {
    target->translate(x, y);
}

void seamRotate(double degrees) {
    target->rotate(degrees);
}

void seamLoadIdentity() {
    target->loadIdentity();
}

void seamPushCurrentAttrib() {
    target->pushCurrentAttrib();
}

void seamPopAttrib() {
    target->popAttrib();
}

void seamRasterPos(float x, float y) {
    target->rasterPos(x, y);
}

void seamBitmapCharacter(DrawFont font, int c) {
    target->bitmapCharacter(font, c);
}

void seamStartFrame(FrameDrawing drawing) {
    target->startFrame(drawing);
}

void seamClear() {
    target->clear();
}

void seamFlush() {
    target->flush();
}

void seamSwapBuffers() {
    target->swapBuffers();
}

Affine2 seamMatrix() {
    return target->matrix();
}

long long seamVertexCount() {
    return vertexCount;
}

void resetSeamVertexCount() {
    vertexCount = 0;
}

}  // namespace gearmesh
