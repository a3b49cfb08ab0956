#pragma once

// The one seam between the drawing code and OpenGL. The toolkit, the scene
// and the frame bracket call only these functions. Sent to OpenGL, each one
// forwards to the single GL or GLUT call it is named after (the matrix calls
// to glLoadMatrixd while the matrix is precise, see setSeamPreciseMatrix);
// sent to the recorder (draw/recorder.h), the same calls are kept as
// primitives with their vertices after the current matrix, with no GL context.

#include "draw/affine2.h"
#include "draw/color.h"

enum class SeamTarget { OpenGL, Recorder };

// Primitive modes, equal to GL_LINES, GL_LINE_LOOP and GL_POLYGON.
enum SeamMode { SEAM_LINES = 0x0001, SEAM_LINE_LOOP = 0x0002, SEAM_POLYGON = 0x0009 };

// Where the calls go from now on (OpenGL at start).
void setSeamTarget(SeamTarget target);
// Where the calls go now.
SeamTarget seamTarget();

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
// The bitmap font of the legends (GLUT_BITMAP_HELVETICA_18).
extern void* const LEGEND_FONT;
// glutBitmapCharacter; the recorder adds c to the text begun at the raster position.
void seamBitmapCharacter(void* font, int c);
// glClear of colour and depth buffers; glFlush; glutSwapBuffers.
void seamClear();
void seamFlush();
void seamSwapBuffers();

// The current model-view matrix as the calls above have built it, in double
// precision: the recorder's own matrix, or for OpenGL a mirror kept by the
// seam (identity at start and after seamLoadIdentity; pushes beyond 32 and
// pops of an empty stack are ignored, as OpenGL ignores them). Matrix changes
// made with gl* calls outside the seam are not seen.
Affine2 seamMatrix();

// How the OpenGL target builds its model-view matrix. Precise (at start,
// and whenever bounded drawing is on for it, draw/bounds.h): the seam
// composes the matrix in double precision (seamMatrix) and hands it whole to
// OpenGL with glLoadMatrixd after each seamTranslate or seamRotate; matrix
// changes made with gl* calls outside the seam are then overwritten. Not
// precise (with the literal drawing): each is glTranslated or glRotated,
// multiplied in OpenGL's single precision, where thousands of turns in a row
// drift by pixels. The recorder always works in double precision.
void setSeamPreciseMatrix(bool precise);
bool seamPreciseMatrix();

// Vertices handed to seamVertex since the last reset, whatever the target.
long long seamVertexCount();
// Sets that count back to 0.
void resetSeamVertexCount();
