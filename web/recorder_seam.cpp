// The seam of the page's build: every call goes to the recorder, whose
// recording the canvas then paints. The page has no OpenGL, so the seam's
// OpenGL target is absent here; the drawing toolkit and the scene are the
// same sources as the simulator's.
//
// Stop-gap until the drawing toolkit reaches its targets through one
// interface: the canvas then becomes a target of its own and this file goes.

#include "draw/recorder.h"
#include "draw/seam.h"

namespace {

long long vertexCount = 0;

// Any address that is not null: the recorder keeps the font only to hand it back.
char legendFontTag;

}  // namespace

void* const LEGEND_FONT = &legendFontTag;

void setSeamTarget(SeamTarget) {
}

SeamTarget seamTarget() {
    return SeamTarget::Recorder;
}

void seamBegin(SeamMode mode) {
    recordBegin(mode);
}

void seamVertex(double x, double y) {
    ++vertexCount;
    recordVertex(x, y);
}

void seamEnd() {
    recordEnd();
}

void seamColor(const Color4& colour) {
    recordColor(colour);
}

void seamLineWidth(float pixels) {
    recordLineWidth(pixels);
}

void seamLighting(bool enabled) {
    recordLighting(enabled);
}

void seamPushMatrix() {
    recordPushMatrix();
}

void seamPopMatrix() {
    recordPopMatrix();
}

void seamTranslate(double x, double y) {
    recordTranslate(x, y);
}

void seamRotate(double degrees) {
    recordRotate(degrees);
}

void seamLoadIdentity() {
    recordLoadIdentity();
}

void seamPushCurrentAttrib() {
    recordPushCurrentAttrib();
}

void seamPopAttrib() {
    recordPopAttrib();
}

void seamRasterPos(float x, float y) {
    recordRasterPos(x, y);
}

void seamBitmapCharacter(void* font, int c) {
    recordBitmapCharacter(font, c);
}

void seamClear() {
    recordClear();
}

void seamFlush() {
}

void seamSwapBuffers() {
}

void setSeamPreciseMatrix(bool) {
}

bool seamPreciseMatrix() {
    return true;
}

Affine2 seamMatrix() {
    return recorderMatrix();
}

long long seamVertexCount() {
    return vertexCount;
}

void resetSeamVertexCount() {
    vertexCount = 0;
}
