#include <cmath>
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

// One of every figure of the toolkit, spread over the window.
void drawSampler(DrawContext& dc) {
    drawGrid(dc, Point2{-0.6, 0.6}, 0.2, 2, 0.08, 0.08);
    drawChainCircle(dc, Point2{0.3, 0.3}, 0.4, BLUE);
    drawDashCircle(dc, Point2{-0.5, -0.5}, 0.3, RED);
    drawCircle(dc, Point2{0.5, -0.5}, 0.25, GREEN);
    drawDisc(dc, Point2{0.5, -0.5}, 0.05, RED);
    drawDashLine(dc, Point2{-0.9, -0.9}, Point2{0.9, -0.85}, BLACK);
    drawChainLine(dc, Point2{-0.9, 0.9}, Point2{0.9, 0.1}, RED);
    drawThickLine(dc, Point2{-0.8, 0.0}, Point2{-0.2, 0.2}, 0.01, BLUE);
    drawEllipse(dc, Point2{0.0, 0.0}, 0.3, 0.15, 0.5, BLACK);
    drawFilledEllipse(dc, Point2{0.0, 0.6}, 0.1, 0.05, -0.3, GREEN);
    drawRect(dc, Point2{-0.3, -0.3}, 0.2, 0.1, 0.3, BLUE);
    drawFilledRect(dc, Point2{0.6, 0.0}, 0.2, 0.1, -0.4, YELLOW);
    drawArrow(dc, Point3{0.9, -0.1, 0.0}, 0.5, 0.5, RED);
    drawCrossMark(dc, Point2{0.1, -0.2}, 0.3);
}

double pixelCoordinate(double view) {
    return (view + 1.0) * WINDOW_SIZE / 2.0;
}

// Pixels within reach of what the recorder says was drawn.
struct Mask {
    std::vector<bool> near = std::vector<bool>(WINDOW_SIZE * WINDOW_SIZE, false);

    void mark(double x, double y, int reach) {
        const int column = static_cast<int>(std::floor(x));
        const int row = static_cast<int>(std::floor(y));
        for (int r = row - reach; r <= row + reach; ++r) {
            for (int c = column - reach; c <= column + reach; ++c) {
                if (c >= 0 && c < WINDOW_SIZE && r >= 0 && r < WINDOW_SIZE) {
                    near[r * WINDOW_SIZE + c] = true;
                }
            }
        }
    }
    void markSegment(const Point2& a, const Point2& b, int reach) {
        const double ax = pixelCoordinate(a.x), ay = pixelCoordinate(a.y);
        const double bx = pixelCoordinate(b.x), by = pixelCoordinate(b.y);
        const double length = std::hypot(bx - ax, by - ay);
        const int steps = static_cast<int>(std::fmin(length, 4.0 * WINDOW_SIZE)) * 2 + 1;
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            mark(ax + t * (bx - ax), ay + t * (by - ay), reach);
        }
    }
    // A convex polygon: every pixel whose centre is inside, plus the reach.
    void markConvexPolygon(const std::vector<Point2>& corners, int reach) {
        for (int row = 0; row < WINDOW_SIZE; ++row) {
            for (int column = 0; column < WINDOW_SIZE; ++column) {
                const double x = (column + 0.5) * 2.0 / WINDOW_SIZE - 1.0;
                const double y = (row + 0.5) * 2.0 / WINDOW_SIZE - 1.0;
                int positive = 0, negative = 0;
                for (size_t k = 0; k < corners.size(); ++k) {
                    const Point2& p = corners[k];
                    const Point2& q = corners[(k + 1) % corners.size()];
                    if (std::hypot(q.x - p.x, q.y - p.y) < 1e-9) {
                        continue;  // a closing vertex that repeats the first
                    }
                    const double cross = (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
                    positive += cross > 0.0 ? 1 : 0;
                    negative += cross < 0.0 ? 1 : 0;
                }
                if (positive == 0 || negative == 0) {
                    mark(column, row, reach);
                }
            }
        }
    }
    bool at(int column, int row) const {
        return near[row * WINDOW_SIZE + column];
    }
};

// The segments a recorded primitive draws, by its mode.
std::vector<std::pair<Point2, Point2>> segmentsOf(const Recorder& recorder, int i) {
    const RecordedPrimitive primitive = recorder.recordedPrimitive(i);
    std::vector<std::pair<Point2, Point2>> segments;
    const int n = primitive.vertexCount;
    if (primitive.mode == SEAM_LINES) {
        for (int j = 0; j + 1 < n; j += 2) {
            segments.emplace_back(recorder.recordedPrimitiveVertex(i, j),
                                  recorder.recordedPrimitiveVertex(i, j + 1));
        }
    } else if (primitive.mode == SEAM_LINE_LOOP) {
        for (int j = 0; j < n; ++j) {
            segments.emplace_back(recorder.recordedPrimitiveVertex(i, j),
                                  recorder.recordedPrimitiveVertex(i, (j + 1) % n));
        }
    }
    return segments;
}

}  // namespace

TEST(Recorder, AgreesWithThePixelsOpenGLDraws) {
    GlTarget target;
    DrawContext dc{target};
    beginFrame(dc);
    glLineWidth(2.0f);
    drawSampler(dc);
    const Picture picture = readPicture();

    Recorder recorder;
    DrawContext recording{recorder};
    beginFrame(recording, FrameDrawing::Literal);
    drawSampler(recording);
    ASSERT_FALSE(recorder.overflowed());

    // Every painted pixel lies on something recorded (within 3 pixels for
    // the 4-pixel line and rounding), and every recorded line is painted.
    Mask mask;
    int checkedPoints = 0;
    for (int i = 0; i < recorder.storedPrimitiveCount(); ++i) {
        const RecordedPrimitive primitive = recorder.recordedPrimitive(i);
        if (primitive.mode == SEAM_POLYGON) {
            std::vector<Point2> corners;
            for (int j = 0; j < primitive.vertexCount; ++j) {
                corners.push_back(recorder.recordedPrimitiveVertex(i, j));
            }
            mask.markConvexPolygon(corners, 2);
            continue;
        }
        for (const auto& [a, b] : segmentsOf(recorder, i)) {
            mask.markSegment(a, b, 3);
            const Point2 middle{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
            const double pixels = std::hypot(b.x - a.x, b.y - a.y) * WINDOW_SIZE / 2.0;
            if (pixels >= 2.0 && std::fabs(middle.x) < 0.99 && std::fabs(middle.y) < 0.99) {
                EXPECT_TRUE(picture.paintedNear(pixelOf(middle.x), pixelOf(middle.y), 1))
                    << "primitive " << i << " at " << middle.x << ", " << middle.y;
                ++checkedPoints;
            }
        }
    }
    EXPECT_GT(checkedPoints, 500);
    int paintedPixels = 0;
    for (int row = 0; row < WINDOW_SIZE; ++row) {
        for (int column = 0; column < WINDOW_SIZE; ++column) {
            if (picture.painted(column, row)) {
                ++paintedPixels;
                EXPECT_TRUE(mask.at(column, row)) << "stray pixel " << column << ", " << row;
            }
        }
    }
    EXPECT_GT(paintedPixels, 10000);

    // The same frame with a legend line, kept for looking at.
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    drawString(dc, -0.95f, 0.93f, LEGEND_FONT, "Every toolkit figure on one frame");
    EXPECT_TRUE(savePicture(readPicture(), "/tmp/gearmesh-toolkit-figures.png"));
}

}  // namespace gearmesh
