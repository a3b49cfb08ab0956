// The page's entry points: the functions page.js calls, and the calls back
// into page.js (Module.page) that show text and labels, hand over focus,
// paint and save files.
// The program itself is the core (session/session.h); this file only turns
// the page's events into the core's and presents its answers.

#include <emscripten/emscripten.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogue/texts.h"
#include "draw/recording_json.h"
#include "draw/window_pixels.h"
#include "session/link.h"
#include "session/session.h"
#include "web/canvas_target.h"
#include "web/downloads.h"
#include "web/key_buttons.h"

// clang-format off
EM_JS(void, pageWrite, (const char* utf8, int error), {
    Module.page.write(UTF8ToString(utf8), error !== 0);
});
EM_JS(void, pageSetTitle, (const char* utf8), {
    Module.page.setTitle(UTF8ToString(utf8));
});
EM_JS(void, pageSetLanguage, (const char* code), {
    Module.page.setLanguage(UTF8ToString(code));
});
EM_JS(void, pageLabel, (const char* elementId, const char* utf8), {
    Module.page.label(UTF8ToString(elementId), UTF8ToString(utf8));
});
EM_JS(void, pageButtonLabel, (int button, const char* utf8), {
    Module.page.buttonLabel(button, UTF8ToString(utf8));
});
EM_JS(void, pageEcho, (const char* utf8), {
    Module.page.echo(UTF8ToString(utf8));
});
EM_JS(void, pageSetLink, (const char* fragment), {
    Module.page.setLink(UTF8ToString(fragment));
});
EM_JS(void, pageDownloadLabel, (int button, const char* utf8), {
    Module.page.downloadLabel(button, UTF8ToString(utf8));
});
EM_JS(void, pageOfferDownloads, (), { Module.page.offerDownloads(); });
EM_JS(void, pageSave, (const char* name, const char* type, const char* text), {
    Module.page.save(UTF8ToString(name), UTF8ToString(type), UTF8ToString(text));
});
EM_JS(void, pageAsk, (), { Module.page.ask(); });
EM_JS(void, pageRun, (), { Module.page.run(); });
EM_JS(void, pagePaint, (), { Module.page.paint(); });
EM_JS(void, pageEnded, (), { Module.page.ended(); });
EM_JS(void, pageWarn, (const char* utf8), { console.warn(UTF8ToString(utf8)); });
// clang-format on

