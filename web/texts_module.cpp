// The page's second module: the text tables alone, its WebAssembly inside its
// JavaScript (texts.js), so that it loads where the page's own module cannot,
// from a page opened as a file. page.js asks it what to say there.

#include <emscripten/emscripten.h>

#include "dialogue/texts.h"

namespace {

// Language number language (0 Japanese, 1 English), Japanese for any other.
gearmesh::Language shownLanguage(int language) {
    using namespace gearmesh;
    return language >= 0 && language < LANGUAGE_COUNT ? static_cast<Language>(language)
                                                      : Language::Japanese;
}

}  // namespace

extern "C" {

// The console text saying that the page needs a web server or
// gearmesh.html, in language (shownLanguage).
EMSCRIPTEN_KEEPALIVE const char* webNeedsServerText(int language) {
    return gearmesh::utf8Text(gearmesh::ConsoleText::NEEDS_SERVER, shownLanguage(language));
}

// The page's title, the window's, in language (shownLanguage).
EMSCRIPTEN_KEEPALIVE const char* webWindowTitle(int language) {
    return gearmesh::utf8Text(gearmesh::ConsoleText::WINDOW_TITLE, shownLanguage(language));
}

}  // extern "C"
