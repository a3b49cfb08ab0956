#include "dialogue/count_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gearmesh {

namespace {

// Feeds the lines of one dialogue in turn; returns the result of each.
std::vector<LineResult> feed(CountReading& reading, const std::vector<std::string>& lines) {
    std::vector<LineResult> results;
    for (const std::string& line : lines) {
        results.push_back(readCountLine(reading, line.data(), line.size()));
    }
    return results;
}

// The result of one line in a fresh dialogue.
LineResult readOne(const std::string& line, CountReading& reading) {
    reading = CountReading{};
    return readCountLine(reading, line.data(), line.size());
}

}  // namespace

TEST(readCountLine, CountsFromOneTo149) {
    const struct {
        const char* text;
        int count;
    } cases[] = {{"1", 1}, {"149", 149}, {"+20", 20}, {"0040", 40}, {" \t 7\n", 7}};
    for (const auto& c : cases) {
        CountReading reading;
        EXPECT_EQ(readOne(c.text, reading), LineResult::MORE) << c.text;
        ASSERT_EQ(reading.countsRead, 1) << c.text;
        EXPECT_EQ(reading.counts[0], c.count) << c.text;
    }
}

TEST(readCountLine, WordsThatAreNotCountsDropTheLine) {
    const char* const cases[] = {
        "0",   "150",        "-1",         "-0",          "+",
        "-",   "abc",        "20abc",      "2O",          "1.5",
        "1e2", "2147483647", "2147483648", "-2147483649", "99999999999999999999999999999999999999"};
    for (const char* text : cases) {
        CountReading reading;
        EXPECT_EQ(readOne(text, reading), LineResult::BAD_COUNT) << text;
        EXPECT_EQ(reading.countsRead, 0) << text;
    }
    // A NUL byte inside a line is a character like any other.
    CountReading reading{};
    const char withNul[] = {'2', '\0', '0', ' ', '4', '0'};
    EXPECT_EQ(readCountLine(reading, withNul, sizeof withNul), LineResult::BAD_COUNT);
}

TEST(readCountLine, BlankLinesAskForMore) {
    CountReading reading{};
    EXPECT_EQ(feed(reading, {"", "\n", " \t\r\n"}), std::vector<LineResult>(3, LineResult::MORE));
    EXPECT_EQ(reading.countsRead, 0);
}

TEST(readCountLine, TwoCountsOnOneLineOrTwo) {
    CountReading reading{};
    EXPECT_EQ(readCountLine(reading, "20 40\n", 6), LineResult::COMPLETE);
    EXPECT_EQ(reading.counts[0], 20);
    EXPECT_EQ(reading.counts[1], 40);

    reading = CountReading{};
    EXPECT_EQ(feed(reading, {"20\n", "\n", "  40\n"}),
              (std::vector<LineResult>{LineResult::MORE, LineResult::MORE, LineResult::COMPLETE}));
    EXPECT_EQ(reading.counts[0], 20);
    EXPECT_EQ(reading.counts[1], 40);
}

TEST(readCountLine, BadWordDropsTheRestOfItsLineAndTheCountsBefore) {
    // Were "30" read after the bad word, the pair would be 30 and 20.
    for (const char* bad : {"x 30\n", "x\n", "30 x\n", "30\n"}) {
        CountReading reading{};
        std::vector<LineResult> results = feed(reading, {bad, "x 30\n", "20 40"});
        EXPECT_EQ(results.back(), LineResult::COMPLETE) << bad;
        EXPECT_EQ(results[1], LineResult::BAD_COUNT) << bad;
        EXPECT_EQ(reading.counts[0], 20) << bad;
        EXPECT_EQ(reading.counts[1], 40) << bad;
    }
}

// What a Japanese input method types: full-width digits and signs, the
// ideographic space, and a byte-order mark before the first line.
TEST(readCountLine, FullWidthCharactersReadAsTheirAsciiEquivalents) {
    const struct {
        const char* text;
        LineResult result;
        int z1, z2;
    } cases[] = {
        {"２０　４０", LineResult::COMPLETE, 20, 40},
        {"\xEF\xBB\xBF"
         "20 40\n",
         LineResult::COMPLETE, 20, 40},
        {"\xEF\xBB\xBF"
         "２０　４０\n",
         LineResult::COMPLETE, 20, 40},
        {"＋１４９\u3000０１", LineResult::COMPLETE, 149, 1},
        {"2０\t４0", LineResult::COMPLETE, 20, 40},
        {"　\u3000２０", LineResult::MORE, 20, 0},
        {"－２０ 40", LineResult::BAD_COUNT, 0, 0},
        {"\u221220 40", LineResult::BAD_COUNT, 0, 0},
        {"１５０ 40", LineResult::BAD_COUNT, 0, 0},
        {"２O 40", LineResult::BAD_COUNT, 0, 0},
        // Only at the start of a line, and only the mark itself.
        {"20 \xEF\xBB\xBF"
         "40",
         LineResult::BAD_COUNT, 0, 0},
        {"\xEF\xBB"
         "20 40",
         LineResult::BAD_COUNT, 0, 0},
        // A character cut short at the end of the line is no digit.
        {"20 \xEF\xBC", LineResult::BAD_COUNT, 0, 0},
    };
    for (const auto& c : cases) {
        CountReading reading;
        EXPECT_EQ(readOne(c.text, reading), c.result) << c.text;
        if (c.result == LineResult::COMPLETE) {
            EXPECT_EQ(reading.counts[0], c.z1) << c.text;
            EXPECT_EQ(reading.counts[1], c.z2) << c.text;
        }
        if (c.result == LineResult::MORE) {
            EXPECT_EQ(reading.countsRead, 1) << c.text;
            EXPECT_EQ(reading.counts[0], c.z1) << c.text;
        }
    }
}

// Nothing typed for one dialogue feeds the next: after the second count the
// rest of the line is dropped, words that are not counts included.
TEST(readCountLine, RestOfTheLineAfterTheSecondCountIsDropped) {
    for (const char* text : {"20 40 60", "20 40 abc", "20\n", "20 40"}) {
        CountReading reading{};
        const std::vector<LineResult> results = feed(reading, {text, "40 50\n"});
        EXPECT_EQ(results[0], text[2] == '\n' ? LineResult::MORE : LineResult::COMPLETE) << text;
        EXPECT_EQ(reading.countsRead, 2) << text;
        EXPECT_EQ(reading.counts[0], 20) << text;
        EXPECT_EQ(reading.counts[1], 40) << text;
    }
}

}  // namespace gearmesh