namespace gearmesh {

namespace {

// The end of every frame (web/canvas_target.h): the page paints it.
void paintFrame(const CanvasFrame& frame) {
    if (frame.overflowed) {
        pageWarn("gearmesh: this frame holds more than the canvas keeps; parts are missing");
    }
    pagePaint();
}

// An element of index.html that shows a text of the page's language.
struct PageLabel {
    const char* elementId;
    PageText text;
};

// The elements whose text follows the language, beside the key buttons.
constexpr PageLabel PAGE_LABELS[] = {
    {"language-label", PageText::LANGUAGE_SWITCH},
    {"drawing-hint", PageText::DRAWING_HINT},
    {"copy-link", PageText::COPY_LINK},
};

// What the page says when its link cannot be read.
ConsoleText linkProblemText(LinkProblem problem) {
    switch (problem) {
    case LinkProblem::BadCounts:
        return ConsoleText::LINK_BAD_COUNTS;
    case LinkProblem::UnknownKey:
        return ConsoleText::LINK_UNKNOWN_KEY;
    case LinkProblem::TooManyPresses:
        return ConsoleText::LINK_TOO_MANY_PRESSES;
    case LinkProblem::BadShift:
        return ConsoleText::LINK_BAD_SHIFT;
    case LinkProblem::BadStudy:
        return ConsoleText::LINK_BAD_STUDY;
    case LinkProblem::BadLanguage:
        return ConsoleText::LINK_BAD_LANGUAGE;
    case LinkProblem::None:
    case LinkProblem::UnknownPart:
        break;
    }
    return ConsoleText::LINK_UNKNOWN_PART;
}

}  // namespace

// One page's program: the core, what it draws on, and the buffers through
// which page.js hands over typed lines and reads text back. webCreate makes
// it and hands page.js its address, which page.js passes to every call.
struct WebPage {
    WebPage() : canvas(paintFrame) {
    }
    Session session;
    // The console's texts and the page's labels are in this language.
    Language language = Language::Japanese;
    CanvasTarget canvas;
    DrawContext dc{canvas.target()};
    // The keys that took effect since the counts, for the page's link, which
    // is written once the page has started from the link it was opened with.
    KeyLog keyLog;
    bool started = false;
    // The line being read; it grows to the longest line typed.
    std::vector<char> lineBuffer = std::vector<char>(256);
    // Texts handed to page.js, valid until the next call that fills them.
    std::string frameJson;
    std::string font = canvasFont();
    // What the last frame showed, for its picture's description.
    ViewCaption frameCaption{};
};

namespace {

// Shows the texts the core answered on the console panel.
void presentTexts(const WebPage& page, const SessionReply& reply) {
    for (int i = 0; i < reply.textCount; ++i) {
        const SessionText& t = reply.texts[i];
        pageWrite(utf8Text(t.text, page.language), t.stream == TextStream::Err ? 1 : 0);
    }
}

// Shows the page's title and labels in its language.
void presentLabels(const WebPage& page) {
    pageSetLanguage(languageCode(page.language));
    pageSetTitle(utf8Text(ConsoleText::WINDOW_TITLE, page.language));
    for (const PageLabel& label : PAGE_LABELS) {
        pageLabel(label.elementId, utf8Text(label.text, page.language));
    }
    for (int i = 0; i < KEY_BUTTON_COUNT; ++i) {
        pageButtonLabel(i, utf8Text(KEY_BUTTONS[i].label, page.language));
    }
    for (int i = 0; i < DOWNLOAD_BUTTON_COUNT; ++i) {
        pageDownloadLabel(i, utf8Text(DOWNLOAD_BUTTONS[i].label, page.language));
    }
}

// The address's fragment becomes the link to what the page shows now.
void showLink(const WebPage& page) {
    Link link = page.keyLog.link(page.session);
    link.language = languageCode(page.language);
    pageSetLink(linkFragment(link).c_str());
}

// Keeps what the picture's download and the page's link say of the frame on
// the canvas: taken when it is drawn, as after 'z' and new counts the picture
// stays until the next key.
void noteShownFrame(WebPage& page) {
    page.frameCaption = viewCaption(page.session.pair(), page.session.view(), page.session.study());
    showLink(page);
}

// Draws the session's frame on the canvas and notes what it shows.
void drawPageFrame(WebPage& page) {
    drawSessionFrame(page.dc, page.session);
    noteShownFrame(page);
}

// Does what the core asks of the page once its texts are shown.
void presentAction(WebPage& page, const SessionReply& reply) {
    switch (reply.action) {
    case SessionAction::Nothing:
        break;
    case SessionAction::AskLine:
        pageAsk();
        break;
    case SessionAction::OpenWindow:
        // The drawing has been on the page all along: it shows its first
        // frame, as a window does when it opens.
        presentAction(page, page.session.redraw());
        break;
    case SessionAction::DrawFrame:
        drawPageFrame(page);
        break;
    case SessionAction::End:
        // A page cannot close itself: it says so, and only a reload starts
        // the program again.
        pageWrite(utf8Text(ConsoleText::PROGRAM_ENDED, page.language), 0);
        pageEnded();
        break;
    }
}

void present(WebPage& page, const SessionReply& reply) {
    presentTexts(page, reply);
    presentAction(page, reply);
}

// Sets the page's language: the title and the labels change at once, the
// console's texts from the next one on (those shown stay as they are).
void setPageLanguage(WebPage& page, Language language) {
    page.language = language;
    presentLabels(page);
    if (page.started) {
        showLink(page);
    }
}

// Starts the page from its link: the link's language (else the one set
// before), the dialogue's opening, then the counts, shift, keys and study
// view the link holds, replayed without drawing, and the frame they draw.
// A link that cannot be read starts the page as usual, after one line
// saying why.
void startFromLink(WebPage& page, const std::string& fragment) {
    Link link;
    const LinkProblem problem = readLink(fragment, link);
    if (problem == LinkProblem::None) {
        Language language;
        if (languageOfCode(link.language.c_str(), language)) {
            page.language = language;
        }
    }
    page.started = true;
    presentLabels(page);
    if (problem != LinkProblem::None) {
        pageWrite(utf8Text(linkProblemText(problem), page.language), 1);
        link = Link{};
    }
    presentTexts(page, page.session.start());
    SessionReply counts;
    openLink(page.session, link, counts);
    if (counts.action != SessionAction::OpenWindow) {
        showLink(page);
        pageAsk();
        return;
    }
    // As if typed: the counts on the console, the key help, the drawing takes the keys.
    pageEcho(link.counts.c_str());
    presentTexts(page, counts);
    pageRun();
    pageOfferDownloads();
    page.keyLog.countsEntered(link.hasShift ? link.shift : 0.0, link.keys);
    // The frame before the link's own, then the link's: it starts from the
    // drawing state the one before it leaves, as in the window.
    drawSessionFrame(page.dc, page.session);
    if (finishLink(page.session, link).action == SessionAction::DrawFrame) {
        drawSessionFrame(page.dc, page.session);
    }
    noteShownFrame(page);
}

}  // namespace

}  // namespace gearmesh

