#pragma once

#include "dialogue/texts.h"

namespace gearmesh {

// The row of buttons under the drawing: one per key of the window, so that
// a screen without a keyboard reaches every command.
struct KeyButton {
    int key;         // the key it presses: a character, or 27 for Escape
    PageText label;  // the key and a short word (dialogue/texts.h)
};

constexpr int KEY_BUTTON_COUNT = 10;

// The buttons, left to right.
extern const KeyButton KEY_BUTTONS[KEY_BUTTON_COUNT];

}  // namespace gearmesh
