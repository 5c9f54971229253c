#include <gtest/gtest.h>

#include "speech/CommandGrammar.h"

namespace {

using Words = std::vector<std::string>;

// Stands in for the decoder's dictionary: "known" words keep their name, "gedit" gets a name
// of its own, "zzz" cannot be pronounced.
std::string Resolve(const std::string& token) {
    if (token == "zzz") return {};
    if (token == "gedit") return "added-1";
    return token;
}

TEST(CommandGrammarTest, MapsHeardWordsBackToTheTextAsWritten) {
    const CommandGrammar grammar({"switch to", "Open File!", "page 2", "gedit"}, Resolve);
    ASSERT_EQ(grammar.Commands().size(), 4u);
    EXPECT_EQ(grammar.Commands()[1].words, (Words{"open", "file"}));
    EXPECT_EQ(grammar.Commands()[3].words, (Words{"added-1"}));
    EXPECT_TRUE(grammar.Notes().empty());

    const auto open = grammar.Find({"open", "file"});
    ASSERT_TRUE(open.has_value());
    EXPECT_EQ(grammar.Commands()[*open].text, "Open File!");
    const auto page = grammar.Find({"page", "2"});
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(grammar.Commands()[*page].text, "page 2");
    const auto gedit = grammar.Find({"added-1"});
    ASSERT_TRUE(gedit.has_value());
    EXPECT_EQ(grammar.Commands()[*gedit].text, "gedit");

    EXPECT_FALSE(grammar.Find({"open"}).has_value());
    EXPECT_FALSE(grammar.Find({"file", "open"}).has_value());
    EXPECT_FALSE(grammar.Find({}).has_value());
}

TEST(CommandGrammarTest, AlternativesThatSoundAlikeKeepTheFirstAndAreReported) {
    const CommandGrammar grammar({"Notepad", "notepad!", "NOTEPAD", "Copy"}, Resolve);
    ASSERT_EQ(grammar.Commands().size(), 2u);
    EXPECT_EQ(grammar.Commands()[*grammar.Find({"notepad"})].text, "Notepad");
    ASSERT_EQ(grammar.Notes().size(), 2u);
    EXPECT_NE(grammar.Notes()[0].find("\"notepad!\""), std::string::npos);
    EXPECT_NE(grammar.Notes()[0].find("\"Notepad\""), std::string::npos);
    EXPECT_NE(grammar.Notes()[1].find("\"NOTEPAD\""), std::string::npos);
}

TEST(CommandGrammarTest, UnpronounceableAlternativesAreSkippedAndReported) {
    const CommandGrammar grammar({"...", "Copy", "zzz top", "--"}, Resolve);
    ASSERT_EQ(grammar.Commands().size(), 1u);
    EXPECT_EQ(grammar.Commands()[0].text, "Copy");
    ASSERT_EQ(grammar.Notes().size(), 3u);
    EXPECT_NE(grammar.Notes()[0].find("\"...\""), std::string::npos);
    EXPECT_NE(grammar.Notes()[1].find("\"zzz top\""), std::string::npos);
    EXPECT_FALSE(grammar.Find({"top"}).has_value());
}

TEST(CommandGrammarTest, KnowsWhichCommandsBeginLongerOnes) {
    const CommandGrammar grammar(
        {"close", "close window", "close window now", "window", "windows", "page two", "page"},
        Resolve);
    EXPECT_TRUE(grammar.IsPrefixOfAnother(0));
    EXPECT_TRUE(grammar.IsPrefixOfAnother(1));
    EXPECT_FALSE(grammar.IsPrefixOfAnother(2));
    EXPECT_FALSE(grammar.IsPrefixOfAnother(3));  // "windows" is another word
    EXPECT_FALSE(grammar.IsPrefixOfAnother(4));
    EXPECT_FALSE(grammar.IsPrefixOfAnother(5));
    EXPECT_TRUE(grammar.IsPrefixOfAnother(6));  // the longer one comes first in the file
}

}  // namespace
