#include <gtest/gtest.h>

#include <filesystem>

#include "TempProgramFolder.h"
#include "common/ErrorRecord.h"
#include "store/CFile.h"

namespace {

class CFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        file.FileClose();
        file.TempFileClose();
    }

    // Writes records 1..n of the voice command application file.
    void StoreApps(const std::vector<std::string>& texts) {
        file.FileOpen();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            file.FileStore(texts[i], static_cast<int16_t>(i + 1));
        }
        file.FileClose();
    }

    // The scan loop of every caller: read until the end mark, advancing the position.
    std::vector<std::string> Scan(bool vocab = false, const std::string& name = {}) {
        std::vector<std::string> reads;
        file.InitRecord();
        file.FileOpen(vocab, name);
        while (!DataFileAtEnd()) {
            reads.push_back(file.FileRead(file.RecordNumber()));
            file.IncrementRecord();
        }
        file.FileClose();
        return reads;
    }

    std::string AppFile() const { return folder.File("VAppCmd.txt"); }

    TempProgramFolder folder;
    CFile file;
};

}  // namespace

TEST_F(CFileTest, OpeningAMissingFileCreatesItEmptyAndTheFirstReadEndsTheScan) {
    file.FileOpen();
    EXPECT_TRUE(std::filesystem::exists(AppFile()));
    EXPECT_FALSE(DataFileAtEnd());
    EXPECT_EQ(file.FileRead(1), "");
    EXPECT_TRUE(DataFileAtEnd());
    EXPECT_EQ(file.Record(), "");
    file.FileClose();
    EXPECT_EQ(std::filesystem::file_size(AppFile()), 0u);
}

TEST_F(CFileTest, RecordsAreStoredByteForByte) {
    StoreApps({"Notepad \xA6 Untitled*Note~Edit$notepad.exe", ""});
    const std::string bytes = ReadBytes(AppFile());
    ASSERT_EQ(bytes.size(), 540u);
    EXPECT_EQ(bytes.substr(0, 270),
              RecordBytes("Notepad \xA6 Untitled*Note~Edit$notepad.exe", 270));
    EXPECT_EQ(bytes.substr(270), std::string(270, '\0'));
}

TEST_F(CFileTest, ScanReadsOncePastTheLastRecordAndKeepsEmptyRecordsInside) {
    StoreApps({"one", "", "three"});
    EXPECT_EQ(Scan(), (std::vector<std::string>{"one", "", "three", ""}));
}

TEST_F(CFileTest, RecordCountStartsAtTheCurrentPosition) {
    StoreApps({"a", "b", "c"});
    file.InitRecord();
    EXPECT_EQ(file.RecordCount(), 4);
    file.SetRecordNumber(3);
    EXPECT_EQ(file.RecordCount(), 4);
    file.SetRecordNumber(7);
    EXPECT_EQ(file.RecordCount(), 7);
    StoreApps({"a", "", "c"});
    file.InitRecord();
    EXPECT_EQ(file.RecordCount(), 2);
    EXPECT_THROW(DataFileAtEnd(), ErrorRecord);  // RecordCount closed the slot
}

TEST_F(CFileTest, TextLimitsAreRecordLengthLessTwo) {
    const std::string longest(268, 'x');
    StoreApps({longest});
    EXPECT_EQ(Scan().front(), longest);

    file.FileOpen();
    EXPECT_EQ(ErrorOf([&] { file.FileStore(std::string(269, 'x'), 1); }), 13012);
    EXPECT_EQ(ErrorOf([] { DataFileAtEnd(); }), 52);  // the failing store closed the slot

    folder.MakeVocabFolder();
    file.FileOpen(true, "Edit");
    file.FileStore(std::string(126, 'w'), 1);
    EXPECT_EQ(ErrorOf([&] { file.FileStore(std::string(127, 'w'), 2); }), 13012);
    EXPECT_EQ(std::filesystem::file_size(folder.File("vocab/Edit.txt")), 128u);
}

TEST_F(CFileTest, StoringBeyondTheEndExtendsTheFileWithEmptyRecords) {
    StoreApps({"a", "b", "c"});
    file.FileOpen();
    file.FileStore("e", 5);
    file.FileClose();
    EXPECT_EQ(std::filesystem::file_size(AppFile()), 5u * 270u);
    EXPECT_EQ(Scan(), (std::vector<std::string>{"a", "b", "c", "", "e", ""}));
}

