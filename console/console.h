#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "dialogue/texts.h"

namespace gearmesh {

// Sets the program's locale from the environment, numbers excepted: they
// keep their decimal point whatever the user's locale. Call it once, first.
void setUpConsoleLocale();

// True when the console locale's character set is Shift-JIS (code page 932).
bool consoleUsesCp932();

// Converts NUL-terminated UTF-8 into the console's encoding (code page 932
// or UTF-8) in out, NUL-terminated; returns the length written. Characters
// code page 932 lacks become "?"; text beyond capacity - 1 bytes is cut off.
std::size_t toConsoleEncoding(const char* utf8, char* out, std::size_t capacity);

// Writes a text in language to stream in the console's encoding and
// flushes it at once.
void writeConsoleText(std::FILE* stream, ConsoleText text, Language language);

// As writeConsoleText, with the text's "%s" replaced by value (bytes as
// given, converted like the text). A value too long for the line is cut
// before the UTF-8 character that would not fit; the rest of the text,
// line feed included, always follows it.
void writeConsoleTextWith(std::FILE* stream, ConsoleText text, Language language,
                          const char* value);

// Writes text in every language, Japanese first, on one line: each with
// its "%s" replaced by value as writeConsoleTextWith does, " / " between
// them and a line feed at the end; flushed at once. For what is said
// before the user has chosen a language.
void writeConsoleTextInEveryLanguage(std::FILE* stream, ConsoleText text, const char* value);

// Reads one line of standard input into utf8Line (its line feed kept when it
// has one), converted to UTF-8 first in a code page 932 console; false, with
// utf8Line empty, at the end of the input.
bool readConsoleLine(std::string& utf8Line);

}  // namespace gearmesh
