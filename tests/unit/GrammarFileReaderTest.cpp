#include <gtest/gtest.h>

#include <filesystem>

#include "FreshLists.h"
#include "TempProgramFolder.h"
#include "common/ErrorRecord.h"
#include "speech/GrammarFile.h"
#include "store/CFile.h"

namespace {

int ErrorNumberOf(const std::string& path) {
    try {
        ReadGrammarFile(path);
    } catch (const ErrorRecord& error) {
        return error.Number();
    }
    return 0;
}

TEST(GrammarFileReaderTest, ReadsBackExactlyThePhrasesAndWordsTheBuilderWrote) {
    TempProgramFolder folder;
    FreshLists lists;
    WriteRecords(folder.File("VAppCmd.txt"),
                 {"Notepad \xA6 Untitled*Note pad~Edit$notepad", "Emacs \xA6 a*b*",
                  "*Emacs \xA6 **scratch***  page 2 ~Edit$", "XTerm \xA6 sh*caf\xE9!~$"},
                 270);
    folder.MakeVocabFolder();
    WriteRecords(folder.File("vocab/Edit.txt"), {"Copy:^c", "Note pad:^n", "copy:^C", "Save"}, 128);
    WriteRecords(folder.File("vocab/Web.txt"), {"Back:%{LEFT}", "a <b>=c:x"}, 128);

    CFile().TempLoad();
    EXPECT_EQ(ReadGrammarFile(folder.File("temp.txt")),
              (std::vector<std::string>{"switch to", "Note pad", "  page 2 ", "caf\xE9!", "Copy",
                                        "Note pad", "Save", "Back", "a <b>=c"}));
}

TEST(GrammarFileReaderTest, MissingOrUnreadableFileRaisesPlatformErrors) {
    TempProgramFolder folder;
    EXPECT_EQ(ErrorNumberOf(folder.File("temp.txt")), 53);
    std::filesystem::create_directory(folder.File("folder.txt"));
    EXPECT_EQ(ErrorNumberOf(folder.File("folder.txt")), 75);
}

}  // namespace
