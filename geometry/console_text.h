#pragma once

#include <cstddef>
#include <cstdio>

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
};

// The UTF-8 bytes of a text, NUL-terminated.
const char* utf8Text(ConsoleText text);

// True when the console locale's character set is Shift-JIS (code page 932).
// Sets the program's locale from the environment on its first call.
bool consoleUsesCp932();

// Converts NUL-terminated UTF-8 into the console's encoding (code page 932
// or UTF-8) in out, NUL-terminated; returns the length written. Characters
// code page 932 lacks become "?"; text beyond capacity - 1 bytes is cut off.
std::size_t toConsoleEncoding(const char* utf8, char* out, std::size_t capacity);

// Writes a text to stream in the console's encoding and flushes it at once.
void writeConsoleText(std::FILE* stream, ConsoleText text);

// As writeConsoleText, with the text's "%s" replaced by value (bytes as
// given, converted like the text; cut off where the line grows too long).
void writeConsoleTextWith(std::FILE* stream, ConsoleText text, const char* value);

// Outcome of reading one tooth count.
enum class CountRead {
    OK,   // a count within MIN_TEETH..MAX_TEETH was stored
    BAD,  // the next word is not such a count; nothing was stored
    END,  // the input ended before a word began
};

// Reads the next white-space-separated word of stream as a tooth count, as
// "%d" would (white space and line feeds before it are skipped), but
// accepts only an optional sign and decimal digits forming a number within
// MIN_TEETH..MAX_TEETH. Numbers of any length are read without overflow.
// Stops after the word's last character; value is written on OK only.
CountRead readToothCount(std::FILE* stream, int& value);

// Discards the rest of the current input line, its line feed included.
void skipInputLine(std::FILE* stream);
