#include <gtest/gtest.h>

#include <filesystem>

#include "FreshLists.h"
#include "ResourceLimits.h"
#include "TempProgramFolder.h"
#include "store/CFile.h"

namespace {

using Items = std::vector<std::string>;

const std::string kHeader =
    "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n";

class GrammarFileTest : public ::testing::Test {
protected:
    void WriteApps(const Items& records) { WriteRecords(folder.File("VAppCmd.txt"), records, 270); }
    void WriteVocab(const std::string& name, const Items& entries) {
        folder.MakeVocabFolder();
        WriteRecords(folder.File("vocab/" + name + ".txt"), entries, 128);
    }
    void ListVocabularies(const Items& names) {
        for (const std::string& name : names) lists[ListId::frmVocab_lstVocab].AddItem(name);
    }
    std::string Grammar() { return ReadBytes(folder.File("temp.txt")); }

    static std::string Lines(const Items& alternatives) {
        std::string text = kHeader;
        for (const std::string& alternative : alternatives)
            text += "<start>=" + alternative + "\r\n";
        return text;
    }

    TempProgramFolder folder;
    FreshLists lists;
    CFile file;
};

}  // namespace

TEST_F(GrammarFileTest, WithoutRecordsOrVocabulariesTheFileIsTheHeaderAndAnotherWritersIsLeft) {
    WriteBytes(folder.File("temp.txt.new"), "half written by another");
    file.TempLoad();
    EXPECT_EQ(Grammar(), kHeader);
    EXPECT_TRUE(std::filesystem::exists(folder.File("VAppCmd.txt")));
    EXPECT_EQ(ReadBytes(folder.File("temp.txt.new")), "half written by another");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              3);  // VAppCmd.txt, temp.txt and the other writer's file: none of the rebuild's own
}

TEST_F(GrammarFileTest, PhrasesInRecordOrderThenDistinctWordsInOrderOfFirstAppearance) {
    WriteApps({
        "Notepad \xA6 Untitled*",                       // fresh: no phrase
        "Notepad \xA6 Untitled*Note pad~Edit$notepad",  // full
        "gedit \xA6 a*b*",                              // fresh, "*" in its title
        "gedit \xA6 notes*Note pad~~$",                 // the same phrase again
        "xterm \xA6 sh*~Edit$",                         // empty phrase
        "Calc \xA6 Calculator*Copy~$",                  // a phrase that is also a word
    });
    WriteVocab("Edit", {"Copy:^c", "paste:^v", "", ":^z", "Select all", "COPY:^C"});
    WriteVocab("Empty", {});
    WriteVocab("More", {"PASTE:+{INS}", "Save:^s", "copy:^c"});
    ListVocabularies({"Edit", "Empty", "More"});

    file.TempLoad();
    EXPECT_EQ(Grammar(), Lines({"Note pad", "Note pad", "Copy",  // phrases
                                "Copy", "paste", "Select all", "Save"}));
    EXPECT_EQ(file.RecordNumber(), 1);
    EXPECT_EQ(lists.Items(ListId::frmTemp_lstTemp), (Items{"Copy", "paste", "Select all", "Save"}));
}

TEST_F(GrammarFileTest, TheOrderOfTheVocabularyListOrdersTheWordsAndANameWithoutAFileAddsNone) {
    WriteVocab("One", {"alpha:a", "Shared:1"});
    WriteVocab("Two", {"shared:2", "beta:b"});
    ListVocabularies({"Two", "Missing", "One"});
    file.TempLoad();
    EXPECT_EQ(Grammar(), Lines({"shared", "beta", "alpha"}));
    EXPECT_EQ(std::filesystem::file_size(folder.File("vocab/Missing.txt")), 0u);  // made empty
}

TEST_F(GrammarFileTest, AnEmptyVocabularyListTakesTheVocabularyFolder) {
    WriteApps({"Notepad \xA6 Untitled*Note~Edit$"});
    WriteVocab("edit", {"Copy:^c"});
    WriteVocab("Browse", {"Back:%{LEFT}", "copy:^c"});
    file.TempLoad();
    EXPECT_EQ(Grammar(), Lines({"Note", "Back", "copy"}));

    // A filled list is taken as it is, whatever else the folder holds.
    ListVocabularies({"Edit"});
    file.TempLoad();
    EXPECT_EQ(Grammar(), Lines({"Note", "Copy"}));
}

TEST_F(GrammarFileTest, ARebuildNeverCarriesOldLines) {
    WriteVocab("One", {"alpha:a"});
    ListVocabularies({"One"});
    WriteBytes(folder.File("temp.txt"), "<start>=stale\r\n");
    std::filesystem::permissions(folder.File("temp.txt"), std::filesystem::perms::owner_read);
    file.TempLoad();
    file.TempLoad();
    EXPECT_EQ(Grammar(), Lines({"alpha"}));
}

TEST_F(GrammarFileTest, AnUnreadableRecordIsPassedOverAndTheScanGoesOn) {
    WriteApps({"A \xA6 a*First~$", "", "C \xA6 c*Third~$"});
    std::string bytes = ReadBytes(folder.File("VAppCmd.txt"));
    bytes[270] = static_cast<char>(300 & 0xFF);  // record 2 claims 300 bytes
    bytes[271] = static_cast<char>(300 >> 8);
    WriteBytes(folder.File("VAppCmd.txt"), bytes);
    WriteVocab("One", {"alpha:a"});
    bytes = ReadBytes(folder.File("vocab/One.txt")) + RecordBytes("beta:b", 128);
    bytes[0] = static_cast<char>(127);  // record 1 claims more than a vocabulary record holds
    WriteBytes(folder.File("vocab/One.txt"), bytes);
    ListVocabularies({"One"});

    file.TempLoad();
    EXPECT_EQ(Grammar(), Lines({"First", "Third", "beta"}));
}

TEST_F(GrammarFileTest, AFileNotWrittenWholeLeavesTheOldOneAndIsReportedOncePerRun) {
    WriteApps({"A \xA6 a*First~$"});
    file.TempLoad();
    WriteApps({"A \xA6 a*Changed~$"});
    {
        const FileSizeLimit fullDisk(20);
        file.TempLoad();
    }
    {
        const NoFileCanOpen noFile;
        file.TempLoad();
    }
    EXPECT_EQ(Grammar(), Lines({"First"}));
    EXPECT_EQ(file.RecordNumber(), 1);
    ASSERT_EQ(folder.dialogs().boxes.size(), 1u);
    EXPECT_EQ(folder.dialogs().boxes[0].text,
              "There is no room left on the disk to write \"" + folder.File("temp.txt") +
                  "\", so nothing was saved. The speech grammar file keeps what it held before.");
    const auto entries = std::filesystem::directory_iterator(folder.Path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 2);  // no aside file is left

    file.TempLoad();
    EXPECT_EQ(Grammar(), Lines({"Changed"}));
    {
        const FileSizeLimit fullDisk(20);
        file.TempLoad();
    }
    EXPECT_EQ(folder.dialogs().boxes.size(), 2u);  // a new run of failures is reported again

    // Without a grammar file before, the box does not say that one keeps anything.
    file.TempLoad();
    std::filesystem::remove(folder.File("temp.txt"));
    {
        const FileSizeLimit fullDisk(20);
        file.TempLoad();
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("temp.txt")));
    ASSERT_EQ(folder.dialogs().boxes.size(), 3u);
    EXPECT_EQ(folder.dialogs().boxes[2].text,
              "There is no room left on the disk to write \"" + folder.File("temp.txt") +
                  "\", so nothing was saved. No speech grammar could be written.");
}
