#include "web/canvas_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "draw/circles.h"
#include "draw/frame.h"
#include "draw/lines.h"
#include "draw/recorder.h"
#include "draw/seam.h"

namespace gearmesh {

namespace {

class CanvasFrameTest : public ::testing::Test {
   protected:
    void SetUp() override {
        beginFrame(dc);
    }
    // The canvas frame of what the test has drawn.
    const CanvasFrame& builtFrame() {
        buildCanvasFrame(recorder, *frame);
        return *frame;
    }

    Recorder recorder;
    DrawContext dc{recorder};
    // Several megabytes: kept off the stack.
    std::unique_ptr<CanvasFrame> frame{new CanvasFrame};
};

int kind(const CanvasItem& item) {
    return static_cast<int>(item.kind);
}

// Points of a stroke or fill item, the NaN separators left out, as (x, y) pairs.
int realPoints(const CanvasFrame& f, const CanvasItem& item) {
    int n = 0;
    for (int k = static_cast<int>(item.first); k < item.first + item.count; ++k) {
        n += !std::isnan(f.points[2 * k]);
    }
    return n;
}

TEST_F(CanvasFrameTest, ConsecutivePrimitivesOfOneLookShareOneItem) {
    drawChainCircle(dc, Point2{0.0, 0.0}, 1.0, BLUE);  // 62 primitives
    drawChainCircle(dc, Point2{0.0, 0.0}, 0.5, BLUE);
    drawCircle(dc, Point2{0.0, 0.0}, 0.25, RED);
    drawChainCircle(dc, Point2{0.0, 0.0}, 0.75, BLUE);
    ASSERT_GT(recorder.recordedPrimitiveCount(), 120);
    const CanvasFrame& f = builtFrame();
    EXPECT_FALSE(f.overflowed);
    // The white clear, then blue, red and blue again: the order is kept.
    ASSERT_EQ(f.itemCount, 4);
    EXPECT_EQ(kind(f.items[0]), CANVAS_CLEAR);
    EXPECT_EQ(f.items[0].red + f.items[0].green + f.items[0].blue, 3 * 255.0);
    const double expectedBlue[3] = {0.0, 0.0, 255.0};
    for (int i : {1, 3}) {
        EXPECT_EQ(kind(f.items[i]), CANVAS_STROKE);
        EXPECT_EQ(f.items[i].red, expectedBlue[0]);
        EXPECT_EQ(f.items[i].blue, expectedBlue[2]);
    }
    EXPECT_EQ(f.items[2].red, 255.0);
    // Items follow each other in the point array.
    EXPECT_EQ(f.items[2].first, f.items[1].first + f.items[1].count);
    EXPECT_EQ(f.items[3].first + f.items[3].count, f.pointCount);
    // A closed circle is one subpath: its chords run end to end.
    EXPECT_EQ(realPoints(f, f.items[2]), f.items[2].count);
}

TEST_F(CanvasFrameTest, PointsAreWindowPixelsAndFarSegmentsAreCut) {
    seamLineWidth(dc, 2.0f);
    seamLighting(dc, false);
    seamColor(dc, BLACK);
    seamBegin(dc, SEAM_LINES);
    seamVertex(dc, -0.5, 0.5);  // pixel (200, 200)
    seamVertex(dc, 0.5, -0.5);  // pixel (600, 600)
    // A line 10^7 pixels long across the window, 0.1 pixel above its centre
    // row: what is painted keeps that row to far below a pixel.
    seamVertex(dc, -25000.0, 0.00025);
    seamVertex(dc, 25000.0, 0.00025);
    // Wholly outside the window: nothing is painted.
    seamVertex(dc, 2.0, 2.0);
    seamVertex(dc, 3.0, 2.0);
    seamEnd(dc);
    const CanvasFrame& f = builtFrame();
    ASSERT_EQ(f.itemCount, 2);
    const double* p = f.points + 2 * static_cast<int>(f.items[1].first);
    ASSERT_EQ(f.items[1].count, 5);  // two segments and a separator
    EXPECT_DOUBLE_EQ(p[0], 200.0);
    EXPECT_DOUBLE_EQ(p[1], 200.0);
    EXPECT_DOUBLE_EQ(p[2], 600.0);
    EXPECT_DOUBLE_EQ(p[3], 600.0);
    EXPECT_TRUE(std::isnan(p[4]));
    for (int k : {6, 8}) {
        EXPECT_GE(p[k], -20.0);
        EXPECT_LE(p[k], 820.0);
        EXPECT_NEAR(p[k + 1], 399.9, 1e-6);
    }
    EXPECT_EQ(f.items[1].lineWidth, 2.0);
}

TEST_F(CanvasFrameTest, WidthsColoursAndFillsAsTheWindowShowsThem) {
    seamLighting(dc, false);
    seamColor(dc, GREEN);
    seamLineWidth(dc, 0.25f);  // OpenGL draws it one pixel wide
    seamBegin(dc, SEAM_LINE_LOOP);
    seamVertex(dc, 0.0, 0.0);
    seamVertex(dc, 0.1, 0.0);
    seamVertex(dc, 0.1, 0.1);
    seamEnd(dc);
    seamLighting(dc, true);  // no light: the grey of the default ambient light
    seamBegin(dc, SEAM_LINES);
    seamVertex(dc, 0.0, 0.0);
    seamVertex(dc, 0.1, 0.0);
    seamEnd(dc);
    seamLighting(dc, false);
    drawDisc(dc, Point2{0.0, 0.0}, 0.01, BLUE);
    drawDisc(dc, Point2{5.0, 5.0}, 0.01, BLUE);  // off the window: left out
    const CanvasFrame& f = builtFrame();
    ASSERT_EQ(f.itemCount, 4);
    const CanvasItem& loop = f.items[1];
    EXPECT_EQ(loop.lineWidth, 1.0);
    EXPECT_EQ(loop.green, 255.0);
    // The loop comes back to its first corner.
    ASSERT_EQ(loop.count, 4);
    const double* p = f.points + 2 * static_cast<int>(loop.first);
    EXPECT_EQ(p[0], p[6]);
    EXPECT_EQ(p[1], p[7]);
    const CanvasItem& lit = f.items[2];
    EXPECT_EQ(lit.red, 10.0);
    EXPECT_EQ(lit.green, 10.0);
    EXPECT_EQ(lit.blue, 10.0);
    const CanvasItem& disc = f.items[3];
    EXPECT_EQ(kind(disc), CANVAS_FILL);
    EXPECT_EQ(disc.blue, 255.0);
    EXPECT_EQ(realPoints(f, disc), disc.count);  // one disc, one subpath
    for (int k = 0; k < disc.count; ++k) {
        const double* q = f.points + 2 * (static_cast<int>(disc.first) + k);
        EXPECT_NEAR(std::hypot(q[0] - 400.0, q[1] - 400.0), 4.0, 1e-9);
    }
}

TEST_F(CanvasFrameTest, LegendCharactersStandWhereTheWindowFontPutsThem) {
    seamColor(dc, BLACK);
    drawString(dc, -0.9f, 0.9f, LEGEND_FONT, "(3) draw");
    drawString(dc, -0.9f, 0.85f, LEGEND_FONT, "     x");
    const CanvasFrame& f = builtFrame();
    ASSERT_EQ(f.itemCount, 3);
    // Texts come before any figure, each character a glyph on the baseline.
    EXPECT_EQ(kind(f.items[1]), CANVAS_TEXT);
    ASSERT_EQ(f.items[1].count, 8);
    ASSERT_EQ(f.glyphCount, 14);
    EXPECT_NEAR(f.glyphs[0].x, 40.0, 1e-4);
    EXPECT_NEAR(f.glyphs[0].y, 40.0, 1e-4);
    EXPECT_EQ(f.glyphs[0].code, '(');
    for (int g = 1; g < 8; ++g) {
        EXPECT_GT(f.glyphs[g].x, f.glyphs[g - 1].x);
        EXPECT_EQ(f.glyphs[g].y, f.glyphs[0].y);
    }
    // Five blanks of 5 pixels each indent the second line.
    EXPECT_NEAR(f.glyphs[13].x, 65.0, 1e-4);
    EXPECT_NEAR(f.glyphs[13].y, 60.0, 1e-4);
}

}  // namespace

}  // namespace gearmesh
