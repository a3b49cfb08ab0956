#include "web/canvas_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

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
    // The canvas frame of what the test has drawn, then a new frame begun.
    const CanvasFrame& builtFrameThenNext() {
        buildCanvasFrame(recorder, *frame);
        beginFrame(dc);
        return *frame;
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

// A frame of a legend, a red circle and a 4-pixel polyline that stay, then
// a blue line and a 4-pixel polyline at offset, and a 2-pixel one.
void drawLayeredFrame(DrawContext& dc, const char* legend, double circleRadius, double offset) {
    seamLighting(dc, false);
    seamColor(dc, BLACK);
    drawString(dc, -0.9f, 0.9f, LEGEND_FONT, legend);
    seamLineWidth(dc, 1.0f);
    drawCircle(dc, Point2{0.0, 0.0}, circleRadius, RED);
    const auto polyline = [&dc](double width, double y, const Color4& colour) {
        seamLineWidth(dc, static_cast<float>(width));
        seamColor(dc, colour);
        // Segments end to end: one subpath.
        seamBegin(dc, SEAM_LINES);
        for (int k = 0; k < 20; ++k) {
            seamVertex(dc, -0.5 + 0.05 * k, y + 0.1 * std::sin(0.3 * k));
            seamVertex(dc, -0.45 + 0.05 * k, y + 0.1 * std::sin(0.3 * (k + 1)));
        }
        seamEnd(dc);
    };
    polyline(4.0, -0.5, BLACK);
    drawLine(dc, Point2{-0.8, offset}, Point2{0.8, offset}, BLUE);
    polyline(4.0, offset + 0.2, RED);
    polyline(2.0, offset + 0.4, GREEN);
}

// The items that form f's layer, all marked with one serial number.
int layerItems(const CanvasFrame& f) {
    int n = 0;
    while (n < f.itemCount && f.items[n].layer != 0.0 && f.items[n].layer == f.items[0].layer) {
        ++n;
    }
    for (int i = n; i < f.itemCount; ++i) {
        EXPECT_EQ(f.items[i].layer, 0.0) << "item " << i;
    }
    return n;
}

TEST_F(CanvasFrameTest, TheItemsInFrontThatStayFormTheLayer) {
    drawLayeredFrame(dc, "(3) draw", 0.5, 0.0);
    EXPECT_EQ(layerItems(builtFrameThenNext()), 0);  // nothing to compare with yet

    // The clear, the legend, the circle and the polyline in front stay.
    drawLayeredFrame(dc, "(3) draw", 0.5, 0.1);
    const CanvasFrame& second = builtFrameThenNext();
    ASSERT_EQ(second.itemCount, 7);
    ASSERT_EQ(layerItems(second), 4);
    const double serial = second.items[0].layer;
    // Wide strokes get their outlines, in the layer or not.
    EXPECT_GT(second.items[3].outlineCount, 0.0);
    EXPECT_GT(second.items[5].outlineCount, 0.0);
    EXPECT_LE(second.items[5].outlineFirst + second.items[5].outlineCount, second.pointCount);
    EXPECT_EQ(second.items[6].outlineCount, 0.0);  // 2 pixels: a stroke

    // The same front again: the same layer, which the page need not paint again.
    drawLayeredFrame(dc, "(3) draw", 0.5, 0.2);
    const CanvasFrame& third = builtFrameThenNext();
    EXPECT_EQ(layerItems(third), 4);
    EXPECT_EQ(third.items[0].layer, serial);

    // The circle changes: the layer ends in front of it, and is a new one.
    drawLayeredFrame(dc, "(3) draw", 0.6, 0.3);
    const CanvasFrame& fourth = builtFrameThenNext();
    EXPECT_EQ(layerItems(fourth), 2);
    const double shrunk = fourth.items[0].layer;
    EXPECT_GT(shrunk, serial);

    // A frame the same as the last throughout is a layer whole, grown from
    // the last one: the page paints only what it gained.
    drawLayeredFrame(dc, "(3) draw", 0.6, 0.3);
    const CanvasFrame& same = builtFrameThenNext();
    EXPECT_EQ(layerItems(same), same.itemCount);
    EXPECT_EQ(same.items[0].layer, shrunk);

    // Only the clear stays: no layer.
    drawLayeredFrame(dc, "(2) draw", 0.6, 0.3);
    EXPECT_EQ(layerItems(builtFrameThenNext()), 0);
}

// Pieces of a polyline stroked radius on either side with bevel joins and
// butt caps: each segment's band, and at each joint the triangle of the
// pivot and both segments' ends on either side (the bevel, and the wedge
// that the canvas's stroke passes through). Polygons of 3 or 4 corners.
std::vector<std::vector<Point2>> strokePieces(const std::vector<Point2>& line, double radius) {
    std::vector<std::vector<Point2>> pieces;
    std::vector<Point2> normals;
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        const double dx = line[k + 1].x - line[k].x;
        const double dy = line[k + 1].y - line[k].y;
        const double d = std::hypot(dx, dy);
        const Point2 n{radius * dy / d, -radius * dx / d};
        normals.push_back(n);
        pieces.push_back({Point2{line[k].x + n.x, line[k].y + n.y},
                          Point2{line[k + 1].x + n.x, line[k + 1].y + n.y},
                          Point2{line[k + 1].x - n.x, line[k + 1].y - n.y},
                          Point2{line[k].x - n.x, line[k].y - n.y}});
    }
    for (std::size_t k = 1; k + 1 < line.size(); ++k) {
        const Point2& p = line[k];
        const Point2& a = normals[k - 1];
        const Point2& b = normals[k];
        pieces.push_back({p, Point2{p.x + a.x, p.y + a.y}, Point2{p.x + b.x, p.y + b.y}});
        pieces.push_back({p, Point2{p.x - a.x, p.y - a.y}, Point2{p.x - b.x, p.y - b.y}});
    }
    return pieces;
}

