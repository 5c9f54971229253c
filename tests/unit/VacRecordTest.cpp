#include <gtest/gtest.h>

#include "engine/VacRecord.h"

namespace {

const std::string kFull = "gedit \xA6 notes.txt*edit notes~text$gedit ~/notes.txt";

TEST(VacRecord, BothReadersAgreeOnAFullRecord) {
    const VacRecord::Fields list = VacRecord::Split(kFull);
    EXPECT_EQ(list.identity, "gedit \xA6 notes.txt");
    EXPECT_EQ(list.userName, "edit notes");
    EXPECT_EQ(list.vocabularyName, "text");
    EXPECT_EQ(list.pathName, "gedit ~/notes.txt");

    const VacRecord::PhraseFields phrase = VacRecord::SplitForPhrase(kFull);
    EXPECT_EQ(phrase.phrase, "edit notes");
    EXPECT_EQ(phrase.vocabularyName, "text");
    EXPECT_EQ(phrase.pathName, "gedit ~/notes.txt");
    EXPECT_EQ(phrase.className, "gedit");
    EXPECT_EQ(phrase.windowText, "notes.txt");
}

TEST(VacRecord, AFreshRecordHasOnlyItsIdentity) {
    const VacRecord::Fields list = VacRecord::Split("c \xA6 t*");
    EXPECT_EQ(list.identity, "c \xA6 t");
    EXPECT_EQ(list.userName, "");
    EXPECT_EQ(list.pathName, "");
    // The phrase reader takes the whole record as the path when it holds no "$".
    const VacRecord::PhraseFields phrase = VacRecord::SplitForPhrase("c \xA6 t*");
    EXPECT_EQ(phrase.phrase, "");
    EXPECT_EQ(phrase.pathName, "c \xA6 t*");
}

TEST(VacRecord, SeparatorsInsideTheTitleCutTheFieldsEachReaderItsOwnWay) {
    const std::string record = "c \xA6 a~b$c*p~v$x";
    const VacRecord::Fields list = VacRecord::Split(record);
    EXPECT_EQ(list.identity, "c \xA6 a~b$c");
    EXPECT_EQ(list.userName, "");  // the first "~" stands before the first "*"
    EXPECT_EQ(list.vocabularyName, "b");
    EXPECT_EQ(list.pathName, "c*p~v$x");

    const VacRecord::PhraseFields phrase = VacRecord::SplitForPhrase(record);
    EXPECT_EQ(phrase.phrase, "p");
    EXPECT_EQ(phrase.vocabularyName, "v");
    EXPECT_EQ(phrase.pathName, "c*p~v$x");
    EXPECT_EQ(phrase.windowText, "a~b$c");
}

TEST(VacRecord, TextsWithoutSeparatorsGiveEmptyFields) {
    const VacRecord::Fields list = VacRecord::Split("no separators");
    EXPECT_EQ(list.identity, "");
    EXPECT_EQ(list.userName, "");
    EXPECT_EQ(list.vocabularyName, "");
    EXPECT_EQ(list.pathName, "");

    const VacRecord::PhraseFields phrase = VacRecord::SplitForPhrase("words~v$p");
    EXPECT_EQ(phrase.phrase, "");
    EXPECT_EQ(phrase.className, "");
    EXPECT_EQ(phrase.windowText, "");
    EXPECT_EQ(VacRecord::SplitForPhrase("\xA6 t*p~$").className, "");
    EXPECT_EQ(VacRecord::SplitForPhrase("*p").phrase, "");
}

}  // namespace
