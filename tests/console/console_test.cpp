#include "console/console.h"

#include <gtest/gtest.h>

namespace gearmesh {

TEST(toConsoleEncoding, CutsOffAtCapacity) {
    // ASCII bytes are the same in both console encodings.
    char out[8];
    EXPECT_EQ(toConsoleEncoding("z1 z2= 20 40", out, sizeof out), 7u);
    EXPECT_STREQ(out, "z1 z2= ");
    EXPECT_EQ(toConsoleEncoding("abc", out, 0), 0u);
}

}  // namespace gearmesh
