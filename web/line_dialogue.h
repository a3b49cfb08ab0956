#pragma once

// Reading the tooth counts one typed line at a time, with the console's
// rules (geometry/console_text.h): two whole numbers from 1 to 149, on one
// line or two; a bad word drops the rest of its line and starts again.
//
// Stop-gap until the dialogue's reading rules stand apart from the console;
// the page then calls those and this file goes.

// The counts read so far in one dialogue.
struct CountsInput {
    int counts[2];
    int countsRead;  // 0, 1 or 2
};

enum class LineOutcome {
    WAITING,   // the line ended before the second count: read the next one
    BAD,       // a bad word: show the error and the prompt, start again
    COMPLETE,  // both counts are in counts; the rest of the line is dropped
};

// Reads the words of one line (UTF-8, NUL-terminated, no line feed) into input.
LineOutcome readCountsLine(CountsInput& input, const char* line);
