#include "draw/seam.h"

namespace gearmesh {

void seamBegin(DrawContext& dc, SeamMode mode) {
    dc.target.begin(mode);
}

void seamVertex(DrawContext& dc, double x, double y) {
    ++dc.vertexCount;
    dc.target.vertex(x, y);
}

void seamEnd(DrawContext& dc) {
    dc.target.end();
}

void seamColor(DrawContext& dc, const Color4& colour) {
    dc.target.color(colour);
}

void seamLineWidth(DrawContext& dc, float pixels) {
    dc.target.lineWidth(pixels);
}

void seamLighting(DrawContext& dc, bool enabled) {
    dc.target.lighting(enabled);
}

void seamPushMatrix(DrawContext& dc) {
    dc.target.pushMatrix();
}

void seamPopMatrix(DrawContext& dc) {
    dc.target.popMatrix();
}

void seamTranslate(DrawContext& dc, double x, double y) {
    dc.target.translate(x, y);
}

void seamRotate(DrawContext& dc, double degrees) {
    dc.target.rotate(degrees);
}

void seamLoadIdentity(DrawContext& dc) {
    dc.target.loadIdentity();
}

void seamPushCurrentAttrib(DrawContext& dc) {
    dc.target.pushCurrentAttrib();
}

void seamPopAttrib(DrawContext& dc) {
    dc.target.popAttrib();
}

void seamRasterPos(DrawContext& dc, float x, float y) {
    dc.target.rasterPos(x, y);
}

void seamBitmapCharacter(DrawContext& dc, DrawFont font, int c) {
    dc.target.bitmapCharacter(font, c);
}

void seamStartFrame(DrawContext& dc, FrameDrawing drawing) {
    dc.target.startFrame(drawing);
}

void seamClear(DrawContext& dc) {
    dc.target.clear();
}

void seamFlush(DrawContext& dc) {
    dc.target.flush();
}

void seamSwapBuffers(DrawContext& dc) {
    dc.target.swapBuffers();
}

Affine2 seamMatrix(const DrawContext& dc) {
    return dc.target.matrix();
}

}  // namespace gearmesh
