#pragma once

#include <string>

namespace gearmesh {

class Recorder;

// What the page's canvas paints of one frame: the recorded frame
// (draw/recorder.h) in pixels of the 800 by 800 window (draw/window_pixels.h),
// as the window would show it. Consecutive primitives of one style
// become one item, so the canvas strokes or fills each run once. Everything
// is stored as doubles in fixed arrays, so that JavaScript reads the frame
// through one Float64Array over the module's memory without copying.

// Items, points and glyphs one frame holds; a bounded frame never comes near
// them (at most 100,000 vertices at any zoom).
constexpr int CANVAS_ITEM_CAPACITY = 50000;
constexpr int CANVAS_POINT_CAPACITY = 300000;
constexpr int CANVAS_GLYPH_CAPACITY = 1024;

// What an item does with its colour.
enum CanvasItemKind {
    CANVAS_CLEAR = 0,   // fills the whole drawing
    CANVAS_STROKE = 1,  // strokes points first .. first + count - 1
    CANVAS_FILL = 2,    // fills points first .. first + count - 1
    CANVAS_TEXT = 3,    // draws glyphs first .. first + count - 1
};

// One item, in painting order. Among the points of a stroke or fill, a point
// whose x is NaN ends one subpath; the next begins another.
struct CanvasItem {
    double kind;              // a CanvasItemKind
    double red, green, blue;  // 0 .. 255
    double lineWidth;         // pixels, strokes only
    double first;             // first point or glyph
    double count;             // points or glyphs
};

// One character of a legend at its pen position on the baseline, pixels.
struct CanvasGlyph {
    double x, y;
    double code;  // the character, printable ASCII
};

struct CanvasFrame {
    int itemCount;
    int pointCount;  // points stored, (x, y) each
    int glyphCount;
    bool overflowed;  // something did not fit; what is stored is a prefix
    CanvasItem items[CANVAS_ITEM_CAPACITY];
    double points[2 * CANVAS_POINT_CAPACITY];
    CanvasGlyph glyphs[CANVAS_GLYPH_CAPACITY];
};

// The CSS font the canvas writes the legends in: a narrow stand-in for the
// window's legend font at its size (draw/legend_font.h).
std::string canvasFont();
// The line join and line cap the canvas paints with: lines meet and end as
// flat as OpenGL's wide lines do.
extern const char* const CANVAS_LINE_JOIN;
extern const char* const CANVAS_LINE_CAP;

// Fills frame from the recorder's current recording: a white clear, the
// legend texts, then the primitives in recorded order. Lines narrower than a
// pixel get one pixel, as OpenGL draws them; lit primitives take the grey of
// OpenGL's default lighting; segments are cut to the drawing widened by a
// margin, and shapes wholly outside it are left out.
void buildCanvasFrame(const Recorder& recorder, CanvasFrame& frame);

}  // namespace gearmesh
