#include "web/canvas_frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// A separator left at the end of an item is not needed: the next item, or
// the frame's end, ends its subpath anyway.
void dropTrailingSeparator(CanvasFrame& f, CanvasItem* item) {
    if (item != nullptr && f.pointCount > 0 && std::isnan(f.points[2 * f.pointCount - 2])) {
        --f.pointCount;
        --item->count;
    }
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
    dropTrailingSeparator(f, open);
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

// FNV-1a's step taken a whole 64-bit word at a time: a change in any one word
// changes the digest.
std::uint64_t fold(std::uint64_t digest, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (digest ^ bits) * 0x100000001b3ULL;
}

// A digest of what the item paints: its look and its points or glyphs.
std::uint64_t itemDigest(const CanvasFrame& f, const CanvasItem& item) {
    std::uint64_t digest = 0xcbf29ce484222325ULL;
    for (double value : {item.kind, item.red, item.green, item.blue, item.lineWidth, item.count}) {
        digest = fold(digest, value);
    }
    const int first = static_cast<int>(item.first);
    const int last = first + static_cast<int>(item.count);
    if (item.kind == CANVAS_TEXT) {
        for (int g = first; g < last; ++g) {
            digest = fold(fold(fold(digest, f.glyphs[g].x), f.glyphs[g].y), f.glyphs[g].code);
        }
    } else if (item.kind != CANVAS_CLEAR) {
        for (int k = 2 * first; k < 2 * last; ++k) {
            digest = fold(digest, f.points[k]);
        }
    }
    return digest;
}

// Marks the items in front of the first that differs from the last frame's
// as the layer, with the last frame's serial number when they hold all of
// its layer (the page paints any more on top of what it has) and a new one
// otherwise, and keeps this frame's digests for the next.
void markLayer(CanvasFrame& f) {
    CanvasFrameHistory& history = f.history;
    int same = 0;
    for (int i = 0; i < f.itemCount; ++i) {
        const std::uint64_t digest = itemDigest(f, f.items[i]);
        if (same == i && i < history.itemCount && history.itemDigests[i] == digest) {
            ++same;
        }
        history.itemDigests[i] = digest;
    }
    history.itemCount = f.itemCount;
    // The white clear alone is painted sooner than a layer is copied.
    if (same < 2) {
        history.layerItems = 0;
        return;
    }
    if (same < history.layerItems || history.layerItems == 0) {
        history.layerSerial += 1.0;
    }
    history.layerItems = same;
    for (int i = 0; i < same; ++i) {
        f.items[i].layer = history.layerSerial;
    }
}

// Points within this distance of the last one kept, on both axes, make no
// segment: what the canvas's stroker takes for no length (Skia's
// SK_ScalarNearlyZero).
constexpr double NO_LENGTH = 1.0 / 4096.0;

// An outline under construction in the frame's free points: the edge on the
// side the segments' normals point to grows forward from the first free
// point, the opposite edge backward from the end of the room, so that it
// already runs from the subpath's end back to its start.
struct Outline {
    CanvasFrame& frame;
    int normalSide;  // next point of the normal side's edge
    int otherSide;   // first point of the opposite edge
    bool full;
};

void addNormalSide(Outline& o, const Pixel& p) {
    if (o.normalSide >= o.otherSide) {
        o.full = true;
        return;
    }
    o.frame.points[2 * o.normalSide] = p.x;
    o.frame.points[2 * o.normalSide + 1] = p.y;
    ++o.normalSide;
}

void addOtherSide(Outline& o, const Pixel& p) {
    if (o.otherSide <= o.normalSide) {
        o.full = true;
        return;
    }
    --o.otherSide;
    o.frame.points[2 * o.otherSide] = p.x;
    o.frame.points[2 * o.otherSide + 1] = p.y;
}

// The joint at pivot between a segment of unit normal before and length
// beforeLength and the next (after, afterLength), as the stroker makes it
// with bevel joins: the outer edge turns along the bevel; the inner edge
// ends the first segment's, goes through the pivot and starts the next
// one's. The pivot is left out where both segments reach past the point where
// their inner edges cross by as much again: the short way between the two
// ends then stays in what both segments cover, and so adds nothing.
void addJoint(Outline& o, const Pixel& pivot, const Pixel& before, const Pixel& after,
              double beforeLength, double afterLength, double radius) {
    const double cross = before.x * after.y - before.y * after.x;
    const double dot = before.x * after.x + before.y * after.y;
    // Where the inner edges cross lies radius * tan(turn / 2) before the joint.
    const bool throughPivot =
        !(dot > 0.0) ||
        radius * std::fabs(cross) > 0.5 * (1.0 + dot) * std::min(beforeLength, afterLength);
    const Pixel outward{after.x * radius, after.y * radius};
    if (cross > 0.0) {
        addNormalSide(o, Pixel{pivot.x + outward.x, pivot.y + outward.y});
        if (throughPivot) {
            addOtherSide(o, pivot);
        }
        addOtherSide(o, Pixel{pivot.x - outward.x, pivot.y - outward.y});
    } else {
        addOtherSide(o, Pixel{pivot.x - outward.x, pivot.y - outward.y});
        if (throughPivot) {
            addNormalSide(o, pivot);
        }
        addNormalSide(o, Pixel{pivot.x + outward.x, pivot.y + outward.y});
    }
}

// Closes the subpath's polygon: its opposite edge, already backwards, moves to
// follow the normal side's.
void endOutlineSubpath(Outline& o, int room) {
    const int n = room - o.otherSide;
    std::memmove(o.frame.points + 2 * o.normalSide, o.frame.points + 2 * o.otherSide,
                 2 * n * sizeof(double));
    o.normalSide += n;
    o.otherSide = room;
}

}  // namespace

