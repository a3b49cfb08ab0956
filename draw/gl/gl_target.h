#pragma once

// The OpenGL drawing target: each entry of the table makes the one GL or GLUT
// call it stands for, in the current GL context. The only code that links
// OpenGL and GLUT; the program that opens the window picks it.
//
// The target mirrors the model-view matrix in double precision (its matrix
// entry). In a bounded frame it composes each translation and turn there and
// hands the matrix whole to OpenGL with glLoadMatrixd, which puts the few
// periods a bounded figure draws where the literal turns would put them,
// without OpenGL's single-precision drift; matrix changes made with gl* calls
// outside the seam are then overwritten. In a literal frame each is
// glTranslated or glRotated, multiplied in single precision, exactly as the
// drawing always reached OpenGL. Before the first frame it is bounded.

#include "draw/target.h"

namespace gearmesh {

extern const DrawTarget OPENGL_TARGET;

}  // namespace gearmesh
