#include "draw/gl/gl_target.h"

#include <GL/glut.h>

#include <cmath>

namespace gearmesh {

void GlTarget::loadMirror() const {
    // The column-major 4 x 4 matrix OpenGL takes.
    const Affine2& m = mirror.stack.matrix();
    const double columns[16] = {m.xx, m.xy, 0.0, 0.0, m.yx, m.yy, 0.0, 0.0,
                                0.0,  0.0,  1.0, 0.0, m.tx, m.ty, 0.0, 1.0};
    glLoadMatrixd(columns);
}

void GlTarget::startFrame(FrameDrawing drawing) {
    mirror.precise = drawing == FrameDrawing::Bounded;
}

void GlTarget::begin(SeamMode mode) {
    glBegin(static_cast<GLenum>(mode));
}

void GlTarget::vertex(double x, double y) {
    glVertex2d(x, y);
}

void GlTarget::end() {
    glEnd();
}

void GlTarget::color(const Color4& colour) {
    glColor4f(colour.r, colour.g, colour.b, colour.a);
}

void GlTarget::lineWidth(float pixels) {
    // OpenGL refuses widths of 0 or less by itself, but would keep a NaN
    // and rasterise with it; a NaN width is refused here in the same way.
    if (!std::isnan(pixels)) {
        glLineWidth(pixels);
    }
}

void GlTarget::lighting(bool enabled) {
    if (enabled) {
        glEnable(GL_LIGHTING);
    } else {
        glDisable(GL_LIGHTING);
    }
}

void GlTarget::pushMatrix() {
    glPushMatrix();
    mirror.stack.push();
}

void GlTarget::popMatrix() {
    glPopMatrix();
    mirror.stack.pop();
}

void GlTarget::translate(double x, double y) {
    mirror.stack.translate(x, y);
    if (mirror.precise) {
        loadMirror();
    } else {
        glTranslated(x, y, 0.0);
    }
}

void GlTarget::rotate(double degrees) {
    mirror.stack.rotate(degrees);
    if (mirror.precise) {
        loadMirror();
    } else {
        glRotated(degrees, 0.0, 0.0, 1.0);
    }
}

void GlTarget::loadIdentity() {
    glLoadIdentity();
    mirror.stack.loadIdentity();
}

void GlTarget::pushCurrentAttrib() {
    glPushAttrib(GL_CURRENT_BIT);
}

void GlTarget::popAttrib() {
    glPopAttrib();
}

void GlTarget::rasterPos(float x, float y) {
    glRasterPos2f(x, y);
}

void GlTarget::bitmapCharacter(DrawFont font, int c) {
    switch (font) {
    case DrawFont::Legend:
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, c);
        break;
    }
}

void GlTarget::clear() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlTarget::flush() {
    glFlush();
}

void GlTarget::swapBuffers() {
    glutSwapBuffers();
}

Affine2 GlTarget::matrix() const {
    return mirror.stack.matrix();
}

}  // namespace gearmesh
