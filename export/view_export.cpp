#include "export/view_export.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "draw/legend_font.h"
#include "draw/recorder.h"
#include "draw/recording_json.h"
#include "draw/window_pixels.h"
#include "export/number_text.h"
#include "scene/display.h"
#include "session/link.h"
#include "session/session.h"

namespace gearmesh {

namespace {

// Window pixels (draw/window_pixels.h).
using Pixel = Point2;

int channel(double value) {
    if (!(value > 0.0)) {
        return 0;
    }
    return value >= 1.0 ? 255 : static_cast<int>(std::lround(value * 255.0));
}

// The colour the window shows for a primitive of this colour and lighting.
std::string colourText(const Color4& colour, bool lighting) {
    const Color4 shown = shownColor(colour, lighting);
    char text[32];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(shown.r), channel(shown.g),
                  channel(shown.b));
    return text;
}

// Two decimals of a pixel are finer than any rasteriser resolves.
std::string pixelNumber(double value) {
    const double rounded = std::round(value * 100.0) / 100.0;
    return exactNumber(rounded);
}

std::string pixelText(const Pixel& p) {
    return pixelNumber(p.x) + "," + pixelNumber(p.y);
}

// One edge of the clip square for Sutherland-Hodgman: inside when
// sign * coordinate <= limit.
struct ClipEdge {
    bool onX;
    double sign;
    double limit;
};

bool inside(const Pixel& p, const ClipEdge& edge) {
    return edge.sign * (edge.onX ? p.x : p.y) <= edge.limit;
}

Pixel crossing(const Pixel& a, const Pixel& b, const ClipEdge& edge) {
    const double va = edge.sign * (edge.onX ? a.x : a.y);
    const double vb = edge.sign * (edge.onX ? b.x : b.y);
    const double t = (edge.limit - va) / (vb - va);
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// Cuts a polygon to the clip square (Sutherland-Hodgman).
std::vector<Pixel> clipPolygon(std::vector<Pixel> polygon) {
    const ClipEdge edges[4] = {{true, -1.0, -WINDOW_CLIP_LOW},
                               {true, 1.0, WINDOW_CLIP_HIGH},
                               {false, -1.0, -WINDOW_CLIP_LOW},
                               {false, 1.0, WINDOW_CLIP_HIGH}};
    for (const ClipEdge& edge : edges) {
        std::vector<Pixel> kept;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Pixel& current = polygon[i];
            const Pixel& previous = polygon[(i + polygon.size() - 1) % polygon.size()];
            const bool currentIn = inside(current, edge);
            if (currentIn != inside(previous, edge)) {
                kept.push_back(crossing(previous, current, edge));
            }
            if (currentIn) {
                kept.push_back(current);
            }
        }
        polygon.swap(kept);
        if (polygon.empty()) {
            break;
        }
    }
    return polygon;
}

// The <path> elements written so far and the one being collected:
// consecutive primitives of one look go into one path.
struct SvgPaths {
    std::string svg;
    std::string style;  // attributes of the open path, empty when none is open
    std::string data;
    std::string penAt;  // end of the last segment, as written
};

void closePath(SvgPaths& paths) {
    if (!paths.data.empty()) {
        paths.svg += "  <path " + paths.style + " d=\"" + paths.data + "\"/>\n";
    }
    paths.data.clear();
    paths.style.clear();
    paths.penAt.clear();
}

void usePathStyle(SvgPaths& paths, const std::string& style) {
    if (style != paths.style) {
        closePath(paths);
        paths.style = style;
    }
}

// A segment that starts where the previous one ended continues its subpath,
// so polylines and circles come out joined.
void addSegment(SvgPaths& paths, Pixel a, Pixel b) {
    if (!clipToWindow(a, b)) {
        return;
    }
    const std::string from = pixelText(a);
    const std::string to = pixelText(b);
    if (from == to) {
        return;  // OpenGL draws nothing for a line of no length
    }
    if (paths.data.empty() || from != paths.penAt) {
        paths.data += (paths.data.empty() ? "M" : " M") + from;
    }
    paths.data += " L" + to;
    paths.penAt = to;
}

void addPolygon(SvgPaths& paths, const std::vector<Pixel>& corners) {
    const std::vector<Pixel> clipped = clipPolygon(corners);
    if (clipped.size() < 3) {
        return;
    }
    paths.data += paths.data.empty() ? "M" : " M";
    for (std::size_t i = 0; i < clipped.size(); ++i) {
        paths.data += (i == 0 ? "" : " L") + pixelText(clipped[i]);
    }
    paths.data += " Z";
    paths.penAt.clear();
}

// One character of a legend as SVG text, XML-escaped; outside printable
// ASCII, which the legends never use, a question mark.
std::string escapedCharacter(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return std::string(1, c >= 0x20 && c <= 0x7e ? c : '?');
    }
}

