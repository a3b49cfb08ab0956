#include "dialogue/count_reading.h"

#include <cstring>

#include "geometry/gear_pair.h"

namespace gearmesh {

namespace {

// A character of the line as the rules read it: its ASCII equivalent and
// how many bytes it takes.
struct Character {
    char ascii;
    std::size_t bytes;
};

// Characters a Japanese input method types in place of ASCII ones, in UTF-8.
struct WideEquivalent {
    const char* utf8;
    char ascii;
};

const WideEquivalent WIDE_EQUIVALENTS[] = {
    {"\xE3\x80\x80", ' '},                         // U+3000 ideographic space
    {"\xEF\xBC\x8B", '+'},                         // U+FF0B full-width plus
    {"\xEF\xBC\x8D", '-'},                         // U+FF0D full-width minus
    {"\xE2\x88\x92", '-'},                         // U+2212 minus sign
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'},  // U+FF10.. full-width digits
    {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'}, {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'},
    {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'}, {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'},
};

// The UTF-8 byte-order mark, U+FEFF.
constexpr char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";
constexpr std::size_t WIDE_BYTES = 3;

bool startsWith(const char* line, std::size_t length, std::size_t at, const char* bytes) {
    return length - at >= WIDE_BYTES && std::memcmp(line + at, bytes, WIDE_BYTES) == 0;
}

// The character at line[at]. Any other byte, inside UTF-8 or not, stands
// for itself; from 0x80 up it is neither a digit, a sign nor a space.
Character characterAt(const char* line, std::size_t length, std::size_t at) {
    if (static_cast<unsigned char>(line[at]) >= 0x80) {
        for (const WideEquivalent& wide : WIDE_EQUIVALENTS) {
            if (startsWith(line, length, at, wide.utf8)) {
                return Character{wide.ascii, WIDE_BYTES};
            }
        }
    }
    return Character{line[at], 1};
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the word that starts at line[at] and returns the index after it;
// true in valid when it is a count, which then goes to count.
std::size_t readWord(const char* line, std::size_t length, std::size_t at, bool& valid,
                     int& count) {
    Character c = characterAt(line, length, at);
    bool negative = false;
    if (c.ascii == '+' || c.ascii == '-') {
        negative = c.ascii == '-';
        at += c.bytes;
    }
    // Digits beyond MAX_TEETH only keep the number out of range, so the
    // running value is capped just above it and never overflows.
    bool wellFormed = at < length && isDigit(characterAt(line, length, at).ascii);
    int magnitude = 0;
    for (; at < length; at += c.bytes) {
        c = characterAt(line, length, at);
        if (isSpace(c.ascii)) {
            break;
        }
        if (isDigit(c.ascii)) {
            magnitude = magnitude * 10 + (c.ascii - '0');
            if (magnitude > MAX_TEETH) {
                magnitude = MAX_TEETH + 1;
            }
        } else {
            wellFormed = false;
        }
    }
    const int number = negative ? -magnitude : magnitude;
    valid = wellFormed && number >= MIN_TEETH && number <= MAX_TEETH;
    count = number;
    return at;
}

}  // namespace

LineResult readCountLine(CountReading& reading, const char* line, std::size_t length) {
    std::size_t at = startsWith(line, length, 0, BYTE_ORDER_MARK) ? WIDE_BYTES : 0;
    while (reading.countsRead < 2) {
        while (at < length) {
            const Character c = characterAt(line, length, at);
            if (!isSpace(c.ascii)) {
                break;
            }
            at += c.bytes;
        }
        if (at >= length) {
            return LineResult::MORE;
        }
        bool valid = false;
        int count = 0;
        at = readWord(line, length, at, valid, count);
        if (!valid) {
            reading.countsRead = 0;
            return LineResult::BAD_COUNT;
        }
        reading.counts[reading.countsRead] = count;
        ++reading.countsRead;
    }
    return LineResult::COMPLETE;
}

}  // namespace gearmesh
