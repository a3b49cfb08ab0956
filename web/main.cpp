// The page's entry points: the functions page.js calls, and the calls back
// into page.js (Module.page) that show text, hand over focus and paint.
// The dialogue, the key logic and every frame are the simulator's own.

#include <emscripten/emscripten.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "dialogue/count_reading.h"
#include "dialogue/texts.h"
#include "draw/recording_json.h"
#include "draw/window_pixels.h"
#include "scene/display.h"
#include "scene/program_state.h"
#include "scene/view_commands.h"
#include "web/canvas_target.h"
#include "web/key_buttons.h"

// clang-format off
EM_JS(void, pageWrite, (const char* utf8, int error), {
    Module.page.write(UTF8ToString(utf8), error !== 0);
});
EM_JS(void, pageSetTitle, (const char* utf8), {
    Module.page.setTitle(UTF8ToString(utf8));
});
EM_JS(void, pageAsk, (), { Module.page.ask(); });
EM_JS(void, pageRun, (), { Module.page.run(); });
EM_JS(void, pagePaint, (), { Module.page.paint(); });
EM_JS(void, pageEnded, (), { Module.page.ended(); });
EM_JS(void, pageWarn, (const char* utf8), { console.warn(UTF8ToString(utf8)); });
// clang-format on

namespace gearmesh {

namespace {

// What the page is doing: the dialogue asks for counts, the keys drive the
// drawing, or the program has ended (Escape) and only a reload starts it again.
enum class PageState { ASKING, RUNNING, ENDED };

constexpr int ESCAPE_KEY = 27;

PageState pageState = PageState::ASKING;
bool windowShown = false;
CountReading countReading;
// The line being read; it grows to the longest line typed.
std::vector<char> lineBuffer(256);

void write(ConsoleText text) {
    pageWrite(utf8Text(text), 0);
}

void ask() {
    for (const ConsoleText text : DIALOGUE_OPENING) {
        write(text);
    }
    countReading = CountReading{};
    pageState = PageState::ASKING;
    pageAsk();
}

// The end of every frame (web/canvas_target.h): the page paints it.
void paintFrame(const CanvasFrame& frame) {
    if (frame.overflowed) {
        pageWarn("gearmesh: this frame holds more than the canvas keeps; parts are missing");
    }
    pagePaint();
}

// What the page draws with: the canvas target and the context drawing on it,
// made once, when the program starts.
struct PageDrawing {
    PageDrawing() : canvas(paintFrame) {
    }
    CanvasTarget canvas;
    DrawContext dc{canvas.target()};
};
std::unique_ptr<PageDrawing> pageDrawing;

void acceptCounts() {
    computeGearPair(gearPair, countReading.counts[0], countReading.counts[1]);
    resetView(viewState, gearPair);
    for (const ConsoleText text : KEY_HELP) {
        write(text);
    }
    pageState = PageState::RUNNING;
    pageRun();
    // The window draws its first frame when it opens; after 'z' it keeps
    // its picture until the next key.
    if (!windowShown) {
        windowShown = true;
        display(pageDrawing->dc);
    }
}

}  // namespace

}  // namespace gearmesh

using namespace gearmesh;

