#include "web/key_buttons.h"

namespace gearmesh {

// clang-format off
const KeyButton KEY_BUTTONS[KEY_BUTTON_COUNT] = {
    {'1', "1 drive"},      {'2', "2 driven"},  {'3', "3 mesh"},     {'s', "s step"},
    {'r', "r forward"},    {'R', "R reverse"}, {'w', "w zoom out"}, {'W', "W zoom in"},
    {'z', "z new counts"}, {27, "Esc quit"},
    {STUDY_TOGGLE, "study view"}, {'x', "x shift \u22120.1"}, {'X', "X shift +0.1"},
};
// clang-format on

}  // namespace gearmesh