int addStrokeOutline(CanvasFrame& frame, int first, int count, double lineWidth) {
    const int start = frame.pointCount;
    const int room = CANVAS_POINT_CAPACITY;
    const double radius = 0.5 * lineWidth;
    Outline o{frame, start, room, false};
    // The open subpath: its last point kept, the last segment's unit normal
    // and length, and its segments so far (-1: none open).
    Pixel pen{0.0, 0.0};
    Pixel normal{0.0, 0.0};
    double length = 0.0;
    int segments = -1;
    for (int k = first; k < first + count && !o.full; ++k) {
        const Pixel p{frame.points[2 * k], frame.points[2 * k + 1]};
        if (std::isnan(p.x)) {
            if (segments > 0) {
                endOutlineSubpath(o, room);
            }
            segments = -1;
            continue;
        }
        if (segments < 0) {
            pen = p;
            segments = 0;
            continue;
        }
        const double dx = p.x - pen.x;
        const double dy = p.y - pen.y;
        if (std::fabs(dx) <= NO_LENGTH && std::fabs(dy) <= NO_LENGTH) {
            continue;
        }
        const double d = std::sqrt(dx * dx + dy * dy);
        // The stroker's normal: the direction turned a quarter counter-clockwise.
        const Pixel next{dy / d, -dx / d};
        if (segments == 0) {
            if (o.normalSide > start) {
                addNormalSide(o, Pixel{NOT_A_POINT, NOT_A_POINT});
            }
            addNormalSide(o, Pixel{pen.x + radius * next.x, pen.y + radius * next.y});
            addOtherSide(o, Pixel{pen.x - radius * next.x, pen.y - radius * next.y});
        } else {
            addJoint(o, pen, normal, next, length, d, radius);
        }
        addNormalSide(o, Pixel{p.x + radius * next.x, p.y + radius * next.y});
        addOtherSide(o, Pixel{p.x - radius * next.x, p.y - radius * next.y});
        pen = p;
        normal = next;
        length = d;
        ++segments;
    }
    if (segments > 0 && !o.full) {
        endOutlineSubpath(o, room);
    }
    if (o.full) {
        return 0;
    }
    frame.pointCount = o.normalSide;
    return frame.pointCount - start;
}

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
    dropTrailingSeparator(frame, b.open);

    markLayer(frame);
    for (int i = 0; i < frame.itemCount; ++i) {
        CanvasItem& item = frame.items[i];
        if (item.kind == CANVAS_STROKE && item.lineWidth >= CANVAS_OUTLINE_MIN_WIDTH) {
            const int at = frame.pointCount;
            const int n = addStrokeOutline(frame, static_cast<int>(item.first),
                                           static_cast<int>(item.count), item.lineWidth);
            item.outlineFirst = n > 0 ? at : 0;
            item.outlineCount = n;
        }
    }
}

}  // namespace gearmesh
