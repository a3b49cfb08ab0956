#pragma once

namespace gearmesh {

// The texts the program shows on the console and in the window title, each
// kept once, in UTF-8. Console texts begin with a line feed and end without one.
enum class ConsoleText {
    TITLE,           // title of the dialogue
    STEP_HEADING,    // step (1): the tooth counts
    PROMPT,          // asks for z1 and z2, ends in "= "
    HELP_GEAR_KEYS,  // key help, keys 1 and 2
    HELP_MESH_KEY,   // key 3
    HELP_STEP_KEY,   // key s
    HELP_ROLL_KEYS,  // keys r and R
    HELP_ZOOM_KEYS,  // keys w and W
    HELP_SETUP_KEY,  // key z
    HELP_QUIT_KEY,   // ESC
    BAD_COUNT,       // error line on standard error: a count that is not 1..149
    INPUT_ENDED,     // standard error: the input ended before two counts were read
    WINDOW_TITLE,    // the window's title (no line feed)
    NO_DISPLAY,      // standard error: the display cannot be opened; "%s" stands for its name
    BARE_DISPLAY,    // standard error: -display ends the arguments, with no name after it
    PROGRAM_ENDED,   // the page's console: ESC has ended the program
    NEEDS_SERVER,    // the page's console: the site opened from disk cannot load its module
};

// The UTF-8 bytes of a text, NUL-terminated.
const char* utf8Text(ConsoleText text);

// What a dialogue shows before it reads the counts, in this order.
constexpr ConsoleText DIALOGUE_OPENING[] = {ConsoleText::TITLE, ConsoleText::STEP_HEADING,
                                            ConsoleText::PROMPT};
// The key help a dialogue shows once the counts are read, in this order.
constexpr ConsoleText KEY_HELP[] = {
    ConsoleText::HELP_GEAR_KEYS, ConsoleText::HELP_MESH_KEY,  ConsoleText::HELP_STEP_KEY,
    ConsoleText::HELP_ROLL_KEYS, ConsoleText::HELP_ZOOM_KEYS, ConsoleText::HELP_SETUP_KEY,
    ConsoleText::HELP_QUIT_KEY,
};

}  // namespace gearmesh
