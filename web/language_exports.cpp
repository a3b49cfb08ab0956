// The languages as both of the page's modules give them to page.js, the
// page's own (web/main.cpp) and the text tables alone (web/texts_module.cpp).

#include <emscripten/emscripten.h>

#include "dialogue/texts.h"

extern "C" {

// The number of languages, in the order of gearmesh::Language (0 Japanese, 1 English).
EMSCRIPTEN_KEEPALIVE int webLanguageCount() {
    return gearmesh::LANGUAGE_COUNT;
}

// Language number language's code ("ja", "en"); "" beyond the last.
EMSCRIPTEN_KEEPALIVE const char* webLanguageCode(int language) {
    using namespace gearmesh;
    return language >= 0 && language < LANGUAGE_COUNT
               ? languageCode(static_cast<Language>(language))
               : "";
}

}  // extern "C"
