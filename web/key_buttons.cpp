#include "web/key_buttons.h"

namespace gearmesh {

const KeyButton KEY_BUTTONS[KEY_BUTTON_COUNT] = {
    {'1', "1 drive"},      {'2', "2 driven"},  {'3', "3 mesh"},     {'s', "s step"},
    {'r', "r forward"},    {'R', "R reverse"}, {'w', "w zoom out"}, {'W', "W zoom in"},
    {'z', "z new counts"}, {27, "Esc quit"},
};

}  // namespace gearmesh