TEST_F(CFileTest, PositionZeroAndAClosedSlotFailWithTheirErrorsNamingTheFileClass) {
    try {
        file.FileRead(1);  // nothing open
        FAIL();
    } catch (const ErrorRecord& e) {
        EXPECT_EQ(e.Source(), "store_tests.CFile");
        EXPECT_EQ(e.Description(),
                  "File Corrupt:  Please Shut Down The Application And Create A New File.");
    }
    StoreApps({"a"});
    file.FileOpen();
    EXPECT_EQ(ErrorOf([&] { file.FileRead(0); }), 13011);
    EXPECT_EQ(ErrorOf([&] { file.FileStore("x", 0); }), 13012);
    EXPECT_EQ(ErrorOf([] { DataFileAtEnd(); }), 52);
    EXPECT_EQ(ErrorOf([&] { file.FileRead(1); }), 13011);
    EXPECT_EQ(ErrorOf([&] { file.FileStore("x", 1); }), 13012);
}

TEST_F(CFileTest, DamagedAndTruncatedFilesNeverReadOutOfBounds) {
    // Record 1 claims 300 bytes; record 2 is whole; record 3 is cut short.
    std::string bytes = RecordBytes("ok", 270);
    bytes[0] = static_cast<char>(300 & 0xFF);
    bytes[1] = static_cast<char>(300 >> 8);
    bytes += RecordBytes("second", 270);
    bytes += RecordBytes("partial", 270).substr(0, 100);
    WriteBytes(AppFile(), bytes);

    file.FileOpen();
    EXPECT_EQ(ErrorOf([&] { file.FileRead(1); }), 13011);
    EXPECT_EQ(file.FileRead(2), "second");
    EXPECT_FALSE(DataFileAtEnd());
    EXPECT_EQ(file.FileRead(3), "");  // a record held only in part counts as past the end
    EXPECT_TRUE(DataFileAtEnd());
    file.FileClose();

    // Bytes after the text carry no meaning; an all-zero record is the empty text.
    std::string noisy = RecordBytes("abc", 270);
    noisy.replace(10, 5, "JUNK!");
    WriteBytes(AppFile(), noisy + std::string(270, '\0'));
    EXPECT_EQ(Scan(), (std::vector<std::string>{"abc", "", ""}));
}

TEST_F(CFileTest, OpeningWhileTheSlotIsInUseReachesOnlyTheFileAskedFor) {
    folder.MakeVocabFolder();
    StoreApps({"app record"});
    file.FileOpen(true, "Words");
    file.FileStore("hello:hi", 1);
    CFile other;
    other.FileOpen();  // no close in between
    EXPECT_EQ(other.FileRead(1), "app record");
    other.FileStore("changed", 1);
    other.FileClose();
    EXPECT_EQ(Scan(true, "Words"), (std::vector<std::string>{"hello:hi", ""}));
    EXPECT_EQ(Scan(), (std::vector<std::string>{"changed", ""}));
}

