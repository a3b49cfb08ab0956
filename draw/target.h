#pragma once

// The one interface between the drawing code and whatever draws: an abstract
// class with one member function per OpenGL or GLUT call the toolkit makes.
// The toolkit, the scene and the frame bracket call the seam (draw/seam.h)
// with a DrawContext, which hands each call to the context's target. Two
// targets come with the program: OpenGL (draw/gl/gl_target.h, its own
// library) and the recorder (draw/recorder.h, no GL context needed). The
// program creates the one it draws with and hands it over in a context;
// nothing else names a target, and no target is global.
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

// One drawing target. Each member stands for the OpenGL or GLUT call in its
// comment; vertices and translations are in the coordinates of the current
// model-view matrix, view units.
class DrawTarget {
   public:
    virtual ~DrawTarget() = default;

    // A frame drawn this way starts (before clear); OpenGL composes the
    // frame's matrices in double precision when it is bounded.
    virtual void startFrame(FrameDrawing drawing) = 0;
    virtual void begin(SeamMode mode) = 0;                   // glBegin
    virtual void vertex(double x, double y) = 0;             // glVertex2d
    virtual void end() = 0;                                  // glEnd
    virtual void color(const Color4& colour) = 0;            // glColor4f
    virtual void lineWidth(float pixels) = 0;                // glLineWidth; NaN, 0 or less refused
    virtual void lighting(bool enabled) = 0;                 // glEnable or glDisable of GL_LIGHTING
    virtual void pushMatrix() = 0;                           // glPushMatrix
    virtual void popMatrix() = 0;                            // glPopMatrix
    virtual void translate(double x, double y) = 0;          // glTranslated by (x, y, 0)
    virtual void rotate(double degrees) = 0;                 // glRotated about z, counter-clockwise
    virtual void loadIdentity() = 0;                         // glLoadIdentity
    virtual void pushCurrentAttrib() = 0;                    // glPushAttrib(GL_CURRENT_BIT)
    virtual void popAttrib() = 0;                            // glPopAttrib
    virtual void rasterPos(float x, float y) = 0;            // glRasterPos2f
    virtual void bitmapCharacter(DrawFont font, int c) = 0;  // glutBitmapCharacter
    virtual void clear() = 0;                                // glClear of colour and depth
    virtual void flush() = 0;                                // glFlush
    virtual void swapBuffers() = 0;                          // glutSwapBuffers
    // The current model-view matrix in double precision (pushes beyond 32
    // and pops of an empty stack are ignored, as OpenGL ignores them).
    virtual Affine2 matrix() const = 0;
};

}  // namespace gearmesh
