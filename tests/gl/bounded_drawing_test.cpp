// Bounded drawing shows the picture the literal drawing shows: whole frames
// in the real window, both ways, read back and compared.

#include <GL/freeglut.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "draw/gl/gl_target.h"
#include "draw/seam.h"
#include "geometry/gear_pair.h"
#include "gl_window.h"
#include "scene/display.h"
#include "tests/support/frame_scenarios.h"

namespace gearmesh {

namespace {

// The frame just drawn. It ends with a buffer swap, after
// which Mesa's software renderer under Xvfb still holds the frame in the back
// buffer (its front buffer reads back black).
Picture readShownFrame() {
    return readPicture();
}

bool sameColourAt(const Picture& a, const Picture& b, int column, int row) {
    const unsigned char* p = a.at(column, row);
    const unsigned char* q = b.at(column, row);
    return p[0] == q[0] && p[1] == q[1] && p[2] == q[2];
}

// True when `other` has a pixel of the colour of `picture` at (column, row)
// within one pixel of it.
bool colourWithinOnePixel(const Picture& picture, const Picture& other, int column, int row) {
    const unsigned char* p = picture.at(column, row);
    for (int r = row - 1; r <= row + 1; ++r) {
        for (int c = column - 1; c <= column + 1; ++c) {
            if (c < 0 || c >= WINDOW_SIZE || r < 0 || r >= WINDOW_SIZE) {
                continue;
            }
            const unsigned char* q = other.at(c, r);
            if (p[0] == q[0] && p[1] == q[1] && p[2] == q[2]) {
                return true;
            }
        }
    }
    return false;
}

struct Comparison {
    int drawn = 0;      // pixels drawn (not white) in either picture
    int differing = 0;  // pixels whose colour differs
    int farOff = 0;     // pixels drawn in one picture only, with no pixel of
                        // their colour within 1 px in the other
    std::string firstFarOff;
};

Comparison compare(const Picture& a, const Picture& b) {
    Comparison result;
    for (int row = 0; row < WINDOW_SIZE; ++row) {
        for (int column = 0; column < WINDOW_SIZE; ++column) {
            const bool inA = a.painted(column, row);
            const bool inB = b.painted(column, row);
            result.drawn += (inA || inB) ? 1 : 0;
            if (sameColourAt(a, b, column, row)) {
                continue;
            }
            ++result.differing;
            const bool near = (inA && !inB)   ? colourWithinOnePixel(a, b, column, row)
                              : (inB && !inA) ? colourWithinOnePixel(b, a, column, row)
                                              : true;
            if (!near) {
                if (result.farOff == 0) {
                    result.firstFarOff = std::to_string(column) + ", " + std::to_string(row);
                }
                ++result.farOff;
            }
        }
    }
    return result;
}

void expectSamePicture(const Picture& literal, const Picture& bounded) {
    const Comparison c = compare(literal, bounded);
    EXPECT_GT(c.drawn, 1000);
    EXPECT_LE(c.differing, c.drawn / 1000)
        << c.differing << " of " << c.drawn << " drawn pixels differ";
    EXPECT_EQ(c.farOff, 0) << "first at " << c.firstFarOff;
}

std::string fileName(const char* scenario) {
    std::string name = "/tmp/gearmesh-frame-";
    for (const char* c = scenario; *c != '\0'; ++c) {
        name += (std::isalnum(static_cast<unsigned char>(*c)) != 0) ? *c : '-';
    }
    return name;
}

}  // namespace

// One frame of the scenario's view: the literal drawing with OpenGL's own
// matrices or with the target's double-precision ones, or the bounded drawing.
enum class Drawing { Literal, PreciseLiteral, Bounded };

// The OpenGL target, but with the matrices of a bounded frame in every frame.
class PreciseGlTarget final : public DrawTarget {
   public:
    void startFrame(FrameDrawing) override {
        gl.startFrame(FrameDrawing::Bounded);
    }
    void begin(SeamMode mode) override {
        gl.begin(mode);
    }
    void vertex(double x, double y) override {
        gl.vertex(x, y);
    }
    void end() override {
        gl.end();
    }
    void color(const Color4& colour) override {
        gl.color(colour);
    }
    void lineWidth(float pixels) override {
        gl.lineWidth(pixels);
    }
    void lighting(bool enabled) override {
        gl.lighting(enabled);
    }
    void pushMatrix() override {
        gl.pushMatrix();
    }
    void popMatrix() override {
        gl.popMatrix();
    }
    void translate(double x, double y) override {
        gl.translate(x, y);
    }
    void rotate(double degrees) override {
        gl.rotate(degrees);
    }
    void loadIdentity() override {
        gl.loadIdentity();
    }
    void pushCurrentAttrib() override {
        gl.pushCurrentAttrib();
    }
    void popAttrib() override {
        gl.popAttrib();
    }
    void rasterPos(float x, float y) override {
        gl.rasterPos(x, y);
    }
    void bitmapCharacter(DrawFont font, int c) override {
        gl.bitmapCharacter(font, c);
    }
    void clear() override {
        gl.clear();
    }
    void flush() override {
        gl.flush();
    }
    void swapBuffers() override {
        gl.swapBuffers();
    }
    Affine2 matrix() const override {
        return gl.matrix();
    }

   private:
    GlTarget gl;
};

// The next frame of view, as the window would draw it after the view's last.
Picture frameOf(const GearPair& pair, ViewState view, Drawing drawing) {
    GlTarget gl;
    PreciseGlTarget precise;
    DrawContext dc{drawing == Drawing::PreciseLiteral ? static_cast<DrawTarget&>(precise) : gl};
    advanceView(view, pair);
    drawFrame(dc, pair, view,
              drawing == Drawing::Bounded ? FrameDrawing::Bounded : FrameDrawing::Literal);
    return readShownFrame();
}

TEST(BoundedDrawing, EveryScenarioShowsTheLiteralPicture) {
    for (const FrameScenario& scenario : FRAME_SCENARIOS) {
        SCOPED_TRACE(scenario.name);
        GlTarget target;
        DrawContext dc{target};
        ScenarioView s;
        setUpScenario(dc, scenario, s);
        // Every frame starts from the same view and turns the mesh a step.
        const Picture literal = frameOf(s.pair, s.view, Drawing::Literal);
        const Picture precise = frameOf(s.pair, s.view, Drawing::PreciseLiteral);
        const Picture bounded = frameOf(s.pair, s.view, Drawing::Bounded);
        {
            SCOPED_TRACE("against the literal drawing with double-precision matrices");
            expectSamePicture(precise, bounded);
        }
        // Zoomed in, OpenGL's single-precision turns move the literal pattern
        // itself by up to tens of pixels; unzoomed they stay well under one.
        if (scenario.zoomPresses == 0 || scenario.zoomKey == ViewCommand::ZoomOut) {
            SCOPED_TRACE("against the literal drawing");
            expectSamePicture(literal, bounded);
        }
        const Comparison drift = compare(literal, precise);
        std::printf(
            "%s: literal drawing, single against double precision: %d of %d pixels differ, %d far "
            "off\n",
            scenario.name, drift.differing, drift.drawn, drift.farOff);
        if (scenario.z1 == 20 && scenario.zoomPresses > 0) {
            EXPECT_TRUE(savePicture(literal, fileName(scenario.name) + "-literal.png"));
            EXPECT_TRUE(savePicture(precise, fileName(scenario.name) + "-precise.png"));
            EXPECT_TRUE(savePicture(bounded, fileName(scenario.name) + "-bounded.png"));
        }
    }
}

}  // namespace gearmesh
