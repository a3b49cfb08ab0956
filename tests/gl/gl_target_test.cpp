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
double matrixMismatch(const DrawContext& dc) {
    double gl[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, gl);
    const Affine2 m = seamMatrix(dc);
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
    GlTarget target;
    DrawContext dc{target};
    for (int c = 0x20; c <= 0x7e; ++c) {
        EXPECT_EQ(glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, c), legendAdvance(static_cast<char>(c)))
            << static_cast<char>(c);
    }
    // The target draws LEGEND_FONT with that font: the pen moves by the table.
    beginFrame(dc);
    seamRasterPos(dc, -0.9f, 0.9f);
    const float start = rasterX();
    const char* legend = "     yellow: bottom and tip circle";
    int advance = 0;
    for (const char* c = legend; *c != '\0'; ++c) {
        seamBitmapCharacter(dc, LEGEND_FONT, *c);
        advance += legendAdvance(*c);
    }
    EXPECT_EQ(rasterX() - start, static_cast<float>(advance));
}

TEST(LitGrey, LitPrimitivesShowItWhateverTheColour) {
    GlTarget target;
    DrawContext dc{target};
    beginFrame(dc);
    seamLighting(dc, true);
    seamColor(dc, RED);
    seamLineWidth(dc, 6.0f);
    seamBegin(dc, SEAM_LINES);
    seamVertex(dc, -0.5, 0.0);
    seamVertex(dc, 0.5, 0.0);
    seamEnd(dc);
    seamLighting(dc, false);
    seamLineWidth(dc, 2.0f);
    const Picture picture = readPicture();
    const Color4 shown = shownColor(RED, true);
    const unsigned char* centre = picture.at(400, 400);
    for (int i = 0; i < 3; ++i) {
        const float channel = i == 0 ? shown.r : (i == 1 ? shown.g : shown.b);
        EXPECT_NEAR(centre[i], channel * 255.0f, 1.0) << i;
    }
}

TEST(GlTarget, BoundedFramesHandOverTheDoublePrecisionMatrix) {
    GlTarget target;
    DrawContext dc{target};
    // Many small turns and shifts, as a patterned circle deep in zoom makes.
    const auto turnMany = [&] {
        seamTranslate(dc, 0.3, -0.2);
        for (int i = 0; i < 3000; ++i) {
            seamRotate(dc, 0.123);
            seamTranslate(dc, 1e-3, 0.0);
        }
    };
    beginFrame(dc, FrameDrawing::Bounded);
    turnMany();
    const double bounded = matrixMismatch(dc);
    beginFrame(dc, FrameDrawing::Literal);
    turnMany();
    const double literal = matrixMismatch(dc);
    // Bounded: the mirror rounded once to OpenGL's floats. Literal: 6000
    // products in single precision drift well past that.
    EXPECT_LT(bounded, 1e-7);
    EXPECT_GT(literal, 10.0 * bounded);
    beginFrame(dc);
}

}  // namespace gearmesh
