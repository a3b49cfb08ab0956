#include <GL/freeglut.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "draw/circles.h"
#include "draw/frame.h"
#include "draw/gl/gl_target.h"
#include "draw/lines.h"
#include "draw/patterned_lines.h"
#include "draw/recorder.h"
#include "draw/seam.h"
#include "draw/shapes.h"
#include "gl_window.h"

namespace gearmesh {

namespace {

constexpr double QUARTER_TURN = 3.14159265358979 / 2.0;

// A cleared frame in the real window drawn with dc, the standing line width of 2 pixels.
void openFrame(DrawContext& dc) {
    beginFrame(dc);
    glLineWidth(2.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
}

float lineWidth() {
    float width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    return width;
}

}  // namespace

TEST(DrawThickLine, WidthInViewUnitsIsPixelsOnScreen) {
    GlTarget target;
    DrawContext dc{target};
    for (const auto& [width, pixels] : {std::pair{0.01, 4}, std::pair{0.005, 2}}) {
        openFrame(dc);
        drawThickLine(dc, Point2{-0.5, 0.0}, Point2{0.5, 0.0}, width, RED);
        const Picture picture = readPicture();
        EXPECT_EQ(picture.paintedInColumn(400), pixels) << width;
        const unsigned char* centre = picture.at(400, 400);
        EXPECT_EQ(centre[0], 255);
        EXPECT_EQ(centre[1], 0);
        EXPECT_EQ(lineWidth(), 2.0f);
    }
}

TEST(DrawCrossMark, ArmsSpanTheWholeWindow) {
    GlTarget target;
    DrawContext dc{target};
    openFrame(dc);
    drawCrossMark(dc, Point2{0.5, -0.25}, 0.0);
    Picture picture = readPicture();
    // y = -0.25 and x = 0.5 fall on pixel borders: 2-pixel arms cover the rows and columns either
    // side.
    for (int line : {299, 300}) {
        EXPECT_EQ(picture.paintedInRow(line), WINDOW_SIZE);
    }
    for (int line : {599, 600}) {
        EXPECT_EQ(picture.paintedInColumn(line), WINDOW_SIZE);
    }
    EXPECT_EQ(picture.at(0, 300)[0], 0);
    EXPECT_FALSE(picture.painted(100, 100));

    openFrame(dc);
    drawCrossMark(dc, Point2{0.5, -0.25}, QUARTER_TURN / 2.0);
    picture = readPicture();
    EXPECT_TRUE(picture.paintedNear(pixelOf(0.5 + 0.3), pixelOf(-0.25 + 0.3), 1));
    EXPECT_TRUE(picture.paintedNear(pixelOf(0.5 - 0.3), pixelOf(-0.25 + 0.3), 1));
    EXPECT_FALSE(picture.paintedNear(pixelOf(0.9), pixelOf(-0.25), 2));
}

TEST(DrawScaledLine, ClippedAtTheTopAndBottomEdges) {
    GlTarget target;
    DrawContext dc{target};
    openFrame(dc);
    drawScaledLine(dc, 0.2, Point2{0, -10}, Point2{0, 10}, BLUE);
    const Picture picture = readPicture();
    EXPECT_EQ(picture.paintedInColumn(399), WINDOW_SIZE);
    EXPECT_EQ(picture.paintedInColumn(400), WINDOW_SIZE);
    EXPECT_EQ(picture.paintedInRow(10), 2);
}

TEST(DrawString, TextAppearsAtItsPlaceAndStateComesBack) {
    GlTarget target;
    DrawContext dc{target};
    openFrame(dc);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glRasterPos2f(0.1f, 0.1f);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    float colourBefore[4];
    float rasterBefore[4];
    glGetFloatv(GL_CURRENT_COLOR, colourBefore);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rasterBefore);
    drawString(dc, -0.5f, 0.5f, LEGEND_FONT, "Legend");
    float colourAfter[4];
    float rasterAfter[4];
    glGetFloatv(GL_CURRENT_COLOR, colourAfter);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rasterAfter);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(colourAfter[i], colourBefore[i]);
        EXPECT_EQ(rasterAfter[i], rasterBefore[i]);
    }

    // The text starts at the raster position (200, 600) and rises from its baseline.
    const Picture picture = readPicture();
    int left = WINDOW_SIZE, right = -1, bottom = WINDOW_SIZE, top = -1;
    for (int row = 0; row < WINDOW_SIZE; ++row) {
        for (int column = 0; column < WINDOW_SIZE; ++column) {
            if (picture.painted(column, row)) {
                left = std::min(left, column);
                right = std::max(right, column);
                bottom = std::min(bottom, row);
                top = std::max(top, row);
            }
        }
    }
    EXPECT_GE(left, 200);
    EXPECT_LE(left, 203);
    EXPECT_GT(right, 240);
    EXPECT_LT(right, 280);
    EXPECT_GE(bottom, 595);  // the descender of g
    EXPECT_LE(top, 620);
    EXPECT_GT(top, 610);
}

