#include "draw/gl/gl_target.h"

#include <GL/glut.h>

#include <cmath>

namespace gearmesh {

namespace {

// The mirror of the window's model-view stack; OpenGL guarantees a depth of 32.
constexpr int WINDOW_MATRIX_DEPTH = 32;
Affine2 windowMatrix = IDENTITY_AFFINE;
Affine2 windowMatrixStack[WINDOW_MATRIX_DEPTH];
int windowMatrixDepth = 0;
bool preciseMatrix = true;

// The mirror, as the column-major 4 x 4 matrix OpenGL takes.
void loadWindowMatrix() {
    const Affine2& m = windowMatrix;
    const double columns[16] = {m.xx, m.xy, 0.0, 0.0, m.yx, m.yy, 0.0, 0.0,
                                0.0,  0.0,  1.0, 0.0, m.tx, m.ty, 0.0, 1.0};
    glLoadMatrixd(columns);
}

void windowStartFrame(FrameDrawing drawing) {
    preciseMatrix = drawing == FrameDrawing::Bounded;
}

void windowBegin(SeamMode mode) {
    glBegin(static_cast<GLenum>(mode));
}

void windowColor(const Color4& colour) {
    glColor4f(colour.r, colour.g, colour.b, colour.a);
}

void windowLineWidth(float pixels) {
    // OpenGL refuses widths of 0 or less by itself, but would keep a NaN
    // and rasterise with it; a NaN width is refused here in the same way.
    if (!std::isnan(pixels)) {
        glLineWidth(pixels);
    }
}

void windowLighting(bool enabled) {
    if (enabled) {
        glEnable(GL_LIGHTING);
    } else {
        glDisable(GL_LIGHTING);
    }
}

void windowPushMatrix() {
    glPushMatrix();
    if (windowMatrixDepth < WINDOW_MATRIX_DEPTH) {
        windowMatrixStack[windowMatrixDepth] = windowMatrix;
        ++windowMatrixDepth;
    }
}

void windowPopMatrix() {
    glPopMatrix();
    if (windowMatrixDepth > 0) {
        --windowMatrixDepth;
        windowMatrix = windowMatrixStack[windowMatrixDepth];
    }
}

void windowTranslate(double x, double y) {
    windowMatrix = affineTranslated(windowMatrix, x, y);
    if (preciseMatrix) {
        loadWindowMatrix();
    } else {
        glTranslated(x, y, 0.0);
    }
}

void windowRotate(double degrees) {
    windowMatrix = affineRotated(windowMatrix, degrees);
    if (preciseMatrix) {
        loadWindowMatrix();
    } else {
        glRotated(degrees, 0.0, 0.0, 1.0);
    }
}

void windowLoadIdentity() {
    glLoadIdentity();
    windowMatrix = IDENTITY_AFFINE;
}

void windowPushCurrentAttrib() {
    glPushAttrib(GL_CURRENT_BIT);
}

void windowRasterPos(float x, float y) {
    glRasterPos2f(x, y);
}

void windowBitmapCharacter(DrawFont font, int c) {
    switch (font) {
    case DrawFont::Legend:
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, c);
        break;
    }
}

void windowClear() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Affine2 currentWindowMatrix() {
    return windowMatrix;
}

}  // namespace

const DrawTarget OPENGL_TARGET{
    windowStartFrame,
    windowBegin,
    glVertex2d,
    glEnd,
    windowColor,
    windowLineWidth,
    windowLighting,
    windowPushMatrix,
    windowPopMatrix,
    windowTranslate,
    windowRotate,
    windowLoadIdentity,
    windowPushCurrentAttrib,
    glPopAttrib,
    windowRasterPos,
    windowBitmapCharacter,
    windowClear,
    glFlush,
    glutSwapBuffers,
    currentWindowMatrix,
};

}  // namespace gearmesh
