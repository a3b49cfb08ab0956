#include "console/console.h"

#include <iconv.h>
#include <langinfo.h>
#include <strings.h>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "dialogue/count_reading.h"

namespace {

// Longest text after conversion, with room to spare: the window title is
// the longest, 56 characters or 134 UTF-8 bytes.
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

}  // namespace

bool consoleUsesCp932() {
    static bool localeSet = false;
    if (!localeSet) {
        std::setlocale(LC_ALL, "");
        // Numbers drawn or printed keep a decimal point whatever the user's locale.
        std::setlocale(LC_NUMERIC, "C");
        localeSet = true;
    }
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

void writeConsoleText(std::FILE* stream, ConsoleText text) {
    char bytes[TEXT_CAPACITY];
    const std::size_t length = toConsoleEncoding(utf8Text(text), bytes, sizeof bytes);
    std::fwrite(bytes, 1, length, stream);
    // The prompt has no line feed and must stand before the user's input.
    std::fflush(stream);
}

bool readToothCounts(int& z1, int& z2) {
    CountReading reading{};
    char* line = nullptr;
    std::size_t room = 0;
    bool complete = false;
    for (;;) {
        const ssize_t length = getline(&line, &room, stdin);
        if (length < 0) {
            writeConsoleText(stderr, ConsoleText::INPUT_ENDED);
            break;
        }
        const LineResult result = readCountLine(reading, line, static_cast<std::size_t>(length));
        if (result == LineResult::COMPLETE) {
            z1 = reading.counts[0];
            z2 = reading.counts[1];
            complete = true;
            break;
        }
        if (result == LineResult::BAD_COUNT) {
            writeConsoleText(stderr, ConsoleText::BAD_COUNT);
            writeConsoleText(stdout, ConsoleText::PROMPT);
        }
    }
    std::free(line);
    return complete;
}
