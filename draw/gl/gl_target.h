#pragma once

// The OpenGL drawing target: each member makes the one GL or GLUT call it
// stands for, in the current GL context. The only code that links OpenGL
// and GLUT; the program that opens the window creates it.
//
// The target mirrors the model-view matrix in double precision (its matrix
// member). In a bounded frame it composes each translation and turn there and
// hands the matrix whole to OpenGL with glLoadMatrixd, which puts the few
// periods a bounded figure draws where the literal turns would put them,
// without OpenGL's single-precision drift; matrix changes made with gl* calls
// outside the seam are then overwritten. In a literal frame each is
// glTranslated or glRotated, multiplied in single precision, exactly as the
// drawing always reached OpenGL. Before the first frame it is bounded.

#include "draw/target.h"

namespace gearmesh {

class GlTarget final : public DrawTarget {
   public:
    // A target for the current GL context, its mirror at the identity.
    GlTarget() = default;

    void startFrame(FrameDrawing drawing) override;
    void begin(SeamMode mode) override;
    void vertex(double x, double y) override;
    void end() override;
    void color(const Color4& colour) override;
    void lineWidth(float pixels) override;
    void lighting(bool enabled) override;
    void pushMatrix() override;
    void popMatrix() override;
    void translate(double x, double y) override;
    void rotate(double degrees) override;
    void loadIdentity() override;
    void pushCurrentAttrib() override;
    void popAttrib() override;
    void rasterPos(float x, float y) override;
    void bitmapCharacter(DrawFont font, int c) override;
    void clear() override;
    void flush() override;
    void swapBuffers() override;
    Affine2 matrix() const override;

   private:
    // The mirror of the window's model-view stack, and whether the frame
    // being drawn composes its matrices here in double precision.
    struct MatrixMirror {
        AffineStack stack;
        bool precise = true;
    };

    // Hands the mirror's matrix to OpenGL whole.
    void loadMirror() const;

    MatrixMirror mirror;
};

}  // namespace gearmesh