// A recorded text as one <text>, each character at the pen position the
// window uses (draw/legend_font.h), which keeps the SVG's sans-serif legend
// over the window's one, whatever face the viewer substitutes. The
// bitmap Helvetica is narrow; a condensed face, where the viewer has one,
// keeps the substitute's letters within their places.
std::string textSvg(const RecordedText& text) {
    const Pixel at = windowPixel(text.position);
    std::string svg = "  <text y=\"" + pixelNumber(at.y) + "\" font-family=\"" +
                      LEGEND_FONT_FAMILY + "\" font-stretch=\"condensed\"" + " font-size=\"" +
                      std::to_string(LEGEND_FONT_PIXELS) + "\" fill=\"" +
                      colourText(text.colour, text.lighting) +
                      "\" xml:space=\"preserve\" text-rendering=\"optimizeSpeed\">";
    double x = at.x;
    for (int i = 0; i < text.length && text.text[i] != '\0'; ++i) {
        svg += "<tspan x=\"" + pixelNumber(x) + "\">" + escapedCharacter(text.text[i]) + "</tspan>";
        x += legendAdvance(text.text[i]);
    }
    svg += "</text>\n";
    return svg;
}

std::string recordingSvg(const Recorder& recorder, const std::string& description) {
    SvgPaths paths;
    const int primitives = recorder.storedPrimitiveCount();
    for (int i = 0; i < primitives; ++i) {
        const RecordedPrimitive primitive = recorder.recordedPrimitive(i);
        const std::string colour = colourText(primitive.colour, primitive.lighting);
        const int n = primitive.vertexCount;
        if (primitive.mode == SEAM_POLYGON) {
            usePathStyle(paths, "fill=\"" + colour + "\"");
            std::vector<Pixel> corners;
            for (int j = 0; j < n; ++j) {
                corners.push_back(windowPixel(recorder.recordedPrimitiveVertex(i, j)));
            }
            addPolygon(paths, corners);
            continue;
        }
        usePathStyle(paths, "fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" +
                                pixelNumber(shownLineWidth(primitive)) + "\"");
        forEachRecordedSegment(recorder, i, [&paths](const Point2& a, const Point2& b) {
            addSegment(paths, windowPixel(a), windowPixel(b));
        });
    }
    closePath(paths);

    std::string svg;
    const std::string size = std::to_string(WINDOW_PIXELS);
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + size +
           "\" height=\"" + size + "\" viewBox=\"0 0 " + size + " " + size +
           "\" shape-rendering=\"crispEdges\" stroke-linecap=\"butt\">\n";
    svg += "  <desc>" + description + "</desc>\n";
    svg += "  <rect width=\"" + size + "\" height=\"" + size + "\" fill=\"#ffffff\"/>\n";
    // Every text of a frame (a legend line or a label of the study view's
    // chart) is drawn before any figure, as the page paints it: the figure's
    // lines pass over the legend, and the chart keeps its lines off its labels.
    for (int i = 0; i < recorder.recordedTextCount(); ++i) {
        const RecordedText& text = recorder.recordedText(i);
        if (text.positionValid && text.length > 0) {
            svg += textSvg(text);
        }
    }
    svg += paths.svg;
    svg += "</svg>\n";
    return svg;
}

