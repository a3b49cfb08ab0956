#pragma once

// The toolkit's side of the drawing interface (draw/target.h): the toolkit,
// the scene and the frame bracket call only these functions, and each hands
// its call to the target of the context it is given, one member of the target
// per function.

#include "draw/target.h"

namespace gearmesh {

// What the toolkit, the scene and the frame bracket draw with: the target,
// how the frame being drawn is drawn, and the vertices handed over.
struct DrawContext {
    DrawTarget& target;
    FrameDrawing drawing = FrameDrawing::Bounded;
    long long vertexCount = 0;
};

// glBegin of one primitive.
void seamBegin(DrawContext& dc, SeamMode mode);
// glVertex2d, in the coordinates of the current model-view matrix; counted
// in dc.vertexCount, whatever the target.
void seamVertex(DrawContext& dc, double x, double y);
// glEnd.
void seamEnd(DrawContext& dc);
// glColor4f of red, green, blue, alpha.
void seamColor(DrawContext& dc, const Color4& colour);
// glLineWidth in pixels; a NaN width is refused, as OpenGL refuses 0 or less.
void seamLineWidth(DrawContext& dc, float pixels);
// glEnable or glDisable of GL_LIGHTING.
void seamLighting(DrawContext& dc, bool enabled);
// glPushMatrix and glPopMatrix of the model-view matrix.
void seamPushMatrix(DrawContext& dc);
void seamPopMatrix(DrawContext& dc);
// glTranslated by (x, y, 0), view units.
void seamTranslate(DrawContext& dc, double x, double y);
// Turns the current matrix by degrees about the z axis, counter-clockwise.
void seamRotate(DrawContext& dc, double degrees);
// glLoadIdentity.
void seamLoadIdentity(DrawContext& dc);
// glPushAttrib(GL_CURRENT_BIT) and glPopAttrib.
void seamPushCurrentAttrib(DrawContext& dc);
void seamPopAttrib(DrawContext& dc);
// glRasterPos2f, view units before the matrix.
void seamRasterPos(DrawContext& dc, float x, float y);
// glutBitmapCharacter of the font (LEGEND_FONT, draw/legend_font.h).
void seamBitmapCharacter(DrawContext& dc, DrawFont font, int c);
// Tells the target how the frame that starts now is drawn (beginFrame does).
void seamStartFrame(DrawContext& dc, FrameDrawing drawing);
// glClear of colour and depth buffers; glFlush; glutSwapBuffers.
void seamClear(DrawContext& dc);
void seamFlush(DrawContext& dc);
void seamSwapBuffers(DrawContext& dc);

// The target's current model-view matrix as the calls above have built it,
// in double precision (identity at start and after seamLoadIdentity). Matrix
// changes made with gl* calls outside the seam are not seen.
Affine2 seamMatrix(const DrawContext& dc);

}  // namespace gearmesh