using gearmesh::WebPage;

extern "C" {

// The page's program, in Japanese, not yet started; every other call takes it.
EMSCRIPTEN_KEEPALIVE WebPage* webCreate() {
    return new WebPage;
}

// Starts the program from the link the page was opened with (the address's
// fragment, UTF-8, "" for none; session/link.h): the page's title and
// labels, the dialogue's first prompt, in the link's language or else the
// one set by then, and whatever the link replays.
EMSCRIPTEN_KEEPALIVE void webStart(WebPage* page, const char* fragment) {
    gearmesh::startFromLink(*page, fragment != nullptr ? fragment : "");
}

// Each language's own name ("日本語", "English"), by its number
// (web/language_exports.cpp); "" beyond the last.
EMSCRIPTEN_KEEPALIVE const char* webLanguageName(int language) {
    using namespace gearmesh;
    return language >= 0 && language < LANGUAGE_COUNT
               ? utf8Text(PageText::LANGUAGE_NAME, static_cast<Language>(language))
               : "";
}

// Sets the page's language (0 Japanese, 1 English), before the start or at
// any time after it: the title and the labels at once, the console's texts
// from the next one on. Returns 1, or 0, changing nothing, for no language.
EMSCRIPTEN_KEEPALIVE int webSetLanguage(WebPage* page, int language) {
    using namespace gearmesh;
    if (language < 0 || language >= LANGUAGE_COUNT) {
        return 0;
    }
    setPageLanguage(*page, static_cast<Language>(language));
    return 1;
}

// Room for a typed line of bytes bytes of UTF-8 and its NUL, where the page
// writes it before webSubmitLine.
EMSCRIPTEN_KEEPALIVE char* webLineBuffer(WebPage* page, int bytes) {
    const std::size_t room = static_cast<std::size_t>(std::max(bytes, 0)) + 1;
    if (page->lineBuffer.size() < room) {
        page->lineBuffer.resize(room);
    }
    return page->lineBuffer.data();
}

// Reads the first bytes bytes of the line buffer as the console reads a line
// of input. Ignored unless the dialogue is asking.
EMSCRIPTEN_KEEPALIVE void webSubmitLine(WebPage* page, int bytes) {
    using namespace gearmesh;
    const std::size_t length =
        std::min(static_cast<std::size_t>(std::max(bytes, 0)), page->lineBuffer.size() - 1);
    const bool asking = page->session.phase() == SessionPhase::Asking;
    const bool hadPair = page->session.hasPair();
    const SessionReply reply = page->session.typedLine(page->lineBuffer.data(), length);
    presentTexts(*page, reply);
    if (asking && page->session.phase() == SessionPhase::Running) {
        // The counts are in: the input line closes and the drawing takes the keys.
        page->keyLog.countsEntered(page->session.shift());
        pageRun();
    }
    presentAction(*page, reply);
    if (!hadPair && page->session.hasPair()) {
        pageOfferDownloads();
    }
}

// One key pressed in the drawing: a character code, or 27 for Escape.
// Returns 1 when the key is one of the program's, 0 when it does nothing
// (any key while the dialogue asks or after the end).
EMSCRIPTEN_KEEPALIVE int webKey(WebPage* page, int key) {
    using namespace gearmesh;
    const SessionReply reply = page->session.key(key);
    if (reply.action == SessionAction::DrawFrame) {
        page->keyLog.pressed(static_cast<char>(key), page->session);
    }
    present(*page, reply);
    return reply.action != SessionAction::Nothing || reply.textCount > 0 ? 1 : 0;
}

// The frame to paint (web/canvas_frame.h): its items, points and glyphs.
EMSCRIPTEN_KEEPALIVE const gearmesh::CanvasItem* webFrameItems(WebPage* page) {
    return page->canvas.lastFrame().items;
}

// Doubles per item.
EMSCRIPTEN_KEEPALIVE int webFrameItemStride() {
    return sizeof(gearmesh::CanvasItem) / sizeof(double);
}

EMSCRIPTEN_KEEPALIVE int webFrameItemCount(WebPage* page) {
    return page->canvas.lastFrame().itemCount;
}

EMSCRIPTEN_KEEPALIVE const double* webFramePoints(WebPage* page) {
    return page->canvas.lastFrame().points;
}

EMSCRIPTEN_KEEPALIVE const gearmesh::CanvasGlyph* webFrameGlyphs(WebPage* page) {
    return page->canvas.lastFrame().glyphs;
}

// The last frame as the recorder holds it (draw/recording_json.h), for
// comparing it with gearpair view's; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* webFrameJson(WebPage* page) {
    page->frameJson = gearmesh::recordingJson(page->canvas.recorder());
    return page->frameJson.c_str();
}

