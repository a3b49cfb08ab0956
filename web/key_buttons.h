#pragma once

#include "dialogue/texts.h"

namespace gearmesh {

// The row of buttons under the drawing: one per key of the window, so that
// a screen without a keyboard reaches every command, and the study view's
// toggle.
struct KeyButton {
    int key;         // the key it presses: a character, 27 for Escape, or STUDY_TOGGLE
    PageText label;  // the key and a short word (dialogue/texts.h); the toggle's says what it shows
};

// Not a key: the button that turns the study view on and off.
constexpr int STUDY_TOGGLE = -2;

constexpr int KEY_BUTTON_COUNT = 13;

// The buttons, left to right.
extern const KeyButton KEY_BUTTONS[KEY_BUTTON_COUNT];

}  // namespace gearmesh
