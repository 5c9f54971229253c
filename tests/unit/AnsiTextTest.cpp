#include <gtest/gtest.h>

#include "common/AnsiText.h"

TEST(AnsiText, EveryByteSurvivesTheRoundTripThroughUtf8) {
    for (int b = 0; b < 256; ++b) {
        const std::string ansi(1, static_cast<char>(b));
        const std::string utf8 = Ansi::ToUtf8(ansi);
        EXPECT_EQ(Ansi::FromUtf8(utf8), ansi) << "byte " << b;
    }
}

TEST(AnsiText, KnownCharactersMapToTheirUnicodeForms) {
    EXPECT_EQ(Ansi::ToUtf8("\xA6"), "\u00A6");  // broken bar
    EXPECT_EQ(Ansi::ToUtf8("\x80"), "\u20AC");  // euro sign
    EXPECT_EQ(Ansi::ToUtf8("\x9F"), "\u0178");  // Y diaeresis
    EXPECT_EQ(Ansi::ToUtf8("caf\xE9"), "caf\u00E9");
    EXPECT_EQ(Ansi::FromUtf8("\u2122 \u0153"), "\x99 \x9C");
}

TEST(AnsiText, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(Ansi::FromUtf8("\u4E2D\u6587"), "??");   // CJK
    EXPECT_EQ(Ansi::FromUtf8("a\U0001F600b"), "a?b");  // emoji, 4-byte sequence
    EXPECT_EQ(Ansi::FromUtf8("x\xC3"), "x?");          // truncated sequence
    EXPECT_EQ(Ansi::FromUtf8("\xFFok"), "?ok");        // invalid lead byte
    EXPECT_EQ(Ansi::FromUtf8("\xC0\xAF"), "?");        // overlong form
    EXPECT_EQ(Ansi::FromUtf8("\xED\xA0\x80"), "?");    // surrogate
    EXPECT_EQ(Ansi::FromUtf8("\u0100"), "?");          // A macron
}

TEST(AnsiText, Latin1ControlsThatTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(Ansi::FromLatin1("\xE9\x85\xA6"), "\xE9?\xA6");
}

TEST(AnsiText, CaseFoldingCoversAsciiAndTheCodePageLetters) {
    EXPECT_TRUE(Ansi::EqualsIgnoreCase("NotePad", "notepad"));
    EXPECT_TRUE(Ansi::EqualsIgnoreCase("\xC9t\xC9", "\xE9t\xE9"));  // ÉTÉ / été
    EXPECT_TRUE(Ansi::EqualsIgnoreCase("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));
    EXPECT_FALSE(Ansi::EqualsIgnoreCase("\xD7", "\xF7"));  // multiply and divide signs
    EXPECT_FALSE(Ansi::EqualsIgnoreCase("abc", "abcd"));
    EXPECT_EQ(Ansi::ToUpper('\xFF'), '\x9F');
    EXPECT_EQ(Ansi::ToLower('['), '[');
}

TEST(AnsiText, FindIgnoringCase) {
    EXPECT_EQ(Ansi::FindIgnoreCase("Windows Explorer", "EXPLORER"), 8u);
    EXPECT_TRUE(Ansi::ContainsIgnoreCase("x", ""));
    EXPECT_FALSE(Ansi::ContainsIgnoreCase("Explore", "explorer"));
}
