#include <gtest/gtest.h>

#include "speech/PhraseTokens.h"

namespace {

using Tokens = std::vector<std::string>;

TEST(PhraseTokensTest, SplitsOnBlanksAndLowersCase) {
    EXPECT_EQ(TokenisePhrase("Open File!"), (Tokens{"open", "file"}));
    EXPECT_EQ(TokenisePhrase("  page\t2  "), (Tokens{"page", "2"}));
    EXPECT_EQ(TokenisePhrase("F4"), (Tokens{"f4"}));
    EXPECT_EQ(TokenisePhrase("LibreOffice"), (Tokens{"libreoffice"}));
}

TEST(PhraseTokensTest, DropsPunctuationAtTheEndsButKeepsItInside) {
    EXPECT_EQ(TokenisePhrase("\"Hello,\" (world)."), (Tokens{"hello", "world"}));
    EXPECT_EQ(TokenisePhrase("don't"), (Tokens{"don't"}));
    EXPECT_EQ(TokenisePhrase("Ctrl-S"), (Tokens{"ctrl-s"}));
    EXPECT_EQ(TokenisePhrase("- copy -- that !"), (Tokens{"copy", "that"}));
}

TEST(PhraseTokensTest, NothingPronounceableGivesNoTokens) {
    EXPECT_TRUE(TokenisePhrase("").empty());
    EXPECT_TRUE(TokenisePhrase("   ").empty());
    EXPECT_TRUE(TokenisePhrase("!?! ... --").empty());
    EXPECT_TRUE(TokenisePhrase("\x96 \x99").empty());  // dash and trade mark sign
}

TEST(PhraseTokensTest, Windows1252LettersAreLettersAndFoldCase) {
    EXPECT_EQ(TokenisePhrase("CAF\xC9!"), (Tokens{"caf\xE9"}));
    EXPECT_EQ(TokenisePhrase("\xC0 la carte"), (Tokens{"\xE0", "la", "carte"}));
    // The non-breaking space separates words like a blank.
    EXPECT_EQ(TokenisePhrase("page\xA0"
                             "2"),
              (Tokens{"page", "2"}));
}

}  // namespace
