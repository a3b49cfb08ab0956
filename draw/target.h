#pragma once

// The one interface between the drawing code and whatever draws: a table of
// functions, one per OpenGL or GLUT call the toolkit makes. The toolkit, the
// scene and the frame bracket call the seam (draw/seam.h), which hands each
// call to the current target; a target fills in every entry. Two targets come
// with the program: OpenGL (draw/gl/gl_target.h, its own library) and the
// recorder (draw/recorder.h, no GL context needed). The program picks one at
// run time with setDrawTarget; nothing else names a target.
//
//   toolkit, scene, frame -> seam -> DrawTarget <- OpenGL target, recorder

#include "draw/affine2.h"
#include "draw/color.h"
#include "draw/legend_font.h"

namespace gearmesh {

// Primitive modes, equal to GL_LINES, GL_LINE_LOOP and GL_POLYGON.
enum SeamMode { SEAM_LINES = 0x0001, SEAM_LINE_LOOP = 0x0002, SEAM_POLYGON = 0x0009 };

// How a frame is drawn. Bounded: only the parts of a figure that can reach
// the window (draw/bounds.h), with matrices composed in double precision.
// Literal: every primitive the toolkit defines, as it always has.
enum class FrameDrawing { Bounded, Literal };

// One drawing target. Each entry stands for the OpenGL or GLUT call in its
// comment; vertices and translations are in the coordinates of the current
// model-view matrix, view units.
struct DrawTarget {
    // A frame drawn this way starts (before clear); OpenGL composes the
    // frame's matrices in double precision when it is bounded.
    void (*startFrame)(FrameDrawing drawing);
    void (*begin)(SeamMode mode);                   // glBegin
    void (*vertex)(double x, double y);             // glVertex2d
    void (*end)();                                  // glEnd
    void (*color)(const Color4& colour);            // glColor4f
    void (*lineWidth)(float pixels);                // glLineWidth; NaN, 0 or less refused
    void (*lighting)(bool enabled);                 // glEnable or glDisable of GL_LIGHTING
    void (*pushMatrix)();                           // glPushMatrix
    void (*popMatrix)();                            // glPopMatrix
    void (*translate)(double x, double y);          // glTranslated by (x, y, 0)
    void (*rotate)(double degrees);                 // glRotated about z, counter-clockwise
    void (*loadIdentity)();                         // glLoadIdentity
    void (*pushCurrentAttrib)();                    // glPushAttrib(GL_CURRENT_BIT)
    void (*popAttrib)();                            // glPopAttrib
    void (*rasterPos)(float x, float y);            // glRasterPos2f
    void (*bitmapCharacter)(DrawFont font, int c);  // glutBitmapCharacter
    void (*clear)();                                // glClear of colour and depth
    void (*flush)();                                // glFlush
    void (*swapBuffers)();                          // glutSwapBuffers
    // The current model-view matrix in double precision (pushes beyond 32
    // and pops of an empty stack are ignored, as OpenGL ignores them).
    Affine2 (*matrix)();
};

// Sends the seam's calls to target from now on; nullptr selects a target that
// draws nothing (the one at start). The target must outlive its use.
void setDrawTarget(const DrawTarget* target);
// The target the seam's calls go to now; never nullptr.
const DrawTarget* drawTarget();

}  // namespace gearmesh