// Vertices the scene handed the drawing target for the last frame.
EMSCRIPTEN_KEEPALIVE int webFrameVertexCount(WebPage* page) {
    return static_cast<int>(page->canvas.recorder().recordedVertexCount());
}

// How the canvas paints: font, line join, line cap (CSS values).
EMSCRIPTEN_KEEPALIVE const char* webCanvasFont(WebPage* page) {
    return page->font.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* webCanvasLineJoin() {
    return gearmesh::CANVAS_LINE_JOIN;
}

EMSCRIPTEN_KEEPALIVE const char* webCanvasLineCap() {
    return gearmesh::CANVAS_LINE_CAP;
}

EMSCRIPTEN_KEEPALIVE int webCanvasPixels() {
    return gearmesh::WINDOW_PIXELS;
}

// The download buttons (web/downloads.h); their labels come with the page's
// language (Module.page.downloadLabel).
EMSCRIPTEN_KEEPALIVE int webDownloadCount() {
    return gearmesh::DOWNLOAD_BUTTON_COUNT;
}

// Saves the file of download button i for the pair on screen through the
// page; where the rack cannot cut a gear of the pair, writes gearpair's
// reason on the console instead. Returns 1 when a file was saved; 0 before
// the first counts, for a refused gear or an unknown button.
EMSCRIPTEN_KEEPALIVE int webDownload(WebPage* page, int i) {
    using namespace gearmesh;
    if (i < 0 || i >= DOWNLOAD_BUTTON_COUNT || !page->session.hasPair()) {
        return 0;
    }
    const DownloadKind kind = DOWNLOAD_BUTTONS[i].kind;
    DownloadFile file;
    if (kind == DownloadKind::PictureSvg) {
        file = pictureDownload(page->canvas.recorder(), page->frameCaption);
    } else {
        std::string error;
        if (!outlineDownload(page->session.pair(), kind, file, error)) {
            // A console line of its own, as the console's texts begin.
            pageWrite(("\n" + error).c_str(), 1);
            return 0;
        }
    }
    pageSave(file.name.c_str(), file.type, file.text.c_str());
    return 1;
}

// The buttons under the drawing (web/key_buttons.h); their labels come
// with the page's language (Module.page.buttonLabel).
EMSCRIPTEN_KEEPALIVE int webButtonCount() {
    return gearmesh::KEY_BUTTON_COUNT;
}

EMSCRIPTEN_KEEPALIVE int webButtonKey(int i) {
    using namespace gearmesh;
    return i >= 0 && i < KEY_BUTTON_COUNT ? KEY_BUTTONS[i].key : -1;
}

// 1 when button i is the study view's toggle rather than a key.
EMSCRIPTEN_KEEPALIVE int webButtonToggles(int i) {
    using namespace gearmesh;
    return i >= 0 && i < KEY_BUTTON_COUNT && KEY_BUTTONS[i].key == STUDY_TOGGLE ? 1 : 0;
}

// 1 when button i's key works only in the study view (the shift keys).
EMSCRIPTEN_KEEPALIVE int webButtonNeedsStudy(int i) {
    using namespace gearmesh;
    return i >= 0 && i < KEY_BUTTON_COUNT && isShiftKey(KEY_BUTTONS[i].key) ? 1 : 0;
}

// Turns the study view on (on = 1) or off (0); running, the same frame is
// painted again, without a mesh step. Returns whether it is on.
EMSCRIPTEN_KEEPALIVE int webSetStudy(WebPage* page, int on) {
    gearmesh::present(*page, page->session.setStudy(on != 0));
    return page->session.study() ? 1 : 0;
}

// The link button says it has copied the link (copied = 1), or shows its
// own label again (0).
EMSCRIPTEN_KEEPALIVE void webLinkCopied(WebPage* page, int copied) {
    using namespace gearmesh;
    pageLabel("copy-link",
              utf8Text(copied != 0 ? PageText::LINK_COPIED : PageText::COPY_LINK, page->language));
}

// 1 while the study view is on.
EMSCRIPTEN_KEEPALIVE int webStudy(WebPage* page) {
    return page->session.study() ? 1 : 0;
}

}  // extern "C"
