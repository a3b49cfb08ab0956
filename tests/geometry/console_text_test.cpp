#include "geometry/console_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A read-only stream over text, closed by the caller.
std::FILE* streamOf(const char* text) {
    return fmemopen(const_cast<char*>(text), std::strlen(text), "r");
}

// What is left of the stream, read to its end.
std::string restOf(std::FILE* stream) {
    std::string rest;
    for (int c = std::getc(stream); c != EOF; c = std::getc(stream)) {
        rest += static_cast<char>(c);
    }
    return rest;
}

CountRead readOne(const char* text, int& value) {
    std::FILE* stream = streamOf(text);
    const CountRead read = readToothCount(stream, value);
    std::fclose(stream);
    return read;
}

}  // namespace

TEST(readToothCount, CountsFromOneTo149) {
    const struct {
        const char* text;
        int count;
    } cases[] = {{"1", 1}, {"149", 149}, {"+20", 20}, {"0040", 40}, {" \n\t\n 7\n", 7}};
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(readOne(c.text, value), CountRead::OK) << c.text;
        EXPECT_EQ(value, c.count) << c.text;
    }
}

TEST(readToothCount, WordsThatAreNotCountsLeaveTheValueAlone) {
    const char* const cases[] = {
        "0",   "150",        "-1",         "-0",          "+",
        "-",   "abc",        "20abc",      "2O",          "1.5",
        "1e2", "2147483647", "2147483648", "-2147483649", "99999999999999999999999999999999999999"};
    for (const char* text : cases) {
        int value = 33;
        EXPECT_EQ(readOne(text, value), CountRead::BAD) << text;
        EXPECT_EQ(value, 33) << text;
    }
}

TEST(readToothCount, EndOfInputBeforeAWord) {
    int value = 33;
    EXPECT_EQ(readOne("", value), CountRead::END);
    EXPECT_EQ(readOne(" \n\n\t ", value), CountRead::END);
    EXPECT_EQ(value, 33);
}

TEST(readToothCount, TwoCountsOnOneLineOrTwo) {
    for (const char* text : {"20 40\nnext", "20\n\n  40\nnext"}) {
        std::FILE* stream = streamOf(text);
        int z1 = 0;
        int z2 = 0;
        EXPECT_EQ(readToothCount(stream, z1), CountRead::OK);
        EXPECT_EQ(readToothCount(stream, z2), CountRead::OK);
        EXPECT_EQ(z1, 20);
        EXPECT_EQ(z2, 40);
        // Like "%d", the read stops at the separator after the second count.
        EXPECT_EQ(restOf(stream), "\nnext");
        std::fclose(stream);
    }
}

TEST(skipInputLine, DropsOnlyTheRestOfTheBadLine) {
    // A bad word at the end of its line must not take the next line with it.
    for (const char* text : {"x 30\n20 40", "x\n20 40", "30 x\n20 40"}) {
        std::FILE* stream = streamOf(text);
        int value = 0;
        CountRead read = readToothCount(stream, value);
        if (read == CountRead::OK) {
            read = readToothCount(stream, value);
        }
        EXPECT_EQ(read, CountRead::BAD) << text;
        skipInputLine(stream);
        EXPECT_EQ(restOf(stream), "20 40") << text;
        std::fclose(stream);
    }
}

TEST(toConsoleEncoding, CutsOffAtCapacity) {
    // ASCII bytes are the same in both console encodings.
    char out[8];
    EXPECT_EQ(toConsoleEncoding("z1 z2= 20 40", out, sizeof out), 7u);
    EXPECT_STREQ(out, "z1 z2= ");
    EXPECT_EQ(toConsoleEncoding("abc", out, 0), 0u);
}