double cross(const Point2& o, const Point2& a, const Point2& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double distanceToSegment(const Point2& q, const Point2& a, const Point2& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0.0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(q.x - a.x - t * dx, q.y - a.y - t * dy);
}

// Whether q is inside the convex polygon (either turning), and how far it is
// from its nearest side.
bool insideConvex(const std::vector<Point2>& polygon, const Point2& q, double& distance) {
    bool left = true;
    bool right = true;
    for (std::size_t k = 0; k < polygon.size(); ++k) {
        const Point2& a = polygon[k];
        const Point2& b = polygon[(k + 1) % polygon.size()];
        const double c = cross(a, b, q);
        left = left && c >= 0.0;
        right = right && c <= 0.0;
        distance = std::min(distance, distanceToSegment(q, a, b));
    }
    return left || right;
}

// The winding number about q of the subpaths among points first .. first +
// count - 1 of f, each closed.
int winding(const CanvasFrame& f, int first, int count, const Point2& q) {
    int w = 0;
    int start = first;
    for (int k = first; k <= first + count; ++k) {
        if (k < first + count && !std::isnan(f.points[2 * k])) {
            continue;
        }
        for (int j = start; j < k; ++j) {
            const int next = j + 1 < k ? j + 1 : start;
            const Point2 a{f.points[2 * j], f.points[2 * j + 1]};
            const Point2 b{f.points[2 * next], f.points[2 * next + 1]};
            if (a.y <= q.y && b.y > q.y && cross(a, b, q) > 0.0) {
                ++w;
            } else if (a.y > q.y && b.y <= q.y && cross(a, b, q) < 0.0) {
                --w;
            }
        }
        start = k + 1;
    }
    return w;
}

TEST(AddStrokeOutline, FillsWhatTheStrokeCovers) {
    std::unique_ptr<CanvasFrame> f{new CanvasFrame};
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        // Gentle arcs of short and long chords, as tooth flanks at any zoom,
        // and walks with turns up to 170 degrees and steps shorter than the width.
        std::vector<Point2> line{Point2{100.0, 100.0}};
        double heading = 2.0 * PI * unit(random);
        const bool arc = trial % 2 == 0;
        const double step = arc ? 0.3 + 8.0 * unit(random) : 0.5 + 10.0 * unit(random);
        const double turn =
            arc ? (0.002 + 0.3 * unit(random)) * (unit(random) < 0.5 ? -1 : 1) : 0.0;
        for (int k = 0; k < 30; ++k) {
            heading += arc ? turn : (2.0 * unit(random) - 1.0) * 170.0 * PI / 180.0;
            const double length = arc ? step : step * (0.1 + unit(random));
            line.push_back(Point2{line.back().x + length * std::cos(heading),
                                  line.back().y + length * std::sin(heading)});
        }
        const double width = trial % 3 == 0 ? 3.0 : 4.0;
        f->pointCount = 0;
        for (const Point2& p : line) {
            f->points[2 * f->pointCount] = p.x;
            f->points[2 * f->pointCount + 1] = p.y;
            ++f->pointCount;
        }
        const int stroke = f->pointCount;
        const int n = addStrokeOutline(*f, 0, stroke, width);
        ASSERT_GT(n, 0);
        ASSERT_EQ(f->pointCount, stroke + n);
        const std::vector<std::vector<Point2>> pieces = strokePieces(line, 0.5 * width);
        double left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
        for (const Point2& p : line) {
            left = std::min(left, p.x - width);
            right = std::max(right, p.x + width);
            top = std::min(top, p.y - width);
            bottom = std::max(bottom, p.y + width);
        }
        int compared = 0;
        for (int sample = 0; sample < 3000; ++sample) {
            const Point2 q{left + (right - left) * unit(random),
                           top + (bottom - top) * unit(random)};
            bool covered = false;
            double distance = INFINITY;
            for (const std::vector<Point2>& piece : pieces) {
                covered = insideConvex(piece, q, distance) || covered;
            }
            if (distance < 1e-6) {
                continue;  // on an edge: either answer is right
            }
            ++compared;
            EXPECT_EQ(winding(*f, stroke, n, q) != 0, covered) << q.x << ", " << q.y;
        }
        EXPECT_GT(compared, 2900);
    }
}

