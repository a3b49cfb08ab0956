#pragma once

#include <cstddef>

namespace gearmesh {

// The reading rules of the tooth-count dialogue, one line at a time, for any
// caller that hands over lines of UTF-8 text (the console, a web page).
//
// Two whole numbers from MIN_TEETH to MAX_TEETH, on one line or on several,
// separated by white space. A word is an optional sign and decimal digits;
// numbers of any length are read without overflow. What a Japanese input
// method types reads as its ASCII equivalent: the full-width digits
// U+FF10..U+FF19, the full-width plus U+FF0B and minus U+FF0D, the minus
// sign U+2212 and the ideographic space U+3000. A byte-order mark (U+FEFF)
// at the start of a line, where a file's or a paste's first line carries
// it, is skipped.

// The counts one dialogue has read so far. A new dialogue starts from {}.
struct CountReading {
    int counts[2];   // z1 and z2, valid up to countsRead
    int countsRead;  // 0, 1 or 2
};

// What one line leaves the dialogue to do.
enum class LineResult {
    MORE,       // fewer than two counts so far: read the next line, no prompt
    COMPLETE,   // both counts read; whatever follows them on the line is dropped
    BAD_COUNT,  // a word is not a count: show BAD_COUNT, then the prompt again;
                // the rest of the line and the counts read before it are dropped
};

// Reads the words of one line (length bytes of UTF-8; a line feed at its end
// is optional) into reading, after the counts it already holds.
LineResult readCountLine(CountReading& reading, const char* line, std::size_t length);

}  // namespace gearmesh