extern "C" {

// Starts the program: the page's title, then the dialogue's first prompt.
EMSCRIPTEN_KEEPALIVE void webStart() {
    pageSetTitle(utf8Text(ConsoleText::WINDOW_TITLE));
    viewState.drawMode = '1';
    if (!pageDrawing) {
        pageDrawing.reset(new PageDrawing);
    }
    ask();
}

// Room for a typed line of bytes bytes of UTF-8 and its NUL, where the page
// writes it before webSubmitLine.
EMSCRIPTEN_KEEPALIVE char* webLineBuffer(int bytes) {
    const std::size_t room = static_cast<std::size_t>(std::max(bytes, 0)) + 1;
    if (lineBuffer.size() < room) {
        lineBuffer.resize(room);
    }
    return lineBuffer.data();
}

// Reads the first bytes bytes of the line buffer as the console reads a line
// of input. Ignored unless the dialogue is asking.
EMSCRIPTEN_KEEPALIVE void webSubmitLine(int bytes) {
    if (pageState != PageState::ASKING) {
        return;
    }
    const std::size_t length =
        std::min(static_cast<std::size_t>(std::max(bytes, 0)), lineBuffer.size() - 1);
    switch (readCountLine(countReading, lineBuffer.data(), length)) {
    case LineResult::MORE:
        break;
    case LineResult::BAD_COUNT:
        pageWrite(utf8Text(ConsoleText::BAD_COUNT), 1);
        write(ConsoleText::PROMPT);
        break;
    case LineResult::COMPLETE:
        acceptCounts();
        break;
    }
}

// One key pressed in the drawing: a character code, or 27 for Escape.
// Returns 1 when the key is one of the program's, 0 when it does nothing
// (any key while the dialogue asks or after the end).
EMSCRIPTEN_KEEPALIVE int webKey(int key) {
    if (pageState != PageState::RUNNING || key < 0 || key > 255) {
        return 0;
    }
    if (key == 'z') {
        viewState.drawMode = '1';
        ask();
        return 1;
    }
    if (key == ESCAPE_KEY) {
        pageState = PageState::ENDED;
        write(ConsoleText::PROGRAM_ENDED);
        pageEnded();
        return 1;
    }
    // Unlisted keys do nothing, not even a redraw.
    if (!applyViewKey(viewState, static_cast<unsigned char>(key))) {
        return 0;
    }
    display(pageDrawing->dc);
    return 1;
}

// The frame to paint (web/canvas_frame.h): its items, points and glyphs.
EMSCRIPTEN_KEEPALIVE const CanvasItem* webFrameItems() {
    return pageDrawing->canvas.lastFrame().items;
}

// Doubles per item.
EMSCRIPTEN_KEEPALIVE int webFrameItemStride() {
    return sizeof(CanvasItem) / sizeof(double);
}

EMSCRIPTEN_KEEPALIVE int webFrameItemCount() {
    return pageDrawing->canvas.lastFrame().itemCount;
}

EMSCRIPTEN_KEEPALIVE const double* webFramePoints() {
    return pageDrawing->canvas.lastFrame().points;
}

EMSCRIPTEN_KEEPALIVE const CanvasGlyph* webFrameGlyphs() {
    return pageDrawing->canvas.lastFrame().glyphs;
}

// The last frame as the recorder holds it (draw/recording_json.h), for
// comparing it with gearpair view's; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* webFrameJson() {
    static std::string json;
    json = recordingJson(pageDrawing->canvas.recorder());
    return json.c_str();
}

// Vertices the scene handed the drawing target for the last frame.
EMSCRIPTEN_KEEPALIVE int webFrameVertexCount() {
    return static_cast<int>(pageDrawing->canvas.recorder().recordedVertexCount());
}

// How the canvas paints: font, line join, line cap (CSS values).
EMSCRIPTEN_KEEPALIVE const char* webCanvasFont() {
    static const std::string font = canvasFont();
    return font.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* webCanvasLineJoin() {
    return CANVAS_LINE_JOIN;
}

EMSCRIPTEN_KEEPALIVE const char* webCanvasLineCap() {
    return CANVAS_LINE_CAP;
}

EMSCRIPTEN_KEEPALIVE int webCanvasPixels() {
    return WINDOW_PIXELS;
}

// The buttons under the drawing (web/key_buttons.h).
EMSCRIPTEN_KEEPALIVE int webButtonCount() {
    return KEY_BUTTON_COUNT;
}

EMSCRIPTEN_KEEPALIVE int webButtonKey(int i) {
    return i >= 0 && i < KEY_BUTTON_COUNT ? KEY_BUTTONS[i].key : -1;
}

EMSCRIPTEN_KEEPALIVE const char* webButtonLabel(int i) {
    return i >= 0 && i < KEY_BUTTON_COUNT ? KEY_BUTTONS[i].label : "";
}

}  // extern "C"
