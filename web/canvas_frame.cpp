#include "web/canvas_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "draw/legend_font.h"
#include "draw/recorder.h"
#include "draw/window_pixels.h"

namespace gearmesh {

const char* const CANVAS_LINE_JOIN = "bevel";
const char* const CANVAS_LINE_CAP = "butt";

namespace {

constexpr double NOT_A_POINT = std::numeric_limits<double>::quiet_NaN();

// Window pixels (draw/window_pixels.h).
using Pixel = Point2;

double channel(double value) {
    if (!(value > 0.0)) {
        return 0.0;
    }
    return value >= 1.0 ? 255.0 : std::round(value * 255.0);
}

// The colour the window shows for a primitive of this colour and lighting.
void setColour(CanvasItem& item, const Color4& colour, bool lighting) {
    const Color4 shown = shownColor(colour, lighting);
    item.red = channel(shown.r);
    item.green = channel(shown.g);
    item.blue = channel(shown.b);
}

// The frame being built, with the pen of the open stroke.
struct Builder {
    const Recorder& recorder;
    CanvasFrame& frame;
    CanvasItem* open;  // the item primitives are added to, or null
    bool penDown;      // the open stroke's last point ends a subpath that may go on
    Pixel pen;
};

bool addPoint(Builder& b, double x, double y) {
    CanvasFrame& f = b.frame;
    if (f.pointCount >= CANVAS_POINT_CAPACITY) {
        f.overflowed = true;
        return false;
    }
    f.points[2 * f.pointCount] = x;
    f.points[2 * f.pointCount + 1] = y;
    ++f.pointCount;
    ++b.open->count;
    return true;
}

void endSubpath(Builder& b) {
    if (b.open != nullptr && b.open->count > 0) {
        addPoint(b, NOT_A_POINT, NOT_A_POINT);
    }
    b.penDown = false;
}

// Opens an item of this look unless the open one has it.
bool useItem(Builder& b, CanvasItemKind kind, const RecordedPrimitive& primitive, double width) {
    CanvasItem look{};
    look.kind = kind;
    look.lineWidth = width;
    setColour(look, primitive.colour, primitive.lighting);
    CanvasItem* open = b.open;
    if (open != nullptr && open->kind == look.kind && open->red == look.red &&
        open->green == look.green && open->blue == look.blue && open->lineWidth == look.lineWidth) {
        return true;
    }
    CanvasFrame& f = b.frame;
    if (open != nullptr && open->count == 0) {
        // Everything of the open item was cut away: its slot takes the new look.
        --f.itemCount;
        open = nullptr;
    }
    if (f.itemCount >= CANVAS_ITEM_CAPACITY) {
        f.overflowed = true;
        return false;
    }
    // A separator left at the end of the previous item is not needed.
    if (open != nullptr && f.pointCount > 0 && std::isnan(f.points[2 * f.pointCount - 2])) {
        --f.pointCount;
        --open->count;
    }
    look.first = f.pointCount;
    look.count = 0;
    f.items[f.itemCount] = look;
    b.open = &f.items[f.itemCount];
    ++f.itemCount;
    b.penDown = false;
    return true;
}

// A segment that starts where the previous one ended goes on with its subpath.
void addSegment(Builder& b, Pixel p, Pixel q) {
    if (!clipToWindow(p, q) || (p.x == q.x && p.y == q.y)) {
        return;  // OpenGL draws nothing for a line of no length
    }
    if (!b.penDown || p.x != b.pen.x || p.y != b.pen.y) {
        endSubpath(b);
        if (!addPoint(b, p.x, p.y)) {
            return;
        }
    }
    if (addPoint(b, q.x, q.y)) {
        b.pen = q;
        b.penDown = true;
    }
}

void addLines(Builder& b, int i, const RecordedPrimitive& primitive) {
    if (!useItem(b, CANVAS_STROKE, primitive, shownLineWidth(primitive))) {
        return;
    }
    forEachRecordedSegment(b.recorder, i, [&b](const Point2& p, const Point2& q) {
        addSegment(b, windowPixel(p), windowPixel(q));
    });
}

void addPolygon(Builder& b, int i, const RecordedPrimitive& primitive) {
    const int n = primitive.vertexCount;
    if (n < 3) {
        return;
    }
    double left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    for (int j = 0; j < n; ++j) {
        const Pixel p = windowPixel(b.recorder.recordedPrimitiveVertex(i, j));
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    // The filled shapes are the markers, a few pixels across: one that does
    // not reach the drawing is left out, one that does is painted whole.
    if (!(right >= WINDOW_CLIP_LOW && left <= WINDOW_CLIP_HIGH && bottom >= WINDOW_CLIP_LOW &&
          top <= WINDOW_CLIP_HIGH)) {
        return;
    }
    if (!useItem(b, CANVAS_FILL, primitive, 0.0)) {
        return;
    }
    endSubpath(b);
    for (int j = 0; j < n; ++j) {
        const Pixel p = windowPixel(b.recorder.recordedPrimitiveVertex(i, j));
        if (!addPoint(b, p.x, p.y)) {
            return;
        }
    }
}

// The legend texts, each character at the pen position the window's bitmap
// font gives it.
void addTexts(const Recorder& recorder, CanvasFrame& f) {
    for (int i = 0; i < recorder.recordedTextCount(); ++i) {
        const RecordedText& text = recorder.recordedText(i);
        if (!text.positionValid || text.length == 0) {
            continue;
        }
        if (f.itemCount >= CANVAS_ITEM_CAPACITY) {
            f.overflowed = true;
            return;
        }
        CanvasItem& item = f.items[f.itemCount];
        ++f.itemCount;
        item = CanvasItem{};
        item.kind = CANVAS_TEXT;
        setColour(item, text.colour, text.lighting);
        item.first = f.glyphCount;
        Pixel pen = windowPixel(text.position);
        for (int k = 0; k < text.length && text.text[k] != '\0'; ++k) {
            if (f.glyphCount >= CANVAS_GLYPH_CAPACITY) {
                f.overflowed = true;
                return;
            }
            const char c = text.text[k] >= 0x20 && text.text[k] <= 0x7e ? text.text[k] : '?';
            f.glyphs[f.glyphCount] = CanvasGlyph{pen.x, pen.y, static_cast<double>(c)};
            ++f.glyphCount;
            ++item.count;
            pen.x += legendAdvance(c);
        }
    }
}

}  // namespace

std::string canvasFont() {
    return "condensed " + std::to_string(LEGEND_FONT_PIXELS) + "px " + LEGEND_FONT_FAMILY;
}

void buildCanvasFrame(const Recorder& recorder, CanvasFrame& frame) {
    frame.itemCount = 0;
    frame.pointCount = 0;
    frame.glyphCount = 0;
    frame.overflowed = recorder.overflowed();

    CanvasItem& clear = frame.items[0];
    clear = CanvasItem{};
    clear.kind = CANVAS_CLEAR;
    clear.red = clear.green = clear.blue = 255.0;
    frame.itemCount = 1;

    // Every text of a frame is a legend, drawn before any figure: the
    // figure's lines pass over it.
    addTexts(recorder, frame);

    Builder b{recorder, frame, nullptr, false, Pixel{0.0, 0.0}};
    const int primitives = recorder.storedPrimitiveCount();
    for (int i = 0; i < primitives; ++i) {
        const RecordedPrimitive primitive = recorder.recordedPrimitive(i);
        if (primitive.mode == SEAM_POLYGON) {
            addPolygon(b, i, primitive);
        } else {
            addLines(b, i, primitive);
        }
    }
    endSubpath(b);
    // No separator is needed after the last subpath.
    if (b.open != nullptr && frame.pointCount > 0 &&
        std::isnan(frame.points[2 * frame.pointCount - 2])) {
        --frame.pointCount;
        --b.open->count;
    }
}

}  // namespace gearmesh
