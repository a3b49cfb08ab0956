#pragma once

#include <cstddef>
#include <cstdio>

#include "dialogue/texts.h"

namespace gearmesh {

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
// given, converted like the text). A value too long for the line is cut
// before the UTF-8 character that would not fit; the rest of the text,
// line feed included, always follows it.
void writeConsoleTextWith(std::FILE* stream, ConsoleText text, const char* value);

// Runs the tooth-count dialogue's reading on standard input: reads lines
// until two counts are read (dialogue/count_reading.h), writing BAD_COUNT to
// standard error and the prompt again after a bad word. In a code page 932
// console each line is converted to UTF-8 first. Returns false, after
// writing INPUT_ENDED, when the input ends first; z1 and z2 are then untouched.
bool readToothCounts(int& z1, int& z2);

}  // namespace gearmesh
