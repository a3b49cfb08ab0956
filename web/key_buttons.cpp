#include "web/key_buttons.h"

namespace gearmesh {

const KeyButton KEY_BUTTONS[KEY_BUTTON_COUNT] = {
    {'1', PageText::KEY_DRIVE},    {'2', PageText::KEY_DRIVEN},  {'3', PageText::KEY_MESH},
    {'s', PageText::KEY_STEP},     {'r', PageText::KEY_FORWARD}, {'R', PageText::KEY_REVERSE},
    {'w', PageText::KEY_ZOOM_OUT}, {'W', PageText::KEY_ZOOM_IN}, {'z', PageText::KEY_NEW_COUNTS},
    {27, PageText::KEY_QUIT},
};

}  // namespace gearmesh
