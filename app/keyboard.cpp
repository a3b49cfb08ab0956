#include "app/keyboard.h"

#include <cstdlib>

#include "app/setup_dialogue.h"
#include "scene/display.h"
#include "scene/view_commands.h"

namespace gearmesh {

namespace {

constexpr unsigned char ESCAPE_KEY = 27;

}  // namespace

void keyboard(DrawContext& dc, unsigned char key, int, int) {
    if (key == 'z') {
        // The window keeps its picture until the next redraw; if the console
        // input has ended, the pair and the view stay as they were.
        const char previousMode = viewState.drawMode;
        viewState.drawMode = '1';
        if (!setupGearPair()) {
            viewState.drawMode = previousMode;
        }
        return;
    }
    if (key == ESCAPE_KEY) {
        std::exit(0);
    }
    // Unlisted keys do nothing, not even a redraw.
    if (applyViewKey(viewState, key)) {
        display(dc);
    }
}

}  // namespace gearmesh
