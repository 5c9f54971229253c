#include <gtest/gtest.h>

#include "store/AppRecord.h"
#include "store/WindowIdentity.h"

namespace {

AppRecord Record(std::string identity, std::string phrase, std::string vocabulary,
                 std::string path) {
    return {std::move(identity), std::move(phrase), std::move(vocabulary), std::move(path), true};
}

void ExpectFields(const AppRecord& record, const AppRecord& expected) {
    EXPECT_EQ(record.identity, expected.identity);
    EXPECT_EQ(record.userName, expected.userName);
    EXPECT_EQ(record.vocabularyName, expected.vocabularyName);
    EXPECT_EQ(record.pathName, expected.pathName);
    EXPECT_EQ(record.completed, expected.completed);
}

TEST(AppRecord, PlainRecordsReadAsTheyAlwaysDid) {
    const std::string full = "gedit \xA6 notes.txt*edit notes~text$gedit ~/notes.txt";
    ExpectFields(AppRecord::Parse(full),
                 Record("gedit \xA6 notes.txt", "edit notes", "text", "gedit ~/notes.txt"));
    EXPECT_EQ(AppRecord::Parse(full).Text(), full);

    ExpectFields(AppRecord::Parse("c \xA6 t*"), {"c \xA6 t", "", "", "", false});
    EXPECT_EQ(AppRecord::Fresh("c \xA6 t"), "c \xA6 t*");
    ExpectFields(AppRecord::Parse("c \xA6 t*~$"), Record("c \xA6 t", "", "", ""));
    // A phrase without "~" after it is no phrase; a "$" before the "~" leaves no vocabulary.
    ExpectFields(AppRecord::Parse("c \xA6 t*abc$p"), {"c \xA6 t", "", "", "p", false});
    ExpectFields(AppRecord::Parse("c \xA6 t*p$x~v"), {"c \xA6 t", "p$x", "", "x~v", false});
    ExpectFields(AppRecord::Parse("c \xA6 t*p~v"), {"c \xA6 t", "p", "", "", false});
}

TEST(AppRecord, TextsWithoutAnIdentityEnd) {
    ExpectFields(AppRecord::Parse(""), {});
    ExpectFields(AppRecord::Parse("words~v$p"), {});
    // A hand-written record without identity keeps its phrase: the leading "*" is closed by
    // no single "*", so it is the plain form's empty identity.
    ExpectFields(AppRecord::Parse("*p~v$x"), Record("", "p", "v", "x"));
}

TEST(AppRecord, SeparatorsInsideTheTitleReadBackWhole) {
    // Titles with "~" or "$" need no marking: the identity ends at the first "*".
    const std::string legacy = "c \xA6 a~b$c*p~v$x";
    ExpectFields(AppRecord::Parse(legacy), Record("c \xA6 a~b$c", "p", "v", "x"));
    EXPECT_EQ(AppRecord::Parse(legacy).Text(), legacy);

    for (const std::string title :
         {"*scratch* - Editor", "user@host: ~/notes", "a*", "*", "**", "$5 \xA6 ~*x*~$"}) {
        const AppRecord saved =
            Record(WindowIdentity::Build("c", title), "say it", "words", "run *this* ~ $HOME");
        ExpectFields(AppRecord::Parse(saved.Text()), saved);
        ExpectFields(AppRecord::Parse(AppRecord::Fresh(saved.identity)),
                     {saved.identity, "", "", "", false});
        EXPECT_EQ(WindowIdentity::Split(saved.identity).title, title);
    }
    EXPECT_EQ(AppRecord::Fresh("e \xA6 *s*"), "*e \xA6 **s***");
    EXPECT_EQ(Record("e \xA6 *s*", "", "", "").Text(), "*e \xA6 **s***~$");
}

TEST(AppRecord, NamesHoldingASeparatorAreRefused) {
    EXPECT_FALSE(AppRecord::HoldsSeparator("open the editor, 2%!"));
    for (const char* name : {"a*b", "~", "cost$"}) EXPECT_TRUE(AppRecord::HoldsSeparator(name));
}

TEST(WindowIdentity, ClassAndTitleEitherSideOfTheFirstBar) {
    EXPECT_EQ(WindowIdentity::Build("xterm", "a \xA6 b"), "xterm \xA6 a \xA6 b");
    const WindowIdentity::Parts parts = WindowIdentity::Split("xterm \xA6 a \xA6 b");
    EXPECT_EQ(parts.className, "xterm");
    EXPECT_EQ(parts.title, "a \xA6 b");
    EXPECT_EQ(WindowIdentity::Split("c \xA6").title, "");
    EXPECT_EQ(WindowIdentity::Split("\xA6 t").className, "");
    EXPECT_EQ(WindowIdentity::Split("no bar").title, "");
}

}  // namespace
