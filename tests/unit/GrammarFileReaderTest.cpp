#include <gtest/gtest.h>

#include <filesystem>

#include "TempProgramFolder.h"
#include "common/ErrorRecord.h"
#include "speech/GrammarFile.h"

namespace {

const std::string kHeader =
    "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n";

int ErrorNumberOf(const std::string& path) {
    try {
        ReadGrammarFile(path);
    } catch (const ErrorRecord& error) {
        return error.Number();
    }
    return 0;
}

TEST(GrammarFileReaderTest, ReadsTheAlternativesExactlyAsWrittenInFileOrder) {
    TempProgramFolder folder;
    WriteBytes(folder.File("temp.txt"),
               kHeader +
                   "<start>=Notepad\r\n<start>=Open File!\r\n<start>=  page 2 \r\n"
                   "<start>=Notepad\r\n<start>=caf\xE9\r\n");
    EXPECT_EQ(ReadGrammarFile(folder.File("temp.txt")),
              (std::vector<std::string>{"switch to", "Notepad", "Open File!", "  page 2 ",
                                        "Notepad", "caf\xE9"}));
}

TEST(GrammarFileReaderTest, HeaderOnlyEmptyAlternativesAndLooseLineEnds) {
    TempProgramFolder folder;
    WriteBytes(folder.File("header.txt"),
               "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n");
    EXPECT_TRUE(ReadGrammarFile(folder.File("header.txt")).empty());

    // An empty alternative is no alternative; a bare LF ends a line too, and the last line
    // needs no line end.
    WriteBytes(folder.File("loose.txt"), kHeader + "<start>=\r\n<start>=gedit\n<start>=xterm");
    EXPECT_EQ(ReadGrammarFile(folder.File("loose.txt")),
              (std::vector<std::string>{"switch to", "gedit", "xterm"}));

    // Only lines of the start rule are alternatives.
    WriteBytes(folder.File("other.txt"), kHeader + "<other>=banana\r\nstart=apple\r\n");
    EXPECT_EQ(ReadGrammarFile(folder.File("other.txt")), (std::vector<std::string>{"switch to"}));
}

TEST(GrammarFileReaderTest, MissingOrUnreadableFileRaisesPlatformErrors) {
    TempProgramFolder folder;
    EXPECT_EQ(ErrorNumberOf(folder.File("temp.txt")), 53);
    std::filesystem::create_directory(folder.File("folder.txt"));
    EXPECT_EQ(ErrorNumberOf(folder.File("folder.txt")), 75);
}

}  // namespace
