#include "dialogue/texts.h"

#include <gtest/gtest.h>

#include <string>

namespace gearmesh {

namespace {

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

// The console's layout rests on where a text's line feeds are: a text that
// lost one would run the console's lines together in that language only.
TEST(utf8Text, EveryLanguageKeepsTheConsoleLayout) {
    for (int l = 1; l < LANGUAGE_COUNT; ++l) {
        const Language language = static_cast<Language>(l);
        for (int t = 0; t < CONSOLE_TEXT_COUNT; ++t) {
            const ConsoleText text = static_cast<ConsoleText>(t);
            const std::string japanese = utf8Text(text, Language::Japanese);
            const std::string other = utf8Text(text, language);
            SCOPED_TRACE(languageCode(language) + std::string(": ") + other);
            EXPECT_EQ(other.front() == '\n', japanese.front() == '\n');
            EXPECT_EQ(other.back() == '\n', japanese.back() == '\n');
            EXPECT_EQ(countOf(other, "\n"), countOf(japanese, "\n"));
            EXPECT_EQ(countOf(other, "%"), countOf(japanese, "%"));
            EXPECT_EQ(countOf(other, "%s"), countOf(japanese, "%s"));
        }
        // The tests, and a student's eye, wait for the prompt's end.
        const std::string prompt = utf8Text(ConsoleText::PROMPT, language);
        EXPECT_EQ(prompt.substr(prompt.size() - 7), "z1 z2= ");
    }
}

TEST(languageOfCode, ReadsEveryCodeAndNothingElse) {
    for (int l = 0; l < LANGUAGE_COUNT; ++l) {
        const Language expected = static_cast<Language>(l);
        Language language = l == 0 ? Language::English : Language::Japanese;
        EXPECT_TRUE(languageOfCode(languageCode(expected), language));
        EXPECT_EQ(language, expected);
    }
    for (const char* code : {"", "EN", "en ", "english", "jp", "e"}) {
        Language language = Language::English;
        EXPECT_FALSE(languageOfCode(code, language)) << code;
        EXPECT_EQ(language, Language::English);
    }
    Language language = Language::Japanese;
    EXPECT_FALSE(languageOfCode(nullptr, language));
    EXPECT_EQ(language, Language::Japanese);
}

}  // namespace gearmesh
