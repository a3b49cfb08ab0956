#pragma once

// How many periods and chords the patterned lines and circles draw. Each
// count is a product truncated towards zero to an int; at extreme zoom the
// product can pass the largest int, so it is clamped to PATTERN_COUNT_LIMIT
// before the conversion. Below the limit the truncation is unchanged.

#include <climits>

namespace gearmesh {

// The largest count of periods or chords, the largest int.
constexpr int PATTERN_COUNT_LIMIT = INT_MAX;

// value truncated towards zero; PATTERN_COUNT_LIMIT at or above it (also
// for NaN), INT_MIN at or below that.
int truncatedCount(double value);

// Whole periods before the final dash of a dashed line of the given length
// (model units): 10 x length - 1, or 3 below 0.4 or for NaN.
int dashLineCount(double length);
// Whole periods before the final long dash of a chain line: 6 x length - 1,
// or 2 below 0.5 or for NaN.
int chainLineCount(double length);

// Periods of a patterned circle and the chords of its dash and of its gap
// (dashed circle) or of its long dash and of its dot (chain circle).
struct CirclePattern {
    int periods;
    int dashChords;
    int gapChords;
};

// From |r| in model units: |r| x 10 pi periods of |r| x 40 dash chords and
// |r| x 10 gap chord angles; 6, 8, 2 below 0.2 or for NaN.
CirclePattern dashCirclePattern(double r);
// From |r|: |r| x 10 pi periods of |r| x 45 long-dash chords and |r| x 10
// dot chords; 6, 9, 2 below 0.2 or for NaN.
CirclePattern chainCirclePattern(double r);

}  // namespace gearmesh
