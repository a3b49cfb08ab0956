#include "draw/seam.h"

#include <GL/glut.h>

#include <cmath>

#include "draw/recorder.h"

namespace {

SeamTarget currentTarget = SeamTarget::OpenGL;
long long vertexCount = 0;

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

bool recording() {
    return currentTarget == SeamTarget::Recorder;
}

}  // namespace

void* const LEGEND_FONT = GLUT_BITMAP_HELVETICA_18;

void setSeamTarget(SeamTarget target) {
    currentTarget = target;
}

SeamTarget seamTarget() {
    return currentTarget;
}

void seamBegin(SeamMode mode) {
    if (recording()) {
        recordBegin(mode);
    } else {
        glBegin(static_cast<GLenum>(mode));
    }
}

void seamVertex(double x, double y) {
    ++vertexCount;
    if (recording()) {
        recordVertex(x, y);
    } else {
        glVertex2d(x, y);
    }
}

void seamEnd() {
    if (recording()) {
        recordEnd();
    } else {
        glEnd();
    }
}

void seamColor(const Color4& colour) {
    if (recording()) {
        recordColor(colour);
    } else {
        glColor4f(colour.r, colour.g, colour.b, colour.a);
    }
}

void seamLineWidth(float pixels) {
    if (recording()) {
        recordLineWidth(pixels);
    } else if (!std::isnan(pixels)) {
        // OpenGL refuses widths of 0 or less by itself, but would keep a NaN
        // and rasterise with it; a NaN width is refused here in the same way.
        glLineWidth(pixels);
    }
}

void seamLighting(bool enabled) {
    if (recording()) {
        recordLighting(enabled);
    } else if (enabled) {
        glEnable(GL_LIGHTING);
    } else {
        glDisable(GL_LIGHTING);
    }
}

void seamPushMatrix() {
    if (recording()) {
        recordPushMatrix();
    } else {
        glPushMatrix();
        if (windowMatrixDepth < WINDOW_MATRIX_DEPTH) {
            windowMatrixStack[windowMatrixDepth] = windowMatrix;
            ++windowMatrixDepth;
        }
    }
}

void seamPopMatrix() {
    if (recording()) {
        recordPopMatrix();
    } else {
        glPopMatrix();
        if (windowMatrixDepth > 0) {
            --windowMatrixDepth;
            windowMatrix = windowMatrixStack[windowMatrixDepth];
        }
    }
}

void seamTranslate(double x, double y) {
    if (recording()) {
        recordTranslate(x, y);
    } else {
        windowMatrix = affineTranslated(windowMatrix, x, y);
        if (preciseMatrix) {
            loadWindowMatrix();
        } else {
            glTranslated(x, y, 0.0);
        }
    }
}

void seamRotate(double degrees) {
    if (recording()) {
        recordRotate(degrees);
    } else {
        windowMatrix = affineRotated(windowMatrix, degrees);
        if (preciseMatrix) {
            loadWindowMatrix();
        } else {
            glRotated(degrees, 0.0, 0.0, 1.0);
        }
    }
}

void seamLoadIdentity() {
    if (recording()) {
        recordLoadIdentity();
    } else {
        glLoadIdentity();
        windowMatrix = IDENTITY_AFFINE;
    }
}

void seamPushCurrentAttrib() {
    if (recording()) {
        recordPushCurrentAttrib();
    } else {
        glPushAttrib(GL_CURRENT_BIT);
    }
}

void seamPopAttrib() {
    if (recording()) {
        recordPopAttrib();
    } else {
        glPopAttrib();
    }
}

void seamRasterPos(float x, float y) {
    if (recording()) {
        recordRasterPos(x, y);
    } else {
        glRasterPos2f(x, y);
    }
}

void seamBitmapCharacter(void* font, int c) {
    if (recording()) {
        recordBitmapCharacter(font, c);
    } else {
        glutBitmapCharacter(font, c);
    }
}

void seamClear() {
    if (recording()) {
        recordClear();
    } else {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
}

void seamFlush() {
    if (!recording()) {
        glFlush();
    }
}

void seamSwapBuffers() {
    if (!recording()) {
        glutSwapBuffers();
    }
}

void setSeamPreciseMatrix(bool precise) {
    preciseMatrix = precise;
}

bool seamPreciseMatrix() {
    return preciseMatrix;
}

Affine2 seamMatrix() {
    return recording() ? recorderMatrix() : windowMatrix;
}

long long seamVertexCount() {
    return vertexCount;
}

void resetSeamVertexCount() {
    vertexCount = 0;
}
