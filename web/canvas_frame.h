#pragma once

#include <cstdint>
#include <string>

namespace gearmesh {

class Recorder;

// What the page's canvas paints of one frame: the recorded frame
// (draw/recorder.h) in pixels of the 800 by 800 window (draw/window_pixels.h),
// as the window would show it. Consecutive primitives of one style
// become one item, so the canvas strokes or fills each run once. Everything
// is stored as doubles in fixed arrays, so that JavaScript reads the frame
// through one Float64Array over the module's memory without copying.
//
// Two things spare a slow machine's rasteriser without changing what it
// paints beyond a few edge pixels. The items at the front of a frame that are
// the same as in the frame before (the legend, the markers that stay put)
// form a layer, which the page paints once and then copies whole. And a wide
// stroke (the tooth outlines) comes with its outline as a polygon to fill:
// the rasteriser's own stroke adds two spokes through the centre line at
// every joint, and these, thousands per frame, are most of its work. The
// outline is there whether the stroke is in the layer or not, so that a
// frame looks the same however often it is painted.

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

// Strokes at least this wide (pixels) get an outline: the tooth outlines' 4
// pixels. Narrower lines stay strokes, painted exactly as before.
constexpr double CANVAS_OUTLINE_MIN_WIDTH = 3.0;

// One item, in painting order. Among the points of a stroke or fill, a point
// whose x is NaN ends one subpath; the next begins another.
struct CanvasItem {
    double kind;              // a CanvasItemKind
    double red, green, blue;  // 0 .. 255
    double lineWidth;         // pixels, strokes only
    double first;             // first point or glyph
    double count;             // points or glyphs
    // 0 for an item painted every frame; otherwise the serial number of the
    // layer it is painted into, which only the frame's first items belong to.
    // A layer keeps its number while items are only added to its end.
    double layer;
    // A stroke's outline: points outlineFirst .. outlineFirst + outlineCount -
    // 1, one closed subpath per subpath of the stroke, whose fill (nonzero
    // winding) covers what the stroke (bevel joins, butt caps) covers; none
    // when outlineCount is 0.
    double outlineFirst;
    double outlineCount;
};

// One character of a legend at its pen position on the baseline, pixels.
struct CanvasGlyph {
    double x, y;
    double code;  // the character, printable ASCII
};

// What the next frame is compared with to find its layer: the last frame's
// items, each as a 64-bit digest of its look and points or glyphs.
struct CanvasFrameHistory {
    int itemCount = 0;
    int layerItems = 0;        // the last frame's first items that formed its layer
    double layerSerial = 0.0;  // that layer's serial number; the next one is higher
    std::uint64_t itemDigests[CANVAS_ITEM_CAPACITY];
};

struct CanvasFrame {
    int itemCount;
    int pointCount;  // points stored, (x, y) each
    int glyphCount;
    bool overflowed;  // something did not fit; what is stored is a prefix
    CanvasItem items[CANVAS_ITEM_CAPACITY];
    double points[2 * CANVAS_POINT_CAPACITY];
    CanvasGlyph glyphs[CANVAS_GLYPH_CAPACITY];
    CanvasFrameHistory history;
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
// margin, and shapes wholly outside it are left out. The items in front of
// the first one that differs from the last frame built into frame form the
// layer (none when that is the clear alone); every stroke at least
// CANVAS_OUTLINE_MIN_WIDTH wide gets its outline where the points left allow.
void buildCanvasFrame(const Recorder& recorder, CanvasFrame& frame);

// Appends to frame the outline of points first .. first + count - 1 stroked
// lineWidth wide with bevel joins and butt caps, and returns how many points
// it took, or 0 when they do not fit (nothing is kept then). Each subpath
// gives one closed polygon: the stroke's left edge, then its right edge
// backwards, with a bevel on the outer side of every joint and, on the inner
// side, both edges' ends; the canvas's stroke goes through the joint itself
// there as well, which adds nothing to what is covered unless the joint is
// sharp or its segments shorter than the line is wide, and only there does
// the outline do the same. Points within 1/4096 pixel of the one before are
// passed over, as the canvas passes them over.
int addStrokeOutline(CanvasFrame& frame, int first, int count, double lineWidth);

}  // namespace gearmesh
