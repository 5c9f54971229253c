#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>

#include "speech/BackgroundWords.h"

namespace {

std::vector<std::string> ShippedWords() {
    std::ifstream in(VORN_BACKGROUND_WORDS_FILE);
    std::vector<std::string> words;
    for (std::string word; std::getline(in, word);) words.push_back(word);
    return words;
}

TEST(BackgroundWordsTest, AreTheShippedListInItsOrderCutToTheCountAsked) {
    const std::vector<std::string> shipped = ShippedWords();
    ASSERT_GT(shipped.size(), 1000u);
    EXPECT_EQ(BackgroundWords(SIZE_MAX), shipped);
    EXPECT_EQ(BackgroundWords(3), std::vector<std::string>(shipped.begin(), shipped.begin() + 3));
    EXPECT_TRUE(BackgroundWords(0).empty());
}

}  // namespace
