#include "web/line_dialogue.h"

#include <cstdio>
#include <cstring>

#include "geometry/console_text.h"

LineOutcome readCountsLine(CountsInput& input, const char* line) {
    const std::size_t length = std::strlen(line);
    if (length == 0) {
        return LineOutcome::WAITING;
    }
    std::FILE* stream = fmemopen(const_cast<char*>(line), length, "r");
    if (stream == nullptr) {
        input.countsRead = 0;
        return LineOutcome::BAD;
    }
    LineOutcome outcome = LineOutcome::COMPLETE;
    while (input.countsRead < 2) {
        const CountRead read = readToothCount(stream, input.counts[input.countsRead]);
        if (read == CountRead::END) {
            outcome = LineOutcome::WAITING;
            break;
        }
        if (read == CountRead::BAD) {
            input.countsRead = 0;
            outcome = LineOutcome::BAD;
            break;
        }
        ++input.countsRead;
    }
    std::fclose(stream);
    return outcome;
}
