#include <gtest/gtest.h>

#include "store/GrammarText.h"

namespace {

using Alternatives = std::vector<std::string>;

TEST(GrammarText, TheHeaderAndEachLineEndWithCrLf) {
    EXPECT_EQ(GrammarText::Header(),
              "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n");
    EXPECT_EQ(GrammarText::Line("caf\xE9"), "<start>=caf\xE9\r\n");
    EXPECT_EQ(GrammarText::Alternatives(GrammarText::Header()), Alternatives{"switch to"});
}

TEST(GrammarText, EmptyAlternativesOtherLinesAndLooseLineEnds) {
    EXPECT_TRUE(GrammarText::Alternatives("[Grammar]\r\nlangid = 1033\r\n").empty());
    // An empty alternative is no alternative; a bare LF ends a line too, and the last line
    // needs no line end.
    EXPECT_EQ(GrammarText::Alternatives("<start>=\r\n<start>=gedit\n<start>=xterm"),
              (Alternatives{"gedit", "xterm"}));
    // Only lines of the start rule are alternatives; blanks and a CR inside are kept.
    EXPECT_EQ(GrammarText::Alternatives("<other>=banana\r\nstart=apple\r\n<start>= a\rb \r\n"),
              Alternatives{" a\rb "});
}

}  // namespace
