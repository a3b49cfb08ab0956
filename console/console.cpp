#include "console/console.h"

#include <iconv.h>
#include <langinfo.h>
#include <strings.h>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace gearmesh {

namespace {

// Longest text after conversion, with room to spare: the display message is
// the longest, 148 UTF-8 bytes before its display name, which gets the rest.
constexpr std::size_t TEXT_CAPACITY = 512;

// Number of bytes of the UTF-8 character that starts with lead byte c.
std::size_t utf8Length(unsigned char c) {
    if (c >= 0xF0)
        return 4;
    if (c >= 0xE0)
        return 3;
    if (c >= 0xC0)
        return 2;
    return 1;
}

// Whether c continues a UTF-8 character rather than starting one.
bool utf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Copies as much of utf8 as fits into out, NUL-terminated; returns its length.
std::size_t copyText(const char* utf8, char* out, std::size_t capacity) {
    std::size_t length = std::strlen(utf8);
    if (length > capacity - 1) {
        length = capacity - 1;
    }
    std::memcpy(out, utf8, length);
    out[length] = '\0';
    return length;
}

// utf8 with its "%s", if any, replaced by value, into out, NUL-terminated;
// returns its length. A value too long is cut before the UTF-8 character
// that would not fit, never the text's own line feed.
std::size_t fillValue(const char* utf8, const char* value, char* out, std::size_t capacity) {
    const char* mark = std::strstr(utf8, "%s");
    if (mark == nullptr) {
        return copyText(utf8, out, capacity);
    }
    const std::size_t head = static_cast<std::size_t>(mark - utf8);
    const std::size_t tail = std::strlen(mark + 2);
    if (head + tail + 1 > capacity) {
        return copyText(utf8, out, capacity);
    }
    std::size_t length = std::strlen(value);
    const std::size_t room = capacity - 1 - head - tail;
    if (length > room) {
        length = room;
        // Half a character would reach the console as a broken one, and
        // in code page 932 take the text's next character with it. Back
        // to its lead byte: at most three bytes in UTF-8.
        for (int back = 0; back < 3 && length > 0 && utf8Continuation(value[length]); ++back) {
            --length;
        }
    }
    std::memcpy(out, utf8, head);
    std::memcpy(out + head, value, length);
    std::memcpy(out + head + length, mark + 2, tail + 1);
    return head + length + tail;
}

// A line typed in a code page 932 console, in UTF-8: bytes that are no
// code page 932 character become "?". A UTF-8 byte-order mark at its start,
// which only a UTF-8 file can have put there, is kept as it is for the
// reading rules to skip.
std::string lineFromCp932(const char* line, std::size_t length) {
    std::string utf8;
    const char mark[] = "\xEF\xBB\xBF";
    std::size_t start = 0;
    if (length >= 3 && std::memcmp(line, mark, 3) == 0) {
        utf8.assign(mark, 3);
        start = 3;
    }
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return utf8.append(line + start, length - start);
    }
    char* in = const_cast<char*>(line + start);
    std::size_t inLeft = length - start;
    char out[256];
    while (inLeft > 0) {
        char* next = out;
        std::size_t outLeft = sizeof out;
        const std::size_t done = iconv(converter, &in, &inLeft, &next, &outLeft);
        utf8.append(out, static_cast<std::size_t>(next - out));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: one byte that starts no character.
            utf8 += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return utf8;
}

}  // namespace

void setUpConsoleLocale() {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
}

bool consoleUsesCp932() {
    const char* codeset = nl_langinfo(CODESET);
    return strcasecmp(codeset, "SHIFT_JIS") == 0 || strcasecmp(codeset, "SJIS") == 0 ||
           strcasecmp(codeset, "CP932") == 0;
}

std::size_t toConsoleEncoding(const char* utf8, char* out, std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    if (!consoleUsesCp932()) {
        return copyText(utf8, out, capacity);
    }
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter the characters still arrive, as UTF-8.
        return copyText(utf8, out, capacity);
    }
    char* in = const_cast<char*>(utf8);
    std::size_t inLeft = std::strlen(utf8);
    char* next = out;
    std::size_t outLeft = capacity - 1;
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;  // E2BIG: the text is cut off here
        }
        if (outLeft == 0) {
            break;
        }
        const std::size_t skip = utf8Length(static_cast<unsigned char>(*in));
        const std::size_t skipped = (skip < inLeft) ? skip : inLeft;
        in += skipped;
        inLeft -= skipped;
        *next++ = '?';
        --outLeft;
    }
    iconv_close(converter);
    *next = '\0';
    return static_cast<std::size_t>(next - out);
}

namespace {

// Writes utf8 in the console's encoding, at once: the prompt has no line feed
// and must stand before the user's input.
void writeConverted(std::FILE* stream, const char* utf8) {
    char bytes[TEXT_CAPACITY];
    const std::size_t length = toConsoleEncoding(utf8, bytes, sizeof bytes);
    std::fwrite(bytes, 1, length, stream);
    std::fflush(stream);
}

}  // namespace

void writeConsoleText(std::FILE* stream, ConsoleText text, Language language) {
    writeConverted(stream, utf8Text(text, language));
}

void writeConsoleTextWith(std::FILE* stream, ConsoleText text, Language language,
                          const char* value) {
    char filled[TEXT_CAPACITY];
    fillValue(utf8Text(text, language), value, filled, sizeof filled);
    writeConverted(stream, filled);
}

void writeConsoleTextInEveryLanguage(std::FILE* stream, ConsoleText text, const char* value) {
    const char separator[] = " / ";
    char line[TEXT_CAPACITY];
    std::size_t used = 0;
    // Each language gets its share, so a long value cannot push the last one out.
    const std::size_t share = (sizeof line - 1) / LANGUAGE_COUNT - (sizeof separator - 1);
    for (int i = 0; i < LANGUAGE_COUNT; ++i) {
        if (i > 0) {
            used += copyText(separator, line + used, sizeof separator);
        }
        used += fillValue(utf8Text(text, static_cast<Language>(i)), value, line + used, share);
    }
    line[used++] = '\n';
    line[used] = '\0';
    writeConverted(stream, line);
}

bool readConsoleLine(std::string& utf8Line) {
    utf8Line.clear();
    char* line = nullptr;
    std::size_t room = 0;
    const ssize_t length = getline(&line, &room, stdin);
    if (length >= 0) {
        const std::size_t bytes = static_cast<std::size_t>(length);
        utf8Line = consoleUsesCp932() ? lineFromCp932(line, bytes) : std::string(line, bytes);
    }
    std::free(line);
    return length >= 0;
}

}  // namespace gearmesh
