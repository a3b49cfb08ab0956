#include "dialogue/count_reading.h"

#include "geometry/gear_pair.h"

namespace {

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
    bool negative = false;
    if (line[at] == '+' || line[at] == '-') {
        negative = line[at] == '-';
        ++at;
    }
    // Digits beyond MAX_TEETH only keep the number out of range, so the
    // running value is capped just above it and never overflows.
    bool wellFormed = at < length && isDigit(line[at]);
    int magnitude = 0;
    for (; at < length && !isSpace(line[at]); ++at) {
        if (isDigit(line[at])) {
            magnitude = magnitude * 10 + (line[at] - '0');
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
    std::size_t at = 0;
    while (reading.countsRead < 2) {
        while (at < length && isSpace(line[at])) {
            ++at;
        }
        if (at == length) {
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