TEST(ToolkitPrimitives, LeaveLightingOnTheMatrixAsFoundAndTheirLineWidth) {
    GlTarget target;
    DrawContext dc{target};
    struct Case {
        std::string name;
        std::function<void()> draw;
        float widthAfter;  // 0: the width in force is kept
    };
    const Color4 c = GREEN;
    const std::vector<Case> cases = {
        {"drawLine",
         [&] {
             drawLine(dc, Point2{0, 0}, Point2{0.5, 0.5}, c);
         },
         0.0f},
        {"drawThickLine",
         [&] {
             drawThickLine(dc, Point2{0, 0}, Point2{0.5, 0.5}, 0.01, c);
         },
         2.0f},
        {"drawThickLine 0",
         [&] {
             drawThickLine(dc, Point2{0, 0}, Point2{0.5, 0}, 0.0, c);
         },
         2.0f},
        {"drawScaledLine",
         [&] {
             drawScaledLine(dc, 0.5, Point2{0, 0}, Point2{1, 1}, c);
         },
         0.0f},
        {"drawCrossMark",
         [&] {
             drawCrossMark(dc, Point2{0.1, 0.1}, 0.3);
         },
         2.0f},
        {"drawDashLine",
         [&] {
             drawDashLine(dc, Point2{0, 0}, Point2{0.5, 0.2}, c);
         },
         0.0f},
        {"drawChainLine",
         [&] {
             drawChainLine(dc, Point2{0, 0}, Point2{0.5, 0.2}, c);
         },
         0.0f},
        {"drawScaledChainLine",
         [&] {
             drawScaledChainLine(dc, 2, Point2{0, 0}, Point2{0.1, 0}, c);
         },
         0.0f},
        {"drawDisc",
         [&] {
             drawDisc(dc, Point2{0.2, 0}, 0.1, c);
         },
         0.0f},
        {"drawCircle",
         [&] {
             drawCircle(dc, Point2{0.2, 0}, 0.1, c);
         },
         0.0f},
        {"drawDashCircle",
         [&] {
             drawDashCircle(dc, Point2{0.2, 0}, 0.3, c);
         },
         0.0f},
        {"drawChainCircle",
         [&] {
             drawChainCircle(dc, Point2{0.2, 0}, 0.3, c);
         },
         0.0f},
        {"drawScaledDisc",
         [&] {
             drawScaledDisc(dc, 2, Point2{0.1, 0}, 0.1, c);
         },
         0.0f},
        {"drawScaledCircle",
         [&] {
             drawScaledCircle(dc, 2, Point2{0.1, 0}, 0.1, c);
         },
         0.0f},
        {"drawScaledChainCircle",
         [&] {
             drawScaledChainCircle(dc, 2, Point2{0.1, 0}, 0.1, c);
         },
         0.0f},
        {"drawFilledEllipse",
         [&] {
             drawFilledEllipse(dc, Point2{0, 0}, 0.2, 0.1, 0.4, c);
         },
         0.0f},
        {"drawEllipse",
         [&] {
             drawEllipse(dc, Point2{0, 0}, 0.2, 0.1, 0.4, c);
         },
         0.0f},
        {"drawFilledRect",
         [&] {
             drawFilledRect(dc, Point2{0, 0}, 0.2, 0.1, 0.4, c);
         },
         0.0f},
        {"drawRect",
         [&] {
             drawRect(dc, Point2{0, 0}, 0.2, 0.1, 0.4, c);
         },
         0.0f},
        {"drawArrow",
         [&] {
             drawArrow(dc, Point3{0, 0, 0}, 0.3, 0.4, c);
         },
         0.0f},
        {"drawGrid",
         [&] {
             drawGrid(dc, Point2{0, 0}, 0.4, 2, 0.1, 0.1);
         },
         1.0f},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        openFrame(dc);
        glTranslated(0.1, -0.2, 0.0);
        glRotated(10.0, 0.0, 0.0, 1.0);
        glDisable(GL_LIGHTING);
        glLineWidth(3.0f);
        double before[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, before);
        each.draw();
        double after[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, after);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(after[i], before[i]);
        }
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
        EXPECT_EQ(lineWidth(), each.widthAfter == 0.0f ? 3.0f : each.widthAfter);
        // Only the refused width of 0 may leave an error behind.
        const GLenum error = glGetError();
        EXPECT_TRUE(error == GL_NO_ERROR ||
                    (each.name == "drawThickLine 0" && error == GL_INVALID_VALUE));
    }
}

TEST(RotateAboutPoint, OpenGLAndTheRecorderBuildTheSameMatrix) {
    GlTarget target;
    DrawContext dc{target};
    openFrame(dc);
    rotateAboutPoint(dc, Point2{0.25, -0.5}, Point2{0.1, 0.2}, 0.7);
    rotateThenTranslate(dc, -0.4, 0.3, 0.6);
    double gl[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, gl);
    Recorder recorder;
    DrawContext recording{recorder};
    rotateAboutPoint(recording, Point2{0.25, -0.5}, Point2{0.1, 0.2}, 0.7);
    rotateThenTranslate(recording, -0.4, 0.3, 0.6);
    const Affine2 m = recorder.matrix();
    // OpenGL keeps its matrices in single precision.
    EXPECT_NEAR(gl[0], m.xx, 1e-6);
    EXPECT_NEAR(gl[1], m.xy, 1e-6);
    EXPECT_NEAR(gl[4], m.yx, 1e-6);
    EXPECT_NEAR(gl[5], m.yy, 1e-6);
    EXPECT_NEAR(gl[12], m.tx, 1e-6);
    EXPECT_NEAR(gl[13], m.ty, 1e-6);
}

}  // namespace gearmesh