TEST(AddStrokeOutline, PassesThroughThePivotOnlyWhereItCovers) {
    std::unique_ptr<CanvasFrame> f{new CanvasFrame};
    // 31 points: a gentle arc of 5-pixel chords, then a zigzag of 1-pixel
    // steps, each subpath 4 pixels wide.
    f->pointCount = 0;
    const auto add = [&f](double x, double y) {
        f->points[2 * f->pointCount] = x;
        f->points[2 * f->pointCount + 1] = y;
        ++f->pointCount;
    };
    for (int k = 0; k < 31; ++k) {
        add(400.0 + 200.0 * std::cos(0.025 * k), 400.0 + 200.0 * std::sin(0.025 * k));
    }
    add(NAN, NAN);
    for (int k = 0; k < 31; ++k) {
        add(100.0 + k, 100.0 + (k % 2));
    }
    // A point 1/10000 pixel from the last makes no segment of its own.
    add(130.0001, 100.0);
    const int stroke = f->pointCount;
    const int n = addStrokeOutline(*f, 0, stroke, 4.0);
    // Per subpath: both ends of every segment on both sides and a bevel at
    // each of the 29 joints (4 x 31 - 4 points), plus the pivot at each joint
    // of the zigzag, and one separator.
    EXPECT_EQ(n, (4 * 31 - 4) + (4 * 31 - 4 + 29) + 1);
}

}  // namespace

}  // namespace gearmesh