// A frame the recorder could not keep whole would come out with pieces
// missing. Bounded drawing keeps frames far below the recorder's capacity;
// this guards the picture should that ever change.
bool frameKept(const Recorder& recorder, std::string& error) {
    if (!recorder.overflowed()) {
        return true;
    }
    error = "at this zoom a frame holds " + std::to_string(recorder.recordedVertexCount()) +
            " vertices, more than the " + std::to_string(recorder.capacity().vertices) +
            " the recorder keeps; zoom out";
    return false;
}

// Replays the keys on a session of counts z1, z2 at shift, as a link to them
// would (session/link.h): the window's redraws move the view, and the last
// frame is recorded on recorder, which starts fresh, with its caption; false,
// with the reason in error, when it could not keep it whole. The frame
// before the last is drawn first, so that the last one starts from the
// drawing state (line width, colour) it left.
bool recordLastFrame(Recorder& recorder, int z1, int z2, double shift, const ViewKeys& keys,
                     ViewCaption& caption, std::string& error) {
    Link link;
    link.counts = std::to_string(z1) + "," + std::to_string(z2);
    link.shift = shift;
    link.hasShift = true;
    link.study = keys.study;
    link.hasStudy = true;
    link.keys.push_back(KeyRun{keys.mode, 1});
    if (keys.reverse) {
        link.keys.push_back(KeyRun{'R', 1});
    }
    if (keys.zoom != 0) {
        link.keys.push_back(KeyRun{keys.zoom > 0 ? 'W' : 'w', std::abs(keys.zoom)});
    }
    if (keys.steps > 0) {
        link.keys.push_back(KeyRun{'s', keys.steps});
    }
    Session session;
    session.start();
    SessionReply counts;
    openLink(session, link, counts);
    if (counts.action != SessionAction::OpenWindow) {
        error = "the simulator does not take the counts " + std::to_string(z1) + " " +
                std::to_string(z2);
        return false;
    }
    DrawContext dc{recorder};
    drawSessionFrame(dc, session);
    finishLink(session, link);
    drawSessionFrame(dc, session);
    caption = viewCaption(session.pair(), session.view(), session.study());
    return frameKept(recorder, error);
}

}  // namespace

ViewCaption viewCaption(const GearPair& pair, const ViewState& view, bool study) {
    return {pair.gears[0].teeth, pair.gears[1].teeth, pair.gears[0].shift,
            view.drawMode,       view.viewScale,      study};
}

std::string recordedViewSvg(const Recorder& recorder, const ViewCaption& caption) {
    return recordingSvg(
        recorder, "gearmesh window: gear pair z1 = " + std::to_string(caption.z1) + ", z2 = " +
                      std::to_string(caption.z2) + ", profile shift " + exactNumber(caption.shift) +
                      ", mode " + std::string(1, modeKeyOf(caption.mode)) + ", viewScale " +
                      exactNumber(caption.viewScale) + (caption.study ? ", study view" : ""));
}

bool viewSvg(int z1, int z2, double shift, const ViewKeys& keys, std::string& svg,
             std::string& error) {
    Recorder recorder;
    ViewCaption caption{};
    if (!recordLastFrame(recorder, z1, z2, shift, keys, caption, error)) {
        return false;
    }
    svg = recordedViewSvg(recorder, caption);
    return true;
}

bool viewJson(int z1, int z2, double shift, const ViewKeys& keys, std::string& json,
              std::string& error) {
    Recorder recorder;
    ViewCaption caption{};
    if (!recordLastFrame(recorder, z1, z2, shift, keys, caption, error)) {
        return false;
    }
    json = recordingJson(recorder);
    return true;
}

}  // namespace gearmesh
