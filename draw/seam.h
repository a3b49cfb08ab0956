#pragma once

// The toolkit's side of the drawing interface (draw/target.h): the toolkit,
// the scene and the frame bracket call only these functions, and each hands
// its call to the current target, one entry of the target per function.

#include "draw/target.h"

namespace gearmesh {

// glBegin of one primitive.
void seamBegin(SeamMode mode);
// glVertex2d, in the coordinates of the current model-view matrix.
void seamVertex(double x, double y);
// glEnd.
void seamEnd();
// glColor4f of red, green, blue, alpha.
void seamColor(const Color4& colour);
// glLineWidth in pixels; a NaN width is refused, as OpenGL refuses 0 or less.
void seamLineWidth(float pixels);
// glEnable or glDisable of GL_LIGHTING.
void seamLighting(bool enabled);
// glPushMatrix and glPopMatrix of the model-view matrix.
void seamPushMatrix();
void seamPopMatrix();
// glTranslated by (x, y, 0), view units.
void seamTranslate(double x, double y);
// Turns the current matrix by degrees about the z axis, counter-clockwise.
void seamRotate(double degrees);
// glLoadIdentity.
void seamLoadIdentity();
// glPushAttrib(GL_CURRENT_BIT) and glPopAttrib.
void seamPushCurrentAttrib();
void seamPopAttrib();
// glRasterPos2f, view units before the matrix.
void seamRasterPos(float x, float y);
// glutBitmapCharacter of the font (LEGEND_FONT, draw/legend_font.h).
void seamBitmapCharacter(DrawFont font, int c);
// Tells the target how the frame that starts now is drawn (beginFrame does).
void seamStartFrame(FrameDrawing drawing);
// glClear of colour and depth buffers; glFlush; glutSwapBuffers.
void seamClear();
void seamFlush();
void seamSwapBuffers();

// The current model-view matrix as the calls above have built it, in double
// precision (identity at start and after seamLoadIdentity). Matrix changes
// made with gl* calls outside the seam are not seen.
Affine2 seamMatrix();

// Vertices handed to seamVertex since the last reset, whatever the target.
long long seamVertexCount();
// Sets that count back to 0.
void resetSeamVertexCount();

}  // namespace gearmesh
