// The page's writers find the shortest text of a double with printf, where
// its standard library has no std::to_chars for doubles; gearpair's use
// std::to_chars. Both must write the same text for every double.

#include "export/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace gearmesh {
namespace {

double fromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void expectSameText(double value) {
    ASSERT_EQ(exactNumberByPrintf(value), exactNumber(value)) << std::hexfloat << value;
}

TEST(exactNumberByPrintf, WritesWhatToCharsWritesAtTheEdges) {
    // Powers of two, where the doubles below lie closer than those above.
    for (int power = -1074; power <= 1023; ++power) {
        expectSameText(std::ldexp(1.0, power));
        expectSameText(-std::ldexp(1.0, power));
    }
    // Where plain and exponent notation change places, and the extremes.
    for (double value : {1e-5,
                         1e-4,
                         0.001,
                         1.5e-4,
                         1e15,
                         1e16,
                         1e17,
                         1e21,
                         1e22,
                         1e23,
                         123456789012345680000.0,
                         0.1,
                         0.3,
                         1.0 / 3.0,
                         2.0 / 3.0,
                         9.5,
                         99.99,
                         DBL_MAX,
                         DBL_MIN,
                         DBL_TRUE_MIN,
                         5e-324,
                         9007199254740993.0}) {
        expectSameText(value);
        expectSameText(-value);
    }
    EXPECT_EQ(exactNumberByPrintf(-0.0), "0");
    // The shorter notation; plain where both are as long.
    EXPECT_EQ(exactNumberByPrintf(0.001), "0.001");
    EXPECT_EQ(exactNumberByPrintf(0.0001), "1e-04");
    EXPECT_EQ(exactNumberByPrintf(36028797018963968.0), "36028797018963968");
}

TEST(exactNumberByPrintf, WritesWhatToCharsWritesForAnyDouble) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 40000; ++i) {
        const double value = fromBits(random());
        if (std::isfinite(value)) {
            expectSameText(value);
        }
    }
    // Millimetre coordinates of outlines and pixels of pictures.
    std::uniform_real_distribution<double> coordinate(-400.0, 400.0);
    for (int i = 0; i < 40000; ++i) {
        const double value = coordinate(random);
        expectSameText(value);
        expectSameText(std::round(value * 100.0) / 100.0);
    }
}

}  // namespace
}  // namespace gearmesh