TEST_F(CFileTest, VocabularyNamesMatchExistingFilesIgnoringCase) {
    folder.MakeVocabFolder();
    WriteBytes(folder.File("vocab/Editing.txt"), RecordBytes("copy:^c", 128));
    EXPECT_EQ(Scan(true, "EDITING"), (std::vector<std::string>{"copy:^c", ""}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/EDITING.txt")));
    // Non-ASCII names are stored under their UTF-8 file names.
    file.FileOpen(true, "Caf\xE9");
    file.FileClose();
    EXPECT_TRUE(std::filesystem::exists(folder.File("vocab/Caf\u00E9.txt")));
}

TEST_F(CFileTest, ANameThatWouldLeaveTheVocabularyFolderOpensNothing) {
    folder.MakeVocabFolder();
    file.FileOpen(true, "../escape");
    EXPECT_EQ(ErrorOf([] { DataFileAtEnd(); }), 52);
    EXPECT_FALSE(std::filesystem::exists(folder.File("escape.txt")));
    EXPECT_EQ(ErrorOf([&] { file.FileNew(true, "../escape"); }), 13013);
}

TEST_F(CFileTest, FileNewCreatesOrEmptiesAndNeedsTheVocabularyFolder) {
    EXPECT_EQ(ErrorOf([&] { file.FileNew(true, "Fresh"); }), 13013);
    folder.MakeVocabFolder();
    file.FileNew(true, "Fresh");
    file.FileClose();
    EXPECT_EQ(std::filesystem::file_size(folder.File("vocab/Fresh.txt")), 0u);

    StoreApps({"a", "b"});
    file.FileNew(false, "VAppCmd");
    file.FileClose();
    EXPECT_EQ(std::filesystem::file_size(AppFile()), 0u);

    file.FileOpen();
    EXPECT_EQ(ErrorOf([&] { file.FileNew(false, "VAppCmd"); }), 13013);  // slot in use
    EXPECT_FALSE(DataFileAtEnd());                                       // and it stays open
}

TEST_F(CFileTest, FileDeleteOfAnOpenFileShowsTheFatalMessageAndKeepsIt) {
    folder.MakeVocabFolder();
    file.FileOpen(true, "Busy");
    file.FileDelete(true, "Busy");
    EXPECT_TRUE(std::filesystem::exists(folder.File("vocab/Busy.txt")));
    EXPECT_EQ(ErrorOf([] { DataFileAtEnd(); }), 52);
    ASSERT_EQ(folder.dialogs().boxes.size(), 1u);
    const auto& box = folder.dialogs().boxes[0];
    EXPECT_EQ(box.text, "A fatal error has occurred. Please try running the program again.");
    EXPECT_EQ(box.title, "Fatal File-Access Error!");
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_EQ(box.icon, MsgIcon::None);

    file.FileDelete(true, "Busy");
    EXPECT_FALSE(std::filesystem::exists(folder.File("vocab/Busy.txt")));
    file.FileDelete(true, "Missing");  // quietly
    EXPECT_EQ(folder.dialogs().boxes.size(), 1u);
}

TEST_F(CFileTest, PositionMovesInSigned16BitsAndOverflowKeepsIt) {
    EXPECT_EQ(file.RecordNumber(), 1);
    file.SetRecordNumber(32767);
    EXPECT_EQ(ErrorOf([&] { file.IncrementRecord(); }), 6);
    EXPECT_EQ(file.RecordNumber(), 32767);
    file.SetRecordNumber(-32768);
    EXPECT_EQ(ErrorOf([&] { file.DecrementRecord(); }), 6);
    EXPECT_EQ(file.RecordNumber(), -32768);
    file.SetRecordNumber(0);
    file.DecrementRecord();
    EXPECT_EQ(file.RecordNumber(), -1);
    file.InitRecord();
    EXPECT_EQ(file.RecordNumber(), 1);
}

TEST_F(CFileTest, ReadOnlyOpensUse128ByteRecordsAndRefuseWrites) {
    StoreApps({"abc"});
    file.VAppCmdFileRead();
    EXPECT_EQ(file.FileRead(1), "abc");
    EXPECT_EQ(file.FileRead(2), "");  // 270 bytes hold two 128-byte records
    EXPECT_EQ(file.FileRead(3), "");
    EXPECT_TRUE(DataFileAtEnd());
    EXPECT_EQ(ErrorOf([&] { file.FileStore("x", 1); }), 13012);

    std::filesystem::remove(AppFile());
    EXPECT_EQ(ErrorOf([&] { file.VAppCmdOpen(); }), 53);
    file.VocabFileRead("none");  // failure ignored
    EXPECT_EQ(ErrorOf([] { DataFileAtEnd(); }), 52);
}

TEST_F(CFileTest, GrammarSlotAppendsCrLfLinesBesideAnOpenDataFile) {
    StoreApps({"a"});
    file.FileOpen();
    file.TempFileOpen();
    file.TempFileStore("[Grammar]");
    file.TempFileStore("<start>=caf\xE9");
    file.TempFileClose();
    EXPECT_EQ(file.FileRead(1), "a");  // the data slot stayed open
    EXPECT_EQ(ReadBytes(folder.File("temp.txt")), "[Grammar]\r\n<start>=caf\xE9\r\n");
    EXPECT_EQ(ErrorOf([&] { file.TempFileStore("x"); }), 52);

    file.TempDelete();
    EXPECT_FALSE(std::filesystem::exists(folder.File("temp.txt")));
    EXPECT_EQ(ErrorOf([&] { file.TempDelete(); }), 53);
}
