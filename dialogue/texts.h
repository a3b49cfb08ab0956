#pragma once

// Every text the program shows, in every language it speaks: the console's
// texts and the window title (ConsoleText) and the page's own labels
// (PageText), in UTF-8, one table per language in texts.cpp. A new text is
// its identifier here and one line in each language's table; the compiler
// refuses a table that lacks a text or holds one twice.

namespace gearmesh {

// The languages, Japanese first: the one the program speaks unless told.
enum class Language { Japanese, English };

constexpr int LANGUAGE_COUNT = 2;

// The texts the program shows on the console and in the window title, each
// kept once per language. Console texts begin with a line feed and end
// without one unless said otherwise.
enum class ConsoleText {
    TITLE,             // title of the dialogue
    STEP_HEADING,      // step (1): the tooth counts
    PROMPT,            // asks for z1 and z2, ends in "z1 z2= "
    HELP_GEAR_KEYS,    // key help, keys 1 and 2
    HELP_MESH_KEY,     // key 3
    HELP_STEP_KEY,     // key s
    HELP_ROLL_KEYS,    // keys r and R
    HELP_ZOOM_KEYS,    // keys w and W
    HELP_SETUP_KEY,    // key z
    HELP_QUIT_KEY,     // ESC
    BAD_COUNT,         // error line on standard error: a count that is not 1..149
    INPUT_ENDED,       // standard error: the input ended before two counts were read
    WINDOW_TITLE,      // the window's title (no line feed)
    NO_DISPLAY,        // standard error: the display cannot be opened; "%s" stands for its name
    BARE_DISPLAY,      // standard error: -display ends the arguments, with no name after it
    PROGRAM_ENDED,     // the page's console: ESC has ended the program
    UNKNOWN_LANGUAGE,  // standard error: --lang names no language, "%s"; no line feeds,
                       // as every language's text goes on one line
    // The page's console, on the error side, when the page's link cannot be
    // read (the page then starts as usual); each ends with a line feed.
    LINK_BAD_COUNTS,        // z= is not two counts from 1 to 149
    LINK_UNKNOWN_KEY,       // keys= holds a key a link does not replay
    LINK_TOO_MANY_PRESSES,  // keys= adds up to more than 100,000 presses
    LINK_BAD_SHIFT,         // shift= is not a number from -1 to 1
    LINK_BAD_STUDY,         // study= is neither 0 nor 1
    LINK_BAD_LANGUAGE,      // lang= is neither ja nor en
    LINK_UNKNOWN_PART,      // a part other than z, keys, shift, study, lang
    NEEDS_SERVER,           // the page's console: the site opened from disk cannot load its module
};

constexpr int CONSOLE_TEXT_COUNT = static_cast<int>(ConsoleText::NEEDS_SERVER) + 1;

// The page's own labels: the buttons under the drawing, each key's starting
// with its key, the language switch and the hint shown before the first
// counts.
enum class PageText {
    KEY_DRIVE,         // '1'
    KEY_DRIVEN,        // '2'
    KEY_MESH,          // '3'
    KEY_STEP,          // 's'
    KEY_FORWARD,       // 'r'
    KEY_REVERSE,       // 'R'
    KEY_ZOOM_OUT,      // 'w'
    KEY_ZOOM_IN,       // 'W'
    KEY_NEW_COUNTS,    // 'z'
    KEY_QUIT,          // Escape
    KEY_SHIFT_DOWN,    // 'x', in the study view
    KEY_SHIFT_UP,      // 'X', in the study view
    STUDY_TOGGLE,      // the study view's on-off button
    LANGUAGE_NAME,     // the language's own name, on its switch button
    LANGUAGE_SWITCH,   // what the switch sets
    DRAWING_HINT,      // in the drawing until the first counts are read
    COPY_LINK,         // the button that copies the link to the picture on screen
    LINK_COPIED,       // that button for a moment after it has copied
    SAVE_OUTLINE_SVG,  // saves the exact outlines as SVG
    SAVE_OUTLINE_DXF,  // saves the exact outlines as DXF
    SAVE_PICTURE_SVG,  // saves the picture as SVG
};

constexpr int PAGE_TEXT_COUNT = static_cast<int>(PageText::SAVE_PICTURE_SVG) + 1;

// The UTF-8 bytes of a text in language, NUL-terminated.
const char* utf8Text(ConsoleText text, Language language);
const char* utf8Text(PageText text, Language language);

// The language's two-letter code (ISO 639-1): "ja", "en".
const char* languageCode(Language language);

// The language whose code is code, in language; false, leaving language as
// it was, for any other name (nullptr included).
bool languageOfCode(const char* code, Language& language);

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
