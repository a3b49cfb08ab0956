#pragma once

// The one seam between the drawing code and OpenGL. The toolkit, the scene
// and the frame bracket call only these functions. Sent to OpenGL, each one
// forwards to the single GL or GLUT call it is named after; sent to the
// recorder (draw/recorder.h), the same calls are kept as primitives with
// their vertices after the current matrix, with no GL context at all.

#include "draw/color.h"

enum class SeamTarget { OpenGL, Recorder };

// Primitive modes, equal to GL_LINES, GL_LINE_LOOP and GL_POLYGON.
enum SeamMode { SEAM_LINES = 0x0001, SEAM_LINE_LOOP = 0x0002, SEAM_POLYGON = 0x0009 };

// Where the calls go from now on (OpenGL at start).
void setSeamTarget(SeamTarget target);
SeamTarget seamTarget();

void seamBegin(SeamMode mode);
void seamVertex(double x, double y);
void seamEnd();
void seamColor(const Color4& colour);
void seamLineWidth(float pixels);
void seamLighting(bool enabled);
void seamPushMatrix();
void seamPopMatrix();
void seamTranslate(double x, double y);
// Turns the current matrix by degrees about the z axis, counter-clockwise.
void seamRotate(double degrees);
void seamLoadIdentity();
// glPushAttrib(GL_CURRENT_BIT) and glPopAttrib.
void seamPushCurrentAttrib();
void seamPopAttrib();
void seamRasterPos(float x, float y);
// The bitmap font of the legends (GLUT_BITMAP_HELVETICA_18).
extern void* const LEGEND_FONT;
void seamBitmapCharacter(void* font, int c);
// glClear of colour and depth buffers; glFlush; glutSwapBuffers.
void seamClear();
void seamFlush();
void seamSwapBuffers();

// Vertices handed to seamVertex since the last reset, whatever the target.
long long seamVertexCount();
void resetSeamVertexCount();
