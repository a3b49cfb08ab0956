// The page's entry points: the functions page.js calls, and the calls back
// into page.js (Module.page) that show text, hand over focus and paint.
// The dialogue, the key logic and every frame are the simulator's own.

#include <emscripten/emscripten.h>

#include "draw/bounds.h"
#include "draw/recorder.h"
#include "geometry/console_text.h"
#include "geometry/gear_pair.h"
#include "scene/display.h"
#include "scene/view_commands.h"
#include "web/canvas_frame.h"
#include "web/key_buttons.h"
#include "web/line_dialogue.h"

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

namespace {

// What the page is doing: the dialogue asks for counts, the keys drive the
// drawing, or the program has ended (Escape) and only a reload starts it again.
enum class PageState { ASKING, RUNNING, ENDED };

constexpr int ESCAPE_KEY = 27;
// Bytes of one typed line, its NUL included; longer lines come cut.
constexpr int LINE_CAPACITY = 4096;

// Shown when Escape ends the program.
constexpr const char* PROGRAM_ENDED_TEXT = "\nプログラムを終了しました";

PageState pageState = PageState::ASKING;
bool windowShown = false;
CountsInput countsInput;
char lineBuffer[LINE_CAPACITY];
CanvasFrame canvasFrame;

void write(ConsoleText text) {
    pageWrite(utf8Text(text), 0);
}

void ask() {
    write(ConsoleText::TITLE);
    write(ConsoleText::STEP_HEADING);
    write(ConsoleText::PROMPT);
    countsInput = CountsInput{};
    pageState = PageState::ASKING;
    pageAsk();
}

// The window's redraw: one frame of display() through the recorder, painted.
void redraw() {
    display();
    buildCanvasFrame(canvasFrame);
    if (canvasFrame.overflowed) {
        pageWarn("gearmesh: this frame holds more than the canvas keeps; parts are missing");
    }
    pagePaint();
}

void acceptCounts() {
    computeGearPair(countsInput.counts[0], countsInput.counts[1]);
    resetView();
    write(ConsoleText::HELP_GEAR_KEYS);
    write(ConsoleText::HELP_MESH_KEY);
    write(ConsoleText::HELP_STEP_KEY);
    write(ConsoleText::HELP_ROLL_KEYS);
    write(ConsoleText::HELP_ZOOM_KEYS);
    write(ConsoleText::HELP_SETUP_KEY);
    write(ConsoleText::HELP_QUIT_KEY);
    pageState = PageState::RUNNING;
    pageRun();
    // The window draws its first frame when it opens; after 'z' it keeps
    // its picture until the next key.
    if (!windowShown) {
        windowShown = true;
        redraw();
    }
}

}  // namespace

extern "C" {

// Starts the program: the page's title, then the dialogue's first prompt.
EMSCRIPTEN_KEEPALIVE void webStart() {
    pageSetTitle(utf8Text(ConsoleText::WINDOW_TITLE));
    viewState.drawMode = '1';
    startRecording();
    // The canvas gets what the window gets: only what can reach it.
    setBoundedDrawing(true);
    ask();
}

// Where the page writes a typed line (UTF-8, NUL-terminated) before webSubmitLine.
EMSCRIPTEN_KEEPALIVE char* webLineBuffer() {
    return lineBuffer;
}

EMSCRIPTEN_KEEPALIVE int webLineCapacity() {
    return LINE_CAPACITY;
}

// Reads the line in the line buffer as the console reads a line of input.
// Ignored unless the dialogue is asking.
EMSCRIPTEN_KEEPALIVE void webSubmitLine() {
    if (pageState != PageState::ASKING) {
        return;
    }
    lineBuffer[LINE_CAPACITY - 1] = '\0';
    switch (readCountsLine(countsInput, lineBuffer)) {
    case LineOutcome::WAITING:
        break;
    case LineOutcome::BAD:
        pageWrite(utf8Text(ConsoleText::BAD_COUNT), 1);
        write(ConsoleText::PROMPT);
        break;
    case LineOutcome::COMPLETE:
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
        pageWrite(PROGRAM_ENDED_TEXT, 0);
        pageEnded();
        return 1;
    }
    if (!applyViewKey(static_cast<unsigned char>(key))) {
        return 0;
    }
    redraw();
    return 1;
}

// The frame to paint (web/canvas_frame.h): its items, points and glyphs.
EMSCRIPTEN_KEEPALIVE const CanvasItem* webFrameItems() {
    return canvasFrame.items;
}

// Doubles per item.
EMSCRIPTEN_KEEPALIVE int webFrameItemStride() {
    return sizeof(CanvasItem) / sizeof(double);
}

EMSCRIPTEN_KEEPALIVE int webFrameItemCount() {
    return canvasFrame.itemCount;
}

EMSCRIPTEN_KEEPALIVE const double* webFramePoints() {
    return canvasFrame.points;
}

EMSCRIPTEN_KEEPALIVE const CanvasGlyph* webFrameGlyphs() {
    return canvasFrame.glyphs;
}

// Vertices the scene handed the drawing target for the last frame.
EMSCRIPTEN_KEEPALIVE int webFrameVertexCount() {
    return static_cast<int>(recordedVertexCount());
}

// How the canvas paints: font, line join, line cap (CSS values).
EMSCRIPTEN_KEEPALIVE const char* webCanvasFont() {
    return CANVAS_FONT;
}

EMSCRIPTEN_KEEPALIVE const char* webCanvasLineJoin() {
    return CANVAS_LINE_JOIN;
}

EMSCRIPTEN_KEEPALIVE const char* webCanvasLineCap() {
    return CANVAS_LINE_CAP;
}

EMSCRIPTEN_KEEPALIVE int webCanvasPixels() {
    return CANVAS_PIXELS;
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
