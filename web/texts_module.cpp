// The page's second module: the text tables alone, its WebAssembly inside its
// JavaScript (texts.js), so that it loads where the page's own module cannot,
// from a page opened as a file. page.js asks it what to say there.

#include <emscripten/emscripten.h>

#include "dialogue/texts.h"

extern "C" {

// The console text saying that the page needs a web server or gearmesh.html.
EMSCRIPTEN_KEEPALIVE const char* webNeedsServerText() {
    return gearmesh::utf8Text(gearmesh::ConsoleText::NEEDS_SERVER);
}

// The page's title, the window's.
EMSCRIPTEN_KEEPALIVE const char* webWindowTitle() {
    return gearmesh::utf8Text(gearmesh::ConsoleText::WINDOW_TITLE);
}

}  // extern "C"
