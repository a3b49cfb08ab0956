// The drawing facts kept in draw/ for every target, held against what
// OpenGL and GLUT really do, and how the OpenGL target builds its matrices.

#include <GL/freeglut.h>

#include <cmath>
#include <cstring>

#include "draw/color.h"
#include "draw/frame.h"
#include "draw/gl/gl_target.h"
#include "draw/legend_font.h"
#include "draw/seam.h"
#include "gl_window.h"

namespace gearmesh {

namespace {

float rasterX() {
    float position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

// Largest difference between OpenGL's model-view matrix and the target's mirror.
double matrixMismatch() {
    double gl[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, gl);
    const Affine2 m = seamMatrix();
    const double pairs[6][2] = {{gl[0], m.xx}, {gl[1], m.xy},  {gl[4], m.yx},
                                {gl[5], m.yy}, {gl[12], m.tx}, {gl[13], m.ty}};
    double worst = 0.0;
    for (const auto& p : pairs) {
        worst = std::fmax(worst, std::fabs(p[0] - p[1]));
    }
    return worst;
}

}  // namespace

TEST(LegendFont, AdvanceWidthsAreThoseOfTheWindowFont) {
    setDrawTarget(&OPENGL_TARGET);
    for (int c = 0x20; c <= 0x7e; ++c) {
        EXPECT_EQ(glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, c), legendAdvance(static_cast<char>(c)))
            << static_cast<char>(c);
    }
    // The target draws LEGEND_FONT with that font: the pen moves by the table.
    beginFrame();
    seamRasterPos(-0.9f, 0.9f);
    const float start = rasterX();
    const char* legend = "     yellow: bottom and tip circle";
    int advance = 0;
    for (const char* c = legend; *c != '\0'; ++c) {
        seamBitmapCharacter(LEGEND_FONT, *c);
        advance += legendAdvance(*c);
    }
    EXPECT_EQ(rasterX() - start, static_cast<float>(advance));
}

TEST(LitGrey, LitPrimitivesShowItWhateverTheColour) {
    setDrawTarget(&OPENGL_TARGET);
    beginFrame();
    seamLighting(true);
    seamColor(RED);
    seamLineWidth(6.0f);
    seamBegin(SEAM_LINES);
    seamVertex(-0.5, 0.0);
    seamVertex(0.5, 0.0);
    seamEnd();
    seamLighting(false);
    seamLineWidth(2.0f);
    const Picture picture = readPicture();
    const Color4 shown = shownColor(RED, true);
    const unsigned char* centre = picture.at(400, 400);
    for (int i = 0; i < 3; ++i) {
        const float channel = i == 0 ? shown.r : (i == 1 ? shown.g : shown.b);
        EXPECT_NEAR(centre[i], channel * 255.0f, 1.0) << i;
    }
}

TEST(OpenGLTarget, BoundedFramesHandOverTheDoublePrecisionMatrix) {
    setDrawTarget(&OPENGL_TARGET);
    // Many small turns and shifts, as a patterned circle deep in zoom makes.
    const auto turnMany = [] {
        seamTranslate(0.3, -0.2);
        for (int i = 0; i < 3000; ++i) {
            seamRotate(0.123);
            seamTranslate(1e-3, 0.0);
        }
    };
    beginFrame(FrameDrawing::Bounded);
    turnMany();
    const double bounded = matrixMismatch();
    beginFrame(FrameDrawing::Literal);
    turnMany();
    const double literal = matrixMismatch();
    // Bounded: the mirror rounded once to OpenGL's floats. Literal: 6000
    // products in single precision drift well past that.
    EXPECT_LT(bounded, 1e-7);
    EXPECT_GT(literal, 10.0 * bounded);
    beginFrame();
}

}  // namespace gearmesh
