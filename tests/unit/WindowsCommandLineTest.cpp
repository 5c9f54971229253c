#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/x11/EnvironmentExpansion.h"
#include "platform/x11/WindowsCommandLine.h"

namespace {

using Parts = std::vector<std::string>;

TEST(WindowsCommandLine, TheProgramNameTakesQuotesButNoEscapes) {
    EXPECT_EQ(WindowsCommandLine::Split("gedit notes.txt"), (Parts{"gedit", "notes.txt"}));
    EXPECT_EQ(WindowsCommandLine::Split("  \"/opt/my app\\\"x a"),
              (Parts{"/opt/my app\\", "x", "a"}));
    EXPECT_EQ(WindowsCommandLine::Split("\"unterminated name"), (Parts{"unterminated name"}));
    EXPECT_EQ(WindowsCommandLine::Split(""), (Parts{""}));
}

TEST(WindowsCommandLine, ArgumentsFollowTheBackslashAndQuoteRules) {
    EXPECT_EQ(WindowsCommandLine::SplitArguments("\"a b\" c\td"), (Parts{"a b", "c", "d"}));
    EXPECT_EQ(WindowsCommandLine::SplitArguments("a\\\\\\b"), (Parts{"a\\\\\\b"}));
    EXPECT_EQ(WindowsCommandLine::SplitArguments("a\\\\\"b c\""), (Parts{"a\\b c"}));
    EXPECT_EQ(WindowsCommandLine::SplitArguments("a\\\"b"), (Parts{"a\"b"}));
    EXPECT_EQ(WindowsCommandLine::SplitArguments("\"say \"\"hi\"\"\""), (Parts{"say \"hi\""}));
    EXPECT_EQ(WindowsCommandLine::SplitArguments("\"\" x"), (Parts{"", "x"}));
    EXPECT_EQ(WindowsCommandLine::SplitArguments("   "), Parts{});
}

TEST(WindowsCommandLine, AnUnquotedNameWithBlanksIsTriedShortestFirst) {
    const auto candidates = WindowsCommandLine::ProgramCandidates("/opt/my app/run -x");
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[0].program, "/opt/my");
    EXPECT_EQ(candidates[1].program, "/opt/my app/run");
    EXPECT_EQ(candidates[1].rest, " -x");
    EXPECT_EQ(candidates[2].program, "/opt/my app/run -x");

    const auto quoted = WindowsCommandLine::ProgramCandidates("\"/opt/my app/run\" -x");
    ASSERT_EQ(quoted.size(), 1u);
    EXPECT_EQ(quoted[0].program, "/opt/my app/run");
    EXPECT_EQ(quoted[0].rest, " -x");
}

TEST(EnvironmentExpansion, ExpandsTheThreeFormsAndLeavesUnknownNames) {
    setenv("VORN_TEST_DIR", "/home/me", 1);
    unsetenv("VORN_TEST_UNSET");
    EXPECT_EQ(ExpandEnvironment("$VORN_TEST_DIR/a.txt"), "/home/me/a.txt");
    EXPECT_EQ(ExpandEnvironment("${VORN_TEST_DIR}x"), "/home/mex");
    EXPECT_EQ(ExpandEnvironment("%VORN_TEST_DIR%\\a"), "/home/me\\a");
    EXPECT_EQ(ExpandEnvironment("$VORN_TEST_UNSET/${VORN_TEST_UNSET}%VORN_TEST_UNSET%"),
              "$VORN_TEST_UNSET/${VORN_TEST_UNSET}%VORN_TEST_UNSET%");
    EXPECT_EQ(ExpandEnvironment("100% $ 5$"), "100% $ 5$");
}

}  // namespace
